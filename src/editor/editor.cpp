#include "editor/editor.h"

#include <cmath>

#include "core/error.h"
#include "editor/form2.h"
#include "shell/msgbox.h"

namespace editor {

using core::attempt;
using core::Text;

namespace {

constexpr char16_t kClose[] = u"Close";
constexpr char16_t kOpen[] = u"Add Files: Virus Name";
// Editor mode widens the window and moves it left by two steps.
constexpr double kStep = 1480;
constexpr double kEditorWidth = 14160;
// Asked for on leaving; the window's minimum-size rule raises it at once.
constexpr double kNormalWidth = 9555;

}  // namespace

Editor::Editor(shell::FrmMain& frm) : frm_(frm) {
  showEditing(false);
  frm.keyDown += [this](int& key, int shift) {
    if (key != kPanelKey || shift != kPanelShift) return;
    key = 0;
    togglePanel();
  };
  frm.Command3.click += [this] {
    if (frm_.Command3.text() == kClose)
      leaveEditorMode();
    else
      openPassword();
  };
  frm.List4.click += [this] { clicked(); };
  frm.Command5.click += [this] { rename(); };
  frm.Command4.click += [this] { remove(frm_.List4); };
  frm.Command7.click += [this] { remove(frm_.List5); };
}

void Editor::togglePanel() {
  if (!frm_.Picture7.visible()) {
    frm_.Picture7.setVisible(true);
    return;
  }
  if (editorMode_) leaveEditorMode();
  frm_.Picture7.setVisible(false);
}

void Editor::openPassword() {
  auto& form = frm_.app().form<Form2>([this] { enterEditorMode(); });
  form.setLeft(frm_.left() + 3200);
  form.setTop(frm_.top() + 2500);
  form.showModal();
}

void Editor::enterEditorMode() {
  frm_.Command3.setText(kClose);
  // A language applied in editor mode renames the button, so the password
  // window can be opened again from editor mode: the window moves only once.
  if (!editorMode_) {
    frm_.setLeft(frm_.left() - kStep);
    frm_.setLeft(frm_.left() - kStep);
  }
  frm_.Check7.setValue(0);
  showEditing(true);
  frm_.setWidth(kEditorWidth);
  editorMode_ = true;
}

void Editor::leaveEditorMode() {
  frm_.Command3.setText(kOpen);
  frm_.setWidth(kNormalWidth);
  showEditing(false);
  frm_.Check7.setValue(0);
  if (editorMode_) {
    frm_.setLeft(frm_.left() + kStep);
    frm_.setLeft(frm_.left() + kStep);
  }
  editorMode_ = false;
}

void Editor::showEditing(bool shown) {
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{&frm_.List4, &frm_.List5, &frm_.Command5, &frm_.Command4,
                                           &frm_.Command7, &frm_.Text4, &frm_.Text5, &frm_.Check7})
    c->setVisible(shown);
}

// The clicked entry becomes the rename's starting text; Label13 remembers
// which entry it was.
void Editor::clicked() {
  attempt([&] { frm_.Text4.setText(frm_.List4.selectedText()); });
  attempt([&] { frm_.Text5.setText(u"0"); });
  attempt([&] { frm_.Label13.setText(core::decimal(frm_.List4.listIndex())); });
  attempt([&] { frm_.Text5.setText(u"0"); });
}

// Gives the entry clicked last (Label13) the text of Text4, after a Yes. An
// index that names no entry any more changes nothing and asks nothing.
void Editor::rename() {
  auto remembered = [&]() -> int {
    const Text& label = frm_.Label13.text();
    if (label.empty()) return -1;
    double index = core::roundHalfEven(core::leadingNumber(label));
    return index >= 0 && index < frm_.List4.listCount() ? static_cast<int>(index) : -1;
  };
  if (remembered() < 0) return;
  Text question = frm_.TxtRename + u" (" + frm_.List4.selectedText() + u") File.";
  int answer = shell::MsgBoxW(frm_.app(), question, shell::style::YesNo, frm_.TxtRenameTitle);
  if (answer != shell::answer::Yes) return;
  // The list may have changed while the question was open.
  int index = remembered();
  if (index >= 0) frm_.List4.setList(index, frm_.Text4.text());
}

void Editor::remove(ui::ListBox& list) {
  int index = list.listIndex();
  if (index < 0) {
    shell::MsgBoxW(frm_.app(), core::trimBlanks(frm_.TxtNoSelection), shell::style::Ok,
                   frm_.TxtNoSelectionTitle);
    return;
  }
  Text question = frm_.TxtRemove + u" (" + list.list(index) + u") File.";
  int answer = shell::MsgBoxW(frm_.app(), question, shell::style::YesNo, frm_.TxtRemoveTitle);
  if (answer != shell::answer::Yes) return;
  if (index >= list.listCount()) return;
  list.removeItem(index);
  if (&list == &frm_.List4) forgetRemoved(index);
}

// Label13 names the removed entry (removing needs the entry selected, and
// selecting it is a click): forget it, so that a later rename never writes
// over the entry that took the removed one's place.
void Editor::forgetRemoved(int removed) {
  const Text& label = frm_.Label13.text();
  if (!label.empty() && core::roundHalfEven(core::leadingNumber(label)) == removed)
    frm_.Label13.setText(u"");
}

}  // namespace editor
