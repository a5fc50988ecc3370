// Drives and browsing: the drive table and its poll, the folder list and tree, the file list.
#pragma once

#include "shell/frm_main.h"

namespace browse {

class Browse {
 public:
  explicit Browse(shell::FrmMain& frm);
  // Load step: the drive signature into Text2.
  void writeSignature();
  // Load step: the drive table, built unless there are no drives, and the first drive chosen.
  void loadDriveTable();

 private:
  shell::FrmMain& frm_;
};

}  // namespace browse
