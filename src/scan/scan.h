// Scanning and cleaning: detection lists, the examination, the clean command, the run driver.
#pragma once

#include "shell/frm_main.h"

namespace scan {

class Scan {
 public:
  explicit Scan(shell::FrmMain& frm);
  // Load step: Kit\\Varko.exe into List5, then Kit\\Lunet.exe into List4.
  void readDetectionLists();

 private:
  shell::FrmMain& frm_;
};

}  // namespace scan
