// The About window.
#pragma once

#include "shell/frm_main.h"

namespace about {

class About {
 public:
  explicit About(shell::FrmMain& frm);

 private:
  shell::FrmMain& frm_;
};

}  // namespace about
