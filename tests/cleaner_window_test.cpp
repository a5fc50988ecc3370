// The system cleaner window on the simulated machine: opening it, the run
// with its tool, progress measurement and bar, the option markers, the hot
// spots, and the folder size walk.
#include <gtest/gtest.h>

#include "support/cleaner_world.h"

using namespace platform;
using cleaner::Form1;
using test::CleanerWorld;
using Text = core::Text;

namespace {

constexpr double kKB = 1024;
constexpr double kFullBar = 59.85 * 100 + 15;

TEST(CleanerOpen, OpensOnlyWhenBothToolsArePresent) {
  struct Case {
    const char* name;
    bool ombra, sedil;
    bool ombraAsFolder;
    bool opens;
  } cases[] = {
      {"both tools", true, true, false, true},
      {"Sedil.exe missing", true, false, false, false},
      {"Ombra.exe missing", false, true, false, false},
      {"a folder named Ombra.exe counts", true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CleanerWorld w(false);
    if (c.ombra) {
      if (c.ombraAsFolder)
        w.machine.addFolder(CleanerWorld::kOmbra);
      else
        w.machine.addFile(CleanerWorld::kOmbra);
    }
    if (c.sedil) w.machine.addFile(CleanerWorld::kSedil);
    bool modal = false;
    bool shown = w.withCleaner([&](Form1& f) { modal = f.modal(); });
    EXPECT_EQ(shown, c.opens);
    EXPECT_EQ(modal, c.opens);
    EXPECT_TRUE(w.backend.boxes.empty());  // nothing is reported either way
    EXPECT_TRUE(w.machine.started.empty());
  }
}

TEST(CleanerWindow, LoadsItsTextsIconAndClip) {
  CleanerWorld w;
  for (int n = 18; n <= 23; ++n) w.frm->MSG0[n]->setText(u"m" + core::decimal(n));
  w.withCleaner([&](Form1& f) {
    EXPECT_EQ(f.Label4.text(), u"m18");
    EXPECT_EQ(f.Label5.text(), u"m19");
    EXPECT_EQ(f.Command1.text(), u"m20");
    EXPECT_EQ(f.Command2.text(), u"m21");
    EXPECT_EQ(f.Option1.text(), u"m22");
    EXPECT_EQ(f.Option2.text(), u"m23");
    EXPECT_EQ(f.Image2.picture(), "norvane");
    EXPECT_EQ(f.left(), w.frm->left() + (w.frm->width() - 7050) / 2);
    EXPECT_EQ(f.Animation1.clip(), u"C:\\Norvane\\Kit\\Brisa.bmp");
    // The clip fills the progress panel above the bar.
    EXPECT_EQ(f.Animation1.width(), f.Picture2.width());
    EXPECT_EQ(f.Animation1.height(), f.Picture10.top());
    EXPECT_TRUE(f.Option2.value());
    EXPECT_TRUE(f.Command1.enabled());
    EXPECT_FALSE(f.Picture2.visible());
    EXPECT_FALSE(f.Timer1.enabled());
  });
}

TEST(CleanerRun, StartsTheToolHiddenAndWaitsForItsEnd) {
  CleanerWorld w;
  w.machine.addSizedFile(u"C:\\Temp\\a.tmp", 4096);
  w.toolRuns(1.0);
  double clicked = 0, boxAt = -1;
  int ticks = 0;
  struct AtBox {
    Text caption;
    bool timer, panel;
    double textPanel;
  } atBox{};
  w.withCleaner([&](Form1& f) {
    f.Timer1.tick += [&] { ++ticks; };
    w.backend.answer = [&](const ui::MessageBoxRequest&) {
      boxAt = w.clock.monotonic();
      atBox = {f.Label15.text(), f.Timer1.enabled(), f.Picture2.visible(), f.Picture1.height()};
      return 1;
    };
    clicked = w.clock.monotonic();
    f.Command1.performClick();
    // After the end message: the progress panel goes, the text panel returns.
    EXPECT_FALSE(f.Picture2.visible());
    EXPECT_EQ(f.Picture1.height(), 2595);
    EXPECT_FALSE(f.Command1.enabled());
  });
  ASSERT_EQ(w.machine.started.size(), 1u);
  EXPECT_EQ(w.machine.started[0].commandLine, u"\"C:\\Norvane\\Kit\\Ombra.exe\"");
  EXPECT_EQ(w.machine.started[0].show, show::Hidden);
  EXPECT_EQ(w.norvane.cleaner().memory().ToolPid, 100u);
  EXPECT_EQ(w.norvane.cleaner().memory().CleanFolder, u"C:\\Temp");
  EXPECT_EQ(w.norvane.cleaner().memory().TempDone, u"Yes");
  EXPECT_EQ(w.norvane.cleaner().memory().PrefetchDone, u"");
  // The end message came once the tool had ended, with the timer stopped.
  EXPECT_GE(boxAt, clicked + 1.0);
  EXPECT_GE(ticks, 9);  // the measurement ran every 0.1 s meanwhile
  EXPECT_EQ(atBox.caption, u"100 %");
  EXPECT_FALSE(atBox.timer);
  EXPECT_TRUE(atBox.panel);
  EXPECT_EQ(atBox.textPanel, 1215);
  ASSERT_EQ(w.backend.boxes.size(), 1u);
  EXPECT_EQ(w.backend.boxes[0].text, w.frm->message(29));
  EXPECT_EQ(w.backend.boxes[0].title, w.frm->message(18));
  EXPECT_EQ(w.backend.boxes[0].style, 0u);
}

TEST(CleanerRun, PrefetchOptionRunsSedilOnThePrefetchFolder) {
  CleanerWorld w;
  w.withCleaner([](Form1& f) {
    f.Option1.performClick();
    f.Command1.performClick();
  });
  ASSERT_EQ(w.machine.started.size(), 1u);
  EXPECT_EQ(w.machine.started[0].commandLine, u"\"C:\\Norvane\\Kit\\Sedil.exe\"");
  EXPECT_EQ(w.norvane.cleaner().memory().CleanFolder, u"C:\\WINDOWS\\Prefetch");
  EXPECT_EQ(w.norvane.cleaner().memory().PrefetchDone, u"Yes");
  EXPECT_EQ(w.norvane.cleaner().memory().TempDone, u"");
}

// What the percentage label and the bar show while the tool runs.
TEST(CleanerProgress, MeasuresTheShrinkingFolder) {
  struct Case {
    const char* name;
    std::function<void(sim::Machine&)> before, during;
    Text caption;
    double bar;
  } cases[] = {
      {"1000 KB shrinking to 250 KB",
       [](sim::Machine& m) {
         m.addSizedFile(u"C:\\Temp\\big.tmp", 750 * 1024);
         m.addFolder(u"C:\\Temp\\sub");
         m.addSizedFile(u"C:\\Temp\\sub\\rest.tmp", 250 * 1024);
       },
       [](sim::Machine& m) { m.deleteFile(u"C:\\Temp\\big.tmp"); }, u"75 %", 4488.75 + 15},
      {"a folder that grows",
       [](sim::Machine& m) { m.addSizedFile(u"C:\\Temp\\a.tmp", 1000 * 1024); },
       [](sim::Machine& m) { m.addSizedFile(u"C:\\Temp\\b.tmp", 500 * 1024); }, u"0 %", 15},
      {"an empty folder", [](sim::Machine&) {}, [](sim::Machine&) {}, u"100 %", kFullBar},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CleanerWorld w;
    c.before(w.machine);
    w.toolRuns(0.55, [&] { c.during(w.machine); });
    std::vector<std::pair<Text, double>> seen;  // caption and bar after each tick
    w.withCleaner([&](Form1& f) {
      f.Timer1.tick += [&] { seen.emplace_back(f.Label15.text(), f.Image6.width()); };
      f.Command1.performClick();
      EXPECT_EQ(f.Label15.text(), u"100 %");
      EXPECT_DOUBLE_EQ(f.Image6.width(), kFullBar);
    });
    ASSERT_GE(seen.size(), 4u);
    for (auto& [caption, bar] : seen) {
      EXPECT_EQ(caption, c.caption);
      EXPECT_DOUBLE_EQ(bar, c.bar);
    }
  }
}

TEST(CleanerProgress, EndsAtOnceWhenTheToolCannotStartOrTempIsUnset) {
  struct Case {
    const char* name;
    bool unstartable, tempUnset;
    size_t started;
  } cases[] = {{"tool cannot start", true, false, 0}, {"TEMP unset", false, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CleanerWorld w;
    w.machine.addSizedFile(u"C:\\Temp\\a.tmp", 100 * 1024);
    if (c.unstartable) w.machine.unstartable.push_back(u"\"C:\\Norvane\\Kit\\Ombra.exe");
    if (c.tempUnset) w.machine.environmentVariables.clear();
    w.toolRuns(0.35);
    std::vector<Text> seen;
    w.withCleaner([&](Form1& f) {
      f.Timer1.tick += [&] { seen.push_back(f.Label15.text()); };
      f.Command1.performClick();
      EXPECT_EQ(f.Label15.text(), u"100 %");
    });
    EXPECT_EQ(w.machine.started.size(), c.started);
    EXPECT_EQ(w.backend.boxes.size(), 1u);  // the end message all the same
    for (const Text& caption : seen) EXPECT_EQ(caption, u"100 %");
    if (c.tempUnset) {
      EXPECT_GE(seen.size(), 3u);
    } else {
      EXPECT_TRUE(seen.empty());  // no wait, no tick
    }
  }
}

TEST(CleanerOptions, MarkersKeepARunFromStartingTwice) {
  CleanerWorld w;
  w.withCleaner([](Form1& f) {
    f.Command1.performClick();  // temporary folder
    EXPECT_FALSE(f.Command1.enabled());
    f.Option1.performClick();  // prefetch not run yet
    EXPECT_TRUE(f.Command1.enabled());
    f.Command1.performClick();  // prefetch folder
    EXPECT_FALSE(f.Command1.enabled());
    f.Option2.performClick();
    EXPECT_FALSE(f.Command1.enabled());
    f.Option1.performClick();
    EXPECT_FALSE(f.Command1.enabled());
  });
  EXPECT_EQ(w.machine.started.size(), 2u);
  // Reopened: ready again with Option2, the markers kept.
  w.withCleaner([](Form1& f) {
    EXPECT_TRUE(f.Option2.value());
    EXPECT_FALSE(f.Option1.value());
    EXPECT_TRUE(f.Command1.enabled());
    f.Option1.performClick();
    f.Option2.performClick();
  });
  EXPECT_EQ(w.norvane.cleaner().memory().TempDone, u"Yes");
  EXPECT_EQ(w.norvane.cleaner().memory().PrefetchDone, u"Yes");
}

TEST(CleanerWindow, HotSpotsDragAndClose) {
  CleanerWorld w;
  w.withCleaner([&](Form1& f) {
    ui::MouseEvent none, left;
    left.button = ui::mouse::Left;
    f.Label1.performMouse(1, none);
    EXPECT_EQ(f.Label1.borderStyle(), 1);
    EXPECT_EQ(f.Label3.borderStyle(), 0);
    f.Label3.performMouse(1, none);
    EXPECT_EQ(f.Label1.borderStyle(), 0);
    EXPECT_EQ(f.Label3.borderStyle(), 1);
    f.Image1.performMouse(1, none);
    EXPECT_EQ(f.Label1.borderStyle(), 0);
    EXPECT_EQ(f.Label3.borderStyle(), 0);

    f.Label4.performMouse(1, none);  // hovering the title does not drag
    EXPECT_TRUE(w.backend.drags.empty());
    f.Label4.performMouse(0, left);
    f.Label4.performMouse(1, left);
    EXPECT_EQ(w.backend.drags, (std::vector<std::string>{"Form1", "Form1"}));

    f.Label3.performClick();
    EXPECT_EQ(f.state(), ui::WindowState::Minimised);
    f.Label3.performClick();
    EXPECT_EQ(f.state(), ui::WindowState::Normal);
    f.Label1.performClick();
    EXPECT_TRUE(f.closed());
  });
  EXPECT_EQ(w.form1(), nullptr);
}

TEST(CleanerWindow, ClosingDuringARunLetsTheRunFinish) {
  CleanerWorld w;
  w.toolRuns(1.0);
  w.machine.addSizedFile(u"C:\\Temp\\a.tmp", 10 * 1024);
  w.loop.post([&] { w.form1()->Command2.performClick(); }, 0.5);
  w.withCleaner([](Form1& f) { f.Command1.performClick(); });
  w.loop.runFor(1);
  EXPECT_EQ(w.form1(), nullptr);
  EXPECT_EQ(w.backend.boxes.size(), 1u);  // the run still ended with its message
}

TEST(FolderSize, CountsEveryFileOnceAtAnyDepth) {
  test::World w;
  auto& m = w.machine;
  m.addDrive(u'C', DriveType::Fixed);
  m.addFolder(u"C:\\T");
  m.addSizedFile(u"C:\\T\\huge.bin", 5ULL << 30);
  m.addFile(u"C:\\T\\h.sys", "abc", attr::Hidden | attr::System);
  m.addFolder(u"C:\\T\\a\\b\\c", attr::Directory | attr::Hidden);
  m.addFile(u"C:\\T\\a\\b\\c\\deep.txt", "1234567");
  m.addFolder(u"C:\\T\\locked");
  m.addFile(u"C:\\T\\locked\\x", "unreadable");
  m.setUnreadable(u"C:\\T\\locked", true);
  m.addFolder(u"C:\\Elsewhere");
  m.addSizedFile(u"C:\\Elsewhere\\big", 1 << 20);
  m.addFolderLink(u"C:\\T\\link", u"C:\\Elsewhere");

  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T"), 5.0 * (1ULL << 30) + 10);
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T\\"), 5.0 * (1ULL << 30) + 10);
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T\\huge.bin"), 5.0 * (1ULL << 30));
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T\\missing"), 0);
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u""), 0);
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T\\locked"), 0);
}

TEST(FolderSize, YieldsDuringTheWalk) {
  test::World w;
  w.machine.addDrive(u'C', DriveType::Fixed);
  w.machine.addFolder(u"C:\\T");
  w.machine.addFile(u"C:\\T\\a", "x");
  bool ranDuringWalk = false;
  w.loop.post([&] { ranDuringWalk = true; });
  EXPECT_EQ(cleaner::GetFolderSize(w.app, u"C:\\T"), 1);
  EXPECT_TRUE(ranDuringWalk);
}

}  // namespace
