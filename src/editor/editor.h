// The virus-name list editor: the access code window and editing the detection lists.
#pragma once

#include "shell/frm_main.h"

namespace editor {

class Editor {
 public:
  explicit Editor(shell::FrmMain& frm);

 private:
  shell::FrmMain& frm_;
};

}  // namespace editor
