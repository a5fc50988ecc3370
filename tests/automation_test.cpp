// The automation interpreter over the headless world: reading, acting,
// refusing what a user could not do, and the error answers.
#include <gtest/gtest.h>

#include "automation/interpreter.h"
#include "shell/frm_main.h"
#include "support/world.h"

namespace {

using automation::MessageBoxInfo;
using core::Text;

// Queues actions on the headless loop; a message box can be made to appear.
struct FakeHost : automation::Host {
  explicit FakeHost(test::World& w) : world(w) {}
  void post(std::function<void()> action) override {
    world.loop.post([action] { core::attempt(action); });
  }
  bool reachable(const ui::Form&) const override { return !box; }
  std::optional<MessageBoxInfo> openMessageBox() override { return box; }
  bool pressMessageBoxButton(int id) override {
    if (id != 6 && id != 7) return false;
    pressed.push_back(id);
    return true;
  }
  test::World& world;
  std::optional<MessageBoxInfo> box;
  std::vector<int> pressed;
};

struct Dialog : ui::Form {
  static constexpr const char* kName = "Dialog";
  explicit Dialog(ui::Application& app) : Form(app, kName) {}
};

class AutomationTest : public ::testing::Test {
 protected:
  AutomationTest()
      : host(world), interpreter(world.app, host), frm(world.app.form<shell::FrmMain>()) {
    frm.show();
  }
  Text ask(const char* request) { return interpreter.handle(core::fromUtf8(request)); }
  std::string answer(const char* request) { return core::toUtf8(ask(request)); }

