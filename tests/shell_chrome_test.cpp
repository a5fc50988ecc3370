// The main window's frame: the layout rule, dragging, hover and press, the
// cover, the blink; the splash; the About window.
#include <gtest/gtest.h>

#include "about/about.h"
#include "app/norvane.h"
#include "shell/chrome.h"
#include "shell/splash.h"
#include "support/world.h"

using test::World;
using ui::MouseEvent;
using ui::WindowState;

namespace {

struct Started : World {
  Started() : frm(norvane.showMain()) {}
  app::Norvane norvane{app};
  shell::FrmMain& frm;
};

constexpr MouseEvent kLeftHeld{ui::mouse::Left, 0, 10, 10};
constexpr MouseEvent kNoButton{0, 0, 10, 10};

TEST(LayoutRule, KeepsTheDesignSizeAndTheButtonsOnTheRightEdge) {
  Started s;
  auto& f = s.frm;
  f.move(300, 200, 10000, 5000);
  EXPECT_EQ(f.width(), 13065);
  EXPECT_EQ(f.height(), 8940);
  EXPECT_EQ(f.Label18.left(), 12480);
  EXPECT_EQ(f.Label21.left(), 12000);
  EXPECT_EQ(f.Label20.left(), 11520);
  f.move(300, 200, 15000, 9000);
  EXPECT_EQ(f.width(), 15000);
  EXPECT_EQ(f.Label18.left(), 15000 - 450 - 135);
  EXPECT_EQ(f.Image5.width(), 15000);
  EXPECT_EQ(f.Image5.height(), 9000);
  EXPECT_EQ(f.left(), 300);
}

TEST(LayoutRule, RefusesMaximiseAndLeavesAMinimisedWindowAlone) {
  Started s;
  auto& f = s.frm;
  f.setState(WindowState::Maximised);
  EXPECT_EQ(f.state(), WindowState::Normal);
  EXPECT_EQ(f.width(), 13065);
  f.Label20.performClick();
  EXPECT_EQ(f.state(), WindowState::Minimised);
  f.Label18.setLeft(5);
  s.norvane.chrome().LayoutRule();
  EXPECT_EQ(f.Label18.left(), 5);  // nothing changes while minimised
}

TEST(Chrome, DragsOnlyWithTheButtonHeld) {
  Started s;
  auto& f = s.frm;
  f.Label17.performMouse(0, kLeftHeld);
  f.Label17.performMouse(1, kNoButton);
  f.Label1.performMouse(1, kLeftHeld);
  EXPECT_EQ(s.backend.drags.size(), 2u);
}

TEST(Chrome, CaptionButtonsShowHoverAndPress) {
  Started s;
  auto& f = s.frm;
  f.Label18.performMouse(1, kNoButton);
  EXPECT_EQ(f.Label18.backColour(), shell::chrome::Hover);
  EXPECT_EQ(f.Label20.backColour(), shell::chrome::Normal);
  // Straight onto the title strip: "X" stays orange until the background.
  f.Label17.performMouse(1, kNoButton);
  EXPECT_EQ(f.Label18.backColour(), shell::chrome::Hover);
  f.Image5.performMouse(1, kNoButton);
  EXPECT_EQ(f.Label18.backColour(), shell::chrome::Normal);

  f.Label20.performMouse(0, kLeftHeld);
  EXPECT_EQ(f.Label20.borderStyle(), 1);
  f.Label20.performMouse(2, kLeftHeld);
  EXPECT_EQ(f.Label20.borderStyle(), 0);
  f.Label21.performMouse(0, kLeftHeld);
  f.Label21.performMouse(2, kLeftHeld);
  EXPECT_EQ(f.Label21.borderStyle(), 1);  // "2" keeps its border
}

TEST(Chrome, TheCoverHidesTheLanguageBoxUntilTheMouseComes) {
  Started s;
  auto& f = s.frm;
  EXPECT_TRUE(f.Picture11.visible());
  f.Label15.performMouse(1, kNoButton);
  EXPECT_FALSE(f.Picture11.visible());
  f.Image5.performMouse(1, kNoButton);
  EXPECT_TRUE(f.Picture11.visible());
}

TEST(Chrome, TheFoundItemsCaptionBlinksOnlyWhileSomethingWasFound) {
  for (auto [found, blinks] : {std::pair{u"0", false}, {u"", false}, {u"3", true}}) {
    Started s;
    auto& f = s.frm;
    f.Label11.setText(found);
    std::vector<ui::Colour> backs;
    for (int i = 0; i < 4; ++i) {
      s.loop.runFor(0.5);
      backs.push_back(f.Label12.backColour());
    }
    bool changed = backs[0] != backs[1] || backs[1] != backs[2];
    EXPECT_EQ(changed, blinks) << core::toUtf8(found);
    if (!blinks) {
      EXPECT_EQ(f.Label12.foreColour(), shell::chrome::Red);
    }
  }
}

TEST(Splash, CentresTheGridAndFadesInTileByTile) {
  World w;
  app::Norvane n(w.app);
  n.start();
  auto* f1 = w.app.loaded<shell::F1>();
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->left(), 5070);
  EXPECT_EQ(f1->top(), 4980);
  w.loop.runFor(0.075);  // steps 1 to 7
  auto* f8 = w.app.loaded<shell::Tile<8>>();
  ASSERT_NE(f8, nullptr);
  EXPECT_EQ(f8->left(), 5070 + 3 * 1305);
  EXPECT_EQ(f8->top(), 4980 + 780);
  EXPECT_EQ(w.app.loaded<shell::Tile<6>>()->left(), 5070 + 1305);
  w.loop.runFor(1);
  auto* main = n.main();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->visible());
  EXPECT_EQ(w.app.loaded<shell::F1>(), nullptr);
  EXPECT_EQ(w.app.loaded<shell::Tile<8>>(), nullptr);
  EXPECT_EQ(w.backend.alphas["F8"].front(), 0);
}

