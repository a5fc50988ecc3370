// The form model over the headless backend: events raised by code, timers,
// Pause, modal loops and deferred unload.
#include <gtest/gtest.h>

#include "support/world.h"
#include "ui/controls.h"

using namespace ui;
using test::World;

namespace {

class Plain : public Form {
 public:
  static constexpr const char* kName = "Plain";
  explicit Plain(Application& app) : Form(app, kName) {}
  Label& label = add<Label>("Label1", -1, true);
  Label& plainLabel = add<Label>("Label2");
  TextBox& text = add<TextBox>("Text1", -1, true);
  ListBox& list = add<ListBox>("List1");
  CheckBox& check = add<CheckBox>("Check1");
  OptionButton& optA = add<OptionButton>("Option1");
  OptionButton& optB = add<OptionButton>("Option2");
  Timer& timer = add<Timer>("Timer1", 0);
  Timer& other = add<Timer>("Timer2", 0);
  Button& ok = add<Button>("Command1");
};

class Dialog : public Form {
 public:
  static constexpr const char* kName = "Dialog";
  explicit Dialog(Application& app) : Form(app, kName) {}
  Button& close = add<Button>("Command1");
};

}  // namespace

TEST(FormModel, CodeChangesRaiseTheUsersEvents) {
  World w;
  auto& f = w.app.form<Plain>();
  int changes = 0, clicks = 0, checks = 0;
  f.text.change += [&] { ++changes; };
  f.list.click += [&] { ++clicks; };
  f.check.click += [&] { ++checks; };

  f.text.setText(u"a");
  f.text.setText(u"a");  // same text: no change event
  f.text.setText(u"");
  EXPECT_EQ(changes, 2);

  f.list.addItem(u"x");
  f.list.addItem(u"y");
  f.list.setListIndex(1);
  f.list.setListIndex(1);  // the selection it already has: no click
  f.list.setListIndex(-1);
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(f.list.setListIndex(2), core::Error);

  f.check.setValue(1);
  f.check.performClick();  // the user's click toggles
  EXPECT_EQ(f.check.value(), 0);
  EXPECT_EQ(checks, 2);
}

TEST(FormModel, OptionButtonsFormOneGroupPerContainer) {
  World w;
  auto& f = w.app.form<Plain>();
  f.optA.setValue(true);
  f.optB.performClick();
  EXPECT_FALSE(f.optA.value());
  EXPECT_TRUE(f.optB.value());
}

TEST(FormModel, PlainControlsHoldOnlyWhatTheCodePageCarries) {
  World w;
  auto& f = w.app.form<Plain>();
  f.label.setText(u"نمونه é");
  f.plainLabel.setText(u"نمونه é");
  EXPECT_EQ(f.label.text(), u"نمونه é");
  EXPECT_EQ(f.plainLabel.text(), u"????? é");
  f.list.addItem(u"Ωx");
  EXPECT_EQ(f.list.list(0), u"?x");
}

TEST(FormModel, ListPrefixSearchIgnoresCaseAndFindsTheFirstMatch) {
  World w;
  auto& f = w.app.form<Plain>();
  for (auto t : {u"SAMPLE.EXE2", u"sample.exe", u"other"}) f.list.addItem(t);
  EXPECT_EQ(f.list.findString(u"SAMPLE.EXE"), 0);
  EXPECT_EQ(f.list.findString(u"oth"), 2);
  EXPECT_EQ(f.list.findString(u"zzz"), -1);
  EXPECT_EQ(f.list.findString(u"sample", 0), 1);  // search after an index
}

TEST(FormModel, TimersTickOnTheVirtualClockAndNeverReenterTheirHandler) {
  World w;
  auto& f = w.app.form<Plain>();
  std::vector<double> ticks;
  int depth = 0, deepest = 0;
  f.timer.tick += [&] {
    ticks.push_back(w.clock.monotonic());
    ++depth;
    deepest = std::max(deepest, depth);
    w.loop.pause(0.25);  // yields while 10 ms deadlines pass
    --depth;
  };
  int otherTicks = 0;
  f.other.tick += [&] { ++otherTicks; };
  f.timer.setInterval(10);
  f.other.setInterval(50);
  w.loop.runFor(1.0);
  EXPECT_EQ(deepest, 1);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_NEAR(ticks[0], 0.01, 1e-9);
  EXPECT_NEAR(ticks[1] - ticks[0], 0.25, 1e-9);  // late: ticks once right after
  EXPECT_GE(otherTicks, 15);                     // the other timer ran during the pauses
}

