// The main window as it comes up: inventory, design texts and the load.
#include <gtest/gtest.h>

#include "app/norvane.h"
#include "support/world.h"

using test::World;

TEST(MainWindow, ComesUpWithItsDesignTextsAndAnEmptyMessageTable) {
  World w;
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_TRUE(frm.visible());
  EXPECT_EQ(frm.width(), 13065);
  EXPECT_EQ(frm.height(), 8940);
  EXPECT_EQ(frm.Command1.text(), u"Scan");
  EXPECT_EQ(frm.Command2.text(), u"Fix only a File");
  EXPECT_EQ(frm.Check6.text(), u"Open Drive At Complete Scan  ");
  for (int i = 0; i < shell::FrmMain::kMessages; ++i) EXPECT_EQ(frm.message(i), u"MSG0");
  EXPECT_EQ(frm.find("MSG0", 30), frm.MSG0[30]);
  EXPECT_EQ(frm.Timer2.interval(), 1000);
  EXPECT_EQ(frm.Timer10.interval(), 0);
  EXPECT_FALSE(frm.Picture7.visible());
  EXPECT_FALSE(frm.Picture5.visible());
  // Loading waited its 0.01 s settle time on the clock.
  EXPECT_GE(w.clock.monotonic(), 0.01);
}
