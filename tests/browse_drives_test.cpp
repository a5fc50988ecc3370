// The drive table, the drive choice and the drive poll.
#include <gtest/gtest.h>

#include "support/browse_world.h"

using test::BrowseWorld;
using test::DriveType;
using Row = BrowseWorld::Row;
using core::Text;

namespace {

std::vector<Text> items(const ui::ListBox& list) { return list.items(); }

}  // namespace

TEST(BrowseDrives, TableRowsGiveNameKindAndSize) {
  BrowseWorld w;
  w.machine.addDrive(u'A', DriveType::Removable);
  w.machine.setMedia(u'A', false);
  w.machine.addDrive(u'B', DriveType::Removable, u"FLOPPY", 1'474'560);
  w.machine.addDrive(u'D', DriveType::CdRom);
  w.machine.setMedia(u'D', false);
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK", 16'000'000'000ULL);
  w.machine.addDrive(u'H', DriveType::Removable, u"", 536'870'912);
  // A RAM disk has no icon of its own: it keeps the icon of the row before it.
  w.machine.addDrive(u'R', DriveType::RamDisk, u"", 2'000'000'000);
  w.machine.addDrive(u'T', DriveType::Fixed, u"", 30'000'000'000'000ULL);
  w.machine.addDrive(u'Z', DriveType::Remote, u"", 2'000'000'000);
  w.machine.setShare(u'Z', u"\\\\server\\share");
  auto& frm = w.start();

  // A drive with a description is asked for its kind by its whole entry
  // ("g: [STICK]\"), which is no root path: it reads as a local disk.
  std::vector<Row> expected = {
      {3, u" Removable Disk (A:)", u"0  MB"},
      {1, u"  [FLOPPY] (B:)", u"0  MB"},  // A: and B: are never measured
      {1, u"  [SYSTEM] (C:)", u"488.38  GB"},
      {2, u" CD Drive (D:)", u"0  MB"},
      {1, u"  [STICK] (G:)", u"15.62  GB"},
      {3, u" Removable Disk (H:)", u"526  MB"},
      {3, u"  (R:)", u"1.95  GB"},
      {1, u" Local Disk (T:)", u"29296.87  GB"},
      {1, u"  [\\\\server\\share] (Z:)", u"1.95  GB"},
  };
  EXPECT_EQ(w.rows(), expected);
  EXPECT_EQ(items(frm.List2),
            (std::vector<Text>{u"A:", u"B:", u"C:", u"D:", u"G:", u"H:", u"R:", u"T:", u"Z:"}));
  EXPECT_EQ(frm.LastDriveCount, 9);
  EXPECT_EQ(frm.Text2.text(), u"a:b: [FLOPPY]c: [SYSTEM]d:g: [STICK]h:r:t:z: [\\\\server\\share]");
  EXPECT_EQ(frm.UniImageList1.images().size(), 6u);
}

TEST(BrowseDrives, LoadChoosesTheFirstDrive) {
  BrowseWorld w;
  w.machine.addFolder(u"C:\\Windows");
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  auto& frm = w.start();

  EXPECT_EQ(frm.List2.listIndex(), 0);
  EXPECT_EQ(frm.ListView1.selected(), 0);
  EXPECT_EQ(frm.Drive1.drive(), u"c: [SYSTEM]");
  EXPECT_EQ(items(frm.List1), (std::vector<Text>{u"C:\\", u"C:\\Norvane", u"C:\\Windows"}));
  EXPECT_EQ(frm.List1.listIndex(), -1);
  EXPECT_EQ(frm.filList.path(), u"C:\\");
  EXPECT_EQ(items(frm.filList), std::vector<Text>{u"boot.ini"});
  // No folder is selected yet, so the chosen file's path has no folder part.
  EXPECT_EQ(frm.filList.listIndex(), 0);
  EXPECT_EQ(frm.Text1.text(), u"\\boot.ini");
  EXPECT_EQ(frm.tvFolders.lineStyle(), 1);
  EXPECT_EQ(frm.ListView1.height(), frm.List1.height() + 30);
}

TEST(BrowseDrives, ChoosingARowChoosesItsDriveAndAnEmptyCdSnapsBack) {
  BrowseWorld w;
  w.machine.addDrive(u'D', DriveType::CdRom);
  w.machine.setMedia(u'D', false);
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addFile(u"G:\\notes.txt", "hello");
  auto& frm = w.start();

  frm.Picture11.setVisible(false);
  frm.ListView1.performSelect(2);
  EXPECT_TRUE(frm.Picture11.visible());
  EXPECT_EQ(frm.List2.listIndex(), 2);
  EXPECT_EQ(frm.Drive1.drive(), u"g: [STICK]");
  EXPECT_EQ(items(frm.List1), std::vector<Text>{u"G:\\"});
  EXPECT_EQ(frm.Text1.text(), u"\\notes.txt");

  // The empty CD drive cannot be made current: the choice goes back to G:.
  frm.ListView1.performSelect(1);
  EXPECT_EQ(frm.List2.listIndex(), 2);
  EXPECT_EQ(frm.ListView1.selected(), 2);
  EXPECT_EQ(frm.Drive1.drive(), u"g: [STICK]");
  EXPECT_EQ(items(frm.List1), std::vector<Text>{u"G:\\"});

  // A click on the table where no row is selected changes nothing.
  frm.ListView1.performSelect(-1);
  EXPECT_EQ(frm.List2.listIndex(), 2);
  EXPECT_EQ(frm.Drive1.drive(), u"g: [STICK]");
}

TEST(BrowseDrives, PollWithNothingChangedRunsNoHandler) {
  BrowseWorld w;
  // A volume name the ANSI code page cannot carry must not read as a change.
  w.machine.addDrive(u'G', DriveType::Removable, u"Флешка");
  auto& frm = w.start();
  ASSERT_EQ(w.rows().at(1).name, u"  [Флешка] (G:)");

  int choices = 0, layouts = 0, paths = 0;
  frm.List2.click += [&] { ++choices; };
  frm.Text1.change += [&] { ++paths; };
  frm.LayoutRule = [&] { ++layouts; };
  frm.ListView1.performSelect(1);
  choices = paths = 0;
  auto rowsBefore = w.rows();

  w.loop.runFor(5.0);
  EXPECT_EQ(choices, 0);
  EXPECT_EQ(paths, 0);
  EXPECT_EQ(layouts, 0);
  EXPECT_EQ(w.rows(), rowsBefore);
  EXPECT_EQ(frm.List2.listIndex(), 1);
}

TEST(BrowseDrives, PollNoticesADriveComingAndGoing) {
  BrowseWorld w;
  auto& frm = w.start();
  int layouts = 0;
  frm.LayoutRule = [&] { ++layouts; };
  ASSERT_EQ(w.rows().size(), 1u);

  w.machine.addDrive(u'G', DriveType::Removable, u"STICK", 16'000'000'000ULL);
  w.machine.addFolder(u"G:\\Photos");
  w.tick();
  EXPECT_EQ(w.rows(), (std::vector<Row>{{1, u"  [SYSTEM] (C:)", u"488.38  GB"},
                                        {1, u"  [STICK] (G:)", u"15.62  GB"}}));
  EXPECT_EQ(items(frm.List2), (std::vector<Text>{u"C:", u"G:"}));
  EXPECT_EQ(frm.LastDriveCount, 2);
  EXPECT_EQ(frm.Text2.text(), u"c: [SYSTEM]g: [STICK]");
  EXPECT_EQ(layouts, 1);
  // The first drive is chosen; the tree already knows the new drive.
  EXPECT_EQ(frm.List2.listIndex(), 0);
  EXPECT_EQ(frm.ListView1.selected(), 0);
  ASSERT_NE(frm.tvFolders.node(u"G:\\Photos"), nullptr);

  frm.ListView1.performSelect(1);
  ASSERT_EQ(items(frm.List1), (std::vector<Text>{u"G:\\", u"G:\\Photos"}));
  w.machine.removeDrive(u'G');
  w.tick();
  EXPECT_EQ(w.rows().size(), 1u);
  EXPECT_EQ(items(frm.List2), std::vector<Text>{u"C:"});
  EXPECT_EQ(frm.LastDriveCount, 1);
  EXPECT_EQ(frm.List2.listIndex(), 0);
  EXPECT_EQ(frm.Drive1.drive(), u"c: [SYSTEM]");
  EXPECT_EQ(frm.List1.list(0), u"C:\\");
  EXPECT_EQ(frm.tvFolders.node(u"G:"), nullptr);
}

TEST(BrowseDrives, VolumeRenameKeepsTheRowsAndChoosesTheFirstDrive) {
  BrowseWorld w;
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  auto& frm = w.start();
  frm.ListView1.performSelect(1);
  ASSERT_EQ(frm.List2.listIndex(), 1);

  w.machine.setLabel(u'G', u"PHOTOS");
  w.tick();
  EXPECT_EQ(w.rows().at(1).name, u"  [STICK] (G:)");
  EXPECT_EQ(frm.Text2.text(), u"c: [SYSTEM]g: [PHOTOS]");
  EXPECT_EQ(frm.List2.listIndex(), 0);
  EXPECT_EQ(frm.Drive1.drive(), u"c: [SYSTEM]");
  EXPECT_EQ(frm.tvFolders.node(u"G:")->text, u"PHOTOS (G:)");

  // The next tick sees the new signature as its own: nothing more happens.
  int choices = 0;
  frm.List2.click += [&] { ++choices; };
  w.tick();
  EXPECT_EQ(choices, 0);
}

TEST(BrowseDrives, TableMouseRunsTheLayoutRule) {
  BrowseWorld w;
  auto& frm = w.start();
  int layouts = 0;
  frm.LayoutRule = [&] { ++layouts; };
  frm.ListView1.performMouse(1, ui::MouseEvent{});
  EXPECT_EQ(layouts, 1);
}