TEST(Splash, AFullFadeRunsSeventeenStepsToOpaque) {
  World w;
  auto& tile = w.app.form<shell::Tile<3>>();
  tile.show();
  w.loop.runFor(2);
  std::vector<int> expected{0};
  for (int a = 0; a <= 255; a += 17) expected.push_back(a);
  EXPECT_EQ(w.backend.alphas["F3"], expected);
  EXPECT_EQ(tile.FadeTimer.interval(), 0);
}

TEST(Splash, AStepDuringTheMainWindowsLoadClosesF1Early) {
  World w;
  // Each drive of the table costs the load a 10 ms wait.
  for (char16_t d : std::u16string(u"CDEF")) w.machine.addDrive(d, platform::DriveType::Fixed);
  app::Norvane n(w.app);
  n.start();
  // The main window's load waits (it yields), so steps after 17 come while
  // step 17 is still running: F1 goes at once, the other tiles after it.
  bool f1GoneWhileLoading = false, tilesStayedWhileLoading = false, seen = false;
  w.loop.runUntil([&] { return w.app.loaded<shell::Tile<2>>() != nullptr; });
  auto* f1 = w.app.loaded<shell::F1>();
  f1->Timer1.tick += [&] {
    // The first handler to see step 18 is the one nested inside step 17.
    if (f1->SplashStep == 18 && !seen) {
      seen = true;
      f1GoneWhileLoading = !f1->loaded();
      tilesStayedWhileLoading = w.app.loaded<shell::Tile<5>>() != nullptr;
    }
  };
  w.loop.runFor(1);
  EXPECT_TRUE(f1GoneWhileLoading);
  EXPECT_TRUE(tilesStayedWhileLoading);
  EXPECT_EQ(w.app.loaded<shell::Tile<5>>(), nullptr);
  EXPECT_NE(n.main(), nullptr);
}

TEST(About, TitleFollowsTheAboutButtonAndAClickOnTheTextCloses) {
  Started s;
  s.frm.Command6.setText(u"X");
  s.frm.MSG0[25]->setText(u"Version 1.0");
  bool shown = false;
  s.loop.post([&] {
    auto* about = s.app.loaded<about::Form5>();
    ASSERT_NE(about, nullptr);
    shown = about->visible();
    EXPECT_EQ(about->caption(), u"X        Quillon for Computer");
    EXPECT_EQ(about->Label18.text(), u"Version 1.0");
    about->UniLabel3.performClick();  // does nothing
    EXPECT_TRUE(about->loaded());
    about->Label1.performClick();
    about->UniLabel1.performClick();
  });
  s.frm.Command6.performClick();
  EXPECT_TRUE(shown);
  EXPECT_EQ(s.app.loaded<about::Form5>(), nullptr);
  ASSERT_FALSE(s.machine.started.empty());
  EXPECT_EQ(s.machine.started.back().commandLine,
            u"RUNDLL32.EXE URL.DLL,FileProtocolHandler https://norvane.example");
}

}  // namespace
