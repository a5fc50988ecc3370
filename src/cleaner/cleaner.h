// The system cleaner: the window that empties the temporary and prefetch folders.
#pragma once

#include "shell/frm_main.h"

namespace cleaner {

class Cleaner {
 public:
  explicit Cleaner(shell::FrmMain& frm);

 private:
  shell::FrmMain& frm_;
};

}  // namespace cleaner