TEST(FormModel, ReentrantTimerMayTickInsideItsOwnHandler) {
  World w;
  auto& f = w.app.form<Plain>();
  int depth = 0, deepest = 0, count = 0;
  f.timer.setReentrant(true);
  f.timer.tick += [&] {
    ++count;
    ++depth;
    deepest = std::max(deepest, depth);
    if (count == 1) w.loop.pause(0.05);
    --depth;
  };
  f.timer.setInterval(10);
  w.loop.runFor(0.1);
  EXPECT_GE(deepest, 2);
}

TEST(FormModel, StoppingATimerInsideItsTickStopsIt) {
  World w;
  auto& f = w.app.form<Plain>();
  int count = 0;
  f.timer.tick += [&] {
    ++count;
    f.timer.setInterval(0);
  };
  f.timer.setInterval(500);
  w.loop.runFor(3);
  EXPECT_EQ(count, 1);
}

TEST(Pause, WaitsTheGivenTimeOnTheClock) {
  World w;
  double start = w.clock.monotonic();
  w.loop.pause(0.01);
  EXPECT_NEAR(w.clock.monotonic() - start, 0.01, 1e-9);
}

TEST(Pause, EndsWhenTheClockPassesMidnight) {
  World w(86400 - 0.005);  // 5 ms before midnight
  double start = w.clock.monotonic();
  // The target (86400.045) is never reached by the restarted clock; the wait
  // ends because the target lies far ahead of it, instead of waiting a day.
  w.loop.limit = 60;
  EXPECT_NO_THROW(w.loop.pause(0.05));
  EXPECT_LE(w.clock.monotonic() - start, 0.1 + 1e-9);
}

TEST(ModalLoop, WaitsUntilTheWindowCloses) {
  World w;
  auto& main = w.app.form<Plain>();
  main.show();
  int mainTicks = 0;
  main.timer.tick += [&] { ++mainTicks; };
  main.timer.setInterval(100);
  bool returned = false;
  w.loop.post([&] { w.app.loaded<Dialog>()->close.performClick(); }, 1.0);
  auto& dlg = w.app.form<Dialog>();
  dlg.close.click += [&] { dlg.unload(); };
  dlg.showModal();
  returned = true;
  EXPECT_TRUE(returned);
  EXPECT_NEAR(w.clock.monotonic(), 1.0, 1e-9);
  EXPECT_GE(mainTicks, 9);  // the main window's timers went on meanwhile
  EXPECT_EQ(w.app.loaded<Dialog>(), nullptr);
}

TEST(ModalLoop, OtherWindowsTakeNoInputMeanwhile) {
  World w;
  auto& main = w.app.form<Plain>();
  auto& dlg = w.app.form<Dialog>();
  bool mainAccepted = true;
  w.loop.post([&] {
    mainAccepted = main.ok.inputEnabled();
    dlg.hide();
  });
  dlg.showModal();
  EXPECT_FALSE(mainAccepted);
  EXPECT_TRUE(main.ok.inputEnabled());
}

TEST(Unload, IsDeferredUntilTheFormsOwnHandlerReturns) {
  World w;
  auto& dlg = w.app.form<Dialog>();
  Dialog* raw = &dlg;
  bool stillUsable = false;
  dlg.close.click += [&] {
    raw->unload();
    // The object must outlive its own handler.
    stillUsable = raw->close.text().empty() && !raw->loaded();
  };
  dlg.close.performClick();
  EXPECT_TRUE(stillUsable);
  EXPECT_EQ(w.app.loaded<Dialog>(), nullptr);
  auto& again = w.app.form<Dialog>();  // a fresh instance
  EXPECT_TRUE(again.loaded());
  w.loop.yield();  // frees the old one
}

TEST(Unload, StopsTheFormsTimers) {
  World w;
  auto& f = w.app.form<Plain>();
  int ticks = 0;
  f.timer.tick += [&] { ++ticks; };
  f.timer.setInterval(10);
  w.loop.runFor(0.05);
  int before = ticks;
  f.unload();
  w.loop.runFor(0.1);
  EXPECT_EQ(ticks, before);
}

TEST(FormModel, AFailedStepInATickEndsOnlyThatTick) {
  World w;
  auto& f = w.app.form<Plain>();
  int ticks = 0;
  f.timer.tick += [&] {
    ++ticks;
    throw core::Error(5, "refused");
  };
  f.timer.setInterval(10);
  bool pauseReturned = false;
  EXPECT_NO_THROW({
    w.loop.pause(0.05);
    pauseReturned = true;
  });
  EXPECT_TRUE(pauseReturned);
  EXPECT_GE(ticks, 4);
}
