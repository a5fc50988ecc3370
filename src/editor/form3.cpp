#include "editor/form3.h"

#include "core/error.h"
#include "platform/lookup.h"
#include "shell/frm_main.h"

namespace editor {

using core::attempt;
using namespace ui;

Form3::Form3(Application& app)
    : Form(app, kName),
      UniLabel1(add<Label>("UniLabel1", -1, true)),
      List1(add<ListBox>("List1", -1, true)),
      List2(add<ListBox>("List2", -1, true)) {
  setBorderStyle(3);
  move(0, 0, 8340, 3810);
  setCaption(u"Repaired folders");
  UniLabel1.move(0, 30, 8415, 375);
  UniLabel1.setText(
      u" These folders were repaired and given new names; double-click one to open it.");
  Font tahoma;
  tahoma.face = u"Tahoma";
  List1.move(15, 360, 4095, 3420);
  List1.setFont(tahoma);
  List2.move(4080, 360, 4215, 3420);
  List2.setFont(tahoma);

  // The two lists show one row each: selecting in one selects in the other.
  List1.click += [this] { attempt([&] { List2.setListIndex(List1.listIndex()); }); };
  List2.click += [this] { attempt([&] { List1.setListIndex(List2.listIndex()); }); };
  List1.dblClick += [this] { open(List1.listIndex()); };
  List2.dblClick += [this] { open(List2.listIndex()); };
}

void Form3::onLoad() {
  auto* frm = app().loaded<shell::FrmMain>();
  if (!frm) return;
  centreOver(*frm);
  attempt([&] { UniLabel1.setText(frm->message(16)); });
  attempt([&] { setCaption(frm->message(17)); });
}

// Opens the row's new path, unless the left entry names a file that exists.
void Form3::open(int row) {
  auto& p = app().platform();
  bool fileExists = false;
  attempt([&] {
    auto entry = p.files.stat(List1.selectedText());
    fileExists = entry && !entry->isFolder();
  });
  if (fileExists) return;
  Text target;
  attempt([&] { target = List2.list(row); });
  attempt([&] { p.processes.start(u"Explorer.exe " + target, platform::show::Normal); });
}

}  // namespace editor
