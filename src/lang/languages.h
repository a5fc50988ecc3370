// Languages and settings: discovery, applying a language, the stored choices and the close action.
#pragma once

#include "shell/frm_main.h"

namespace lang {

class Languages {
 public:
  explicit Languages(shell::FrmMain& frm);
  // Load step: the language files into Combo1 and List6.
  void discover();
  // Load step: the stored language and selector position.
  void applyStoredChoices();

 private:
  shell::FrmMain& frm_;
};

}  // namespace lang
