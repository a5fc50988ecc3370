#include "scan/form4.h"

#include "core/error.h"
#include "shell/frm_main.h"
#include "shell/msgbox.h"
#include "ui/event_loop.h"

namespace scan {

using core::attempt;
using namespace ui;

Form4::Form4(Application& app)
    : Form(app, kName),
      Toolbar1(add<Toolbar>("Toolbar1")),
      Label8(add<Button>("Label8", -1, true)),
      Label9(add<Button>("Label9", -1, true)),
      Label10(add<Button>("Label10", -1, true)),
      Label11(add<Button>("Label11", -1, true)),
      ImageList1(add<ImageList>("ImageList1")),
      ListView1(add<ListView>("ListView1")),
      Label2(add<Label>("Label2", -1, true)),
      Label100(add<Label>("Label100")),
      Label5(add<Label>("Label5", -1, true)),
      Label3(add<Label>("Label3", -1, true)),
      Label16(add<Label>("Label16", -1, true)),
      Label4(add<Label>("Label4", -1, true)),
      Label6(add<Label>("Label6", -1, true)),
      Label7(add<Label>("Label7", -1, true)),
      Picture4(add<PictureBox>("Picture4")),
      Label1(add<Label>("Label1", -1, true)),
      Command1(add<Button>("Command1", -1, true)),
      Command2(add<Button>("Command2", -1, true)) {
  setCaption(Text(16, u' '));
  setBorderStyle(3);
  move(0, 0, 9600, 6420);

  Toolbar1.move(0, 0, 9600, 600);
  Toolbar1.addButton("A", u"      Remove ", "toolbar.remove");
  Toolbar1.addButton("B", u"      Delete All ", "toolbar.deleteall");
  Toolbar1.addButton("C", u"      Properties ", "toolbar.properties");

  // One sort button over each column of the table.
  Label8.move(120, 660, 600, 300);
  Label8.setText(u"Icon");
  Label9.move(720, 660, 2400, 300);
  Label10.move(3120, 660, 4200, 300);
  Label11.move(7320, 660, 2160, 300);

  for (int i = 1; i <= 12; ++i) ImageList1.add(std::to_string(i), "result." + std::to_string(i));
  ListView1.move(120, 960, 9360, 3600);
  ListView1.addColumn(u"", 600);
  ListView1.addColumn(u"Name", 2400);
  ListView1.addColumn(u"Path", 4200);
  ListView1.addColumn(u"Size", 2160);
  ListView1.setHeadersHidden(true);
  ListView1.setSmallIcons("ImageList1");
  ListView1.setSorted(true);

  // Counts: other, shortcut and temporary findings in one row, the total below.
  Label2.move(120, 4680, 1800, 285);
  Label100.move(1920, 4680, 900, 285);
  Label100.setText(u"0");
  Label5.move(3000, 4680, 1800, 285);
  Label3.move(4800, 4680, 900, 285);
  Label3.setText(u"0");
  Label16.move(5880, 4680, 1800, 285);
  Label4.move(7680, 4680, 900, 285);
  Label4.setText(u"0");
  Label6.move(120, 5040, 1800, 285);
  Label7.move(1920, 5040, 900, 285);

  Picture4.move(120, 5700, 3000, 420);
  Picture4.setVisible(false);
  Label1.setContainer(&Picture4);
  Label1.move(0, 60, 3000, 300);

  Command1.move(6240, 5640, 1500, 480);
  Command1.setText(u"Cancel");
  Command1.setCancel(true);
  Command2.move(7860, 5640, 1500, 480);
  Command2.setText(u"OK");
  Command2.setDefault(true);

  Command1.click += [this] { close(); };
  Command2.click += [this] { deleteAllAndClose(); };
  Toolbar1.buttonClick += [this](const std::string& key) { toolbarButton(key); };
  int column = 0;
  for (Button* sort : {&Label8, &Label9, &Label10, &Label11})
    sort->click += [this, key = column++] { attempt([&] { ListView1.setSortKey(key); }); };
}

void Form4::onLoad() {
  auto* frm = app().loaded<shell::FrmMain>();
  if (!frm) return;
  centreOver(*frm);
  auto msg = [frm](int n) { return frm->message(n); };
  attempt([&] { Command1.setText(msg(0)); });
  attempt([&] { Command2.setText(msg(1)); });
  for (int i = 0; i < 3; ++i) attempt([&] { Toolbar1.setCaption(i, u"      " + msg(2 + i)); });
  attempt([&] { Label9.setText(u" " + msg(5)); });
  attempt([&] { Label10.setText(u" " + msg(6)); });
  attempt([&] { Label11.setText(u" " + msg(7)); });
  int n = 8;
  for (Label* title : {&Label2, &Label5, &Label16, &Label6})
    attempt([&] { title->setText(u" " + msg(n++) + u" :"); });
}

Text Form4::rowFile(int row) const {
  const auto& cells = ListView1.row(row).cells;
  Text folder = cells.size() > 2 ? cells[2] : Text();
  Text name = cells.size() > 1 ? cells[1] : Text();
  return folder.size() < 4 ? folder + name : folder + u"\\" + name;
}

// Asks before closing while listed files were neither deleted nor dismissed.
void Form4::close() {
  auto* frm = app().loaded<shell::FrmMain>();
  if (Command2.enabled() && ListView1.rowCount() > 0 && frm) {
    int answer = shell::MsgBoxW(app(), frm->message(12), shell::style::YesNo, frm->message(13));
    if (answer == shell::answer::No) return;
  }
  unload();
}

void Form4::deleteRow(int row) {
  attempt([&] {
    Text file = rowFile(row);
    ListView1.setIcon(row, kIconDeleted);
    app().platform().files.deleteFile(file);
  });
}

void Form4::deleteAllAndClose() {
  Label1.setText(u"");
  Toolbar1.setEnabled(false);
  Command1.setEnabled(false);
  Command2.setEnabled(false);
  Picture4.setVisible(true);
  int n = ListView1.rowCount();
  for (int i = 1; i <= n && i <= ListView1.rowCount(); ++i) {
    Label1.setText(core::decimal(static_cast<int64_t>(i * (100.0 / n))) + u" %");
    deleteRow(i - 1);
    app().loop().pause(0.01);
  }
  Command2.setEnabled(false);
  unload();
}

void Form4::toolbarButton(const std::string& key) {
  if (ListView1.rowCount() == 0) return;
  if (key == "A")
    removeSelected();
  else if (key == "B")
    deleteAll();
}

void Form4::removeSelected() {
  auto* frm = app().loaded<shell::FrmMain>();
  if (!frm) return;
  int answer = shell::MsgBoxW(app(), frm->message(14), shell::style::YesNoRight, frm->message(15));
  if (answer != shell::answer::Yes || ListView1.selected() < 0) return;
  ListView1.removeRow(ListView1.selected());
  if (ListView1.rowCount() > 0) ListView1.setSelected(0);
}

void Form4::deleteAll() {
  for (int i = 0; i < ListView1.rowCount(); ++i) {
    deleteRow(i);
    app().loop().pause(0.01);
  }
  Command2.setEnabled(false);
}

}  // namespace scan
