// The virus-name list editor: a panel of the main window where, after the
// access code, entries of the virus-name list List4 are renamed and entries
// of both detection lists removed. Changes live in memory only: the lists
// are never written back, so they last until the program ends and take
// effect on the next scan at once.
#pragma once

#include "shell/frm_main.h"

namespace editor {

// The key that shows and hides the editor panel: Ctrl+Shift+L.
inline constexpr int kPanelKey = 'L';
inline constexpr int kPanelShift = 1 | 2;

class Editor {
 public:
  explicit Editor(shell::FrmMain& frm);

  // Shows the editor panel (its button opens the password window), or hides
  // it again, leaving editor mode first.
  void togglePanel();
  // Opens the password window modally.
  void openPassword();
  void enterEditorMode();
  void leaveEditorMode();
  bool inEditorMode() const { return editorMode_; }

 private:
  void clicked();
  void rename();
  void remove(ui::ListBox& list);
  void forgetRemoved(int removed);
  // The editing controls are shown in editor mode only, so that nothing can
  // be changed before the access code was given.
  void showEditing(bool shown);

  shell::FrmMain& frm_;
  bool editorMode_ = false;
};

}  // namespace editor