  test::World world;
  FakeHost host;
  automation::Interpreter interpreter;
  shell::FrmMain& frm;
};

TEST_F(AutomationTest, ReadsControlAndFormProperties) {
  frm.List1.addItem(u"C:\\");
  frm.List1.addItem(u"C:\\Photos");
  int row = frm.ListView1.addRow(u"");
  frm.ListView1.setCell(row, 1, u"c: [SYSTEM]");
  frm.MSG0[4]->setText(u"two\r\nlines\tand a tab");
  struct Case {
    const char* request;
    const char* expected;
  } cases[] = {
      {"get frmMain.Command1.caption", "Scan"},
      {"get frmMain.MSG0(30).caption", "MSG0"},
      {"GET FRMMAIN.command1.CAPTION", "Scan"},
      {"get frmMain.width", "13065"},
      {"get frmMain.visible", "true"},
      {"get frmMain.Timer2.interval", "1000"},
      {"get frmMain.List1.listcount", "2"},
      {"get frmMain.List1.list(1)", "C:\\Photos"},
      {"get frmMain.ListView1.item(0,1)", "c: [SYSTEM]"},
      {"get frmMain.Check1.value", "0"},
      {"get frmMain.MSG0(4).caption", "two\\r\\nlines\\tand a tab"},
      {"forms", "frmMain"},
  };
  for (auto& c : cases) EXPECT_EQ(answer(c.request), c.expected) << c.request;
}

TEST_F(AutomationTest, UnknownNamesAndBadRequestsAnswerWithAReason) {
  struct Case {
    const char* request;
    const char* reason;  // a part of the answer after "error: "
  } cases[] = {
      {"", "empty request"},
      {"jump frmMain.Command1", "unknown command 'jump'"},
      {"get Form9.Command1.caption", "no form 'Form9' is loaded"},
      {"get frmMain.NoSuchControl.caption", "no control 'NoSuchControl'"},
      {"get frmMain.Command1.colour", "has no property 'colour'"},
      {"get frmMain.MSG0.caption", "control array"},
      {"get frmMain.MSG0(31).caption", "has no MSG0(31)"},
      {"get frmMain.List1.list(99)", "list(99) is out of range"},
      {"get frmMain.nosuch", "frmMain has no property 'nosuch'"},
      {"get frmMain.Command1.caption.more", "too many parts"},
      {"get frmMain.Command1(x).caption", "bad index"},
      {"set frmMain.List1.listcount 3", "that can be set"},
      {"select frmMain.Command1 0", "is not a list"},
      {"select frmMain.List1 0", "outside 0 to -1"},
      {"answer 6", "no message box is open"},
      {"answer", "answer needs a button"},
  };
  for (auto& c : cases) {
    std::string got = answer(c.request);
    EXPECT_EQ(got.rfind("error: ", 0), 0u) << c.request << " -> " << got;
    EXPECT_NE(got.find(c.reason), std::string::npos) << c.request << " -> " << got;
  }
}

TEST_F(AutomationTest, ActionsRunLaterOnTheLoopAndOnlyOnce) {
  int clicks = 0, changes = 0, ticks = 0;
  frm.Command1.click += [&] { ++clicks; };
  frm.Text1.change += [&] { ++changes; };
  frm.Check1.click += [&] { ++ticks; };

  EXPECT_EQ(answer("click frmMain.Command1"), "ok");
  EXPECT_EQ(answer("set frmMain.Text1.text G:\\My Photos"), "ok");
  EXPECT_EQ(answer("set frmMain.Check1.value 1"), "ok");
  // Nothing ran inside the requests themselves.
  EXPECT_EQ(clicks + changes + ticks, 0);

  world.loop.runFor(0.1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(frm.Text1.text(), u"G:\\My Photos");
  EXPECT_EQ(frm.Check1.value(), 1);
  // A click gives the button the focus, as the mouse does; setting a value
  // from a script does not move it.
  EXPECT_EQ(frm.activeControl(), &frm.Command1);
}

TEST_F(AutomationTest, SelectingAnEntryIsTheUsersChoice) {
  for (auto t : {u"A:", u"C:", u"G:"}) frm.List1.addItem(t);
  std::vector<int> seen;
  frm.List1.click += [&] { seen.push_back(frm.List1.listIndex()); };
  frm.ListView1.addRow(u"");
  frm.ListView1.addRow(u"");
  int rowClicks = 0;
  frm.ListView1.click += [&] { ++rowClicks; };

  EXPECT_EQ(answer("select frmMain.List1 2"), "ok");
  EXPECT_EQ(answer("select frmMain.ListView1 1"), "ok");
  EXPECT_EQ(answer("select frmMain.List1 3"),
            "error: frmMain.List1 (unicode list box): index 3 is outside 0 to 2");
  world.loop.runFor(0.1);
  EXPECT_EQ(seen, std::vector<int>{2});
  EXPECT_EQ(frm.ListView1.selected(), 1);
  EXPECT_EQ(rowClicks, 1);
  EXPECT_EQ(frm.activeControl(), &frm.ListView1);  // the list clicked last has the focus
}

TEST_F(AutomationTest, WhatTheUserCannotReachIsRefused) {
  int clicks = 0;
  frm.Command2.click += [&] { ++clicks; };
  frm.Command3.click += [&] { ++clicks; };

  frm.Command2.setEnabled(false);
  EXPECT_EQ(answer("click frmMain.Command2"),
            "error: frmMain.Command2 (unicode button) is disabled");
  // Command3 sits in the hidden editor panel.
  EXPECT_EQ(answer("click frmMain.Command3"), "error: frmMain.Command3 (button) is not shown");
  frm.Command2.setEnabled(true);
  host.box = MessageBoxInfo{u"Tamsel", u"Sure?"};
  EXPECT_EQ(answer("click frmMain.Command2"),
            "error: frmMain takes no input while a message box is open");
  host.box.reset();

  // While another window is modal, the main window takes no clicks.
  auto& dialog = world.app.form<Dialog>();
  std::string during;
  world.loop.post([&] { dialog.showModal(); });
  world.loop.post(
      [&] {
        during = answer("click frmMain.Command2");
        dialog.hide();
      },
      0.5);
  world.loop.runFor(1);
  EXPECT_EQ(during, "error: frmMain takes no input while another window is modal");
  EXPECT_EQ(clicks, 0);
}

TEST_F(AutomationTest, AQueuedClickIsDroppedWhenTheControlBecameUnreachable) {
  int clicks = 0;
  frm.Command2.click += [&] { ++clicks; };
  EXPECT_EQ(answer("click frmMain.Command2"), "ok");
  frm.Command2.setEnabled(false);
  world.loop.runFor(0.1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(AutomationTest, ReadsAndAnswersTheOpenMessageBox) {
  EXPECT_EQ(answer("msgbox"), "");
  host.box = MessageBoxInfo{u"Tamsel", u"Delete\r\nall files?"};
  EXPECT_EQ(answer("msgbox"), "Tamsel\tDelete\\r\\nall files?");
  EXPECT_EQ(answer("answer 6"), "ok");
  EXPECT_EQ(answer("answer 2"), "error: the message box has no button 2");
  EXPECT_EQ(host.pressed, std::vector<int>{6});
}

TEST_F(AutomationTest, FormPropertiesCanBeSet) {
  EXPECT_EQ(answer("set frmMain.width 14000"), "ok");
  EXPECT_EQ(answer("set frmMain.caption x"),
            "error: frmMain has no property 'caption' that can be set");
  world.loop.runFor(0.1);
  EXPECT_EQ(frm.width(), 14000);
}

// The names `set` accepts are the ones the model sets, kind by kind.
TEST_F(AutomationTest, SettableNamesMatchTheModel) {
  const char* names[] = {"caption",   "text",      "visible",  "enabled", "left",
                         "top",       "width",     "height",   "value",   "interval",
                         "listindex", "listcount", "selstart", "kind",    "tooltip"};
  for (auto& c : frm.controls()) {
    for (const char* name : names) {
      auto current = c->property(name, "");
      if (!current) {
        EXPECT_FALSE(automation::settable(*c, name)) << c->fullName() << "." << name;
        continue;
      }
      bool took;
      try {
        took = c->setProperty(name, *current);
      } catch (const core::Error&) {
        took = true;  // the name is known; the value was refused
      }
      EXPECT_EQ(automation::settable(*c, name), took) << c->fullName() << "." << name;
    }
  }
}

}  // namespace
