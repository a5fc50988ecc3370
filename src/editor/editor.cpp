#include "editor/editor.h"

namespace editor {

Editor::Editor(shell::FrmMain& frm) : frm_(frm) {}

}  // namespace editor
