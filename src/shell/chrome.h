// The main window's own frame: background, dragging, caption buttons, the
// layout rule, the cover over the language box and the found-items blink.
#pragma once

#include "shell/frm_main.h"

namespace shell {

class Chrome {
 public:
  explicit Chrome(FrmMain& frm);
  // Load step: the background stretched over the whole window.
  void stretchBackground();

 private:
  FrmMain& frm_;
};

}  // namespace shell
