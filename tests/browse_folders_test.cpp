// The folder list, the hidden folder tree and the file-system object behind them.
#include <gtest/gtest.h>

#include "browse/file_sys.h"
#include "support/browse_world.h"

using core::Text;
using test::BrowseWorld;
using test::DriveType;
namespace attr = platform::attr;

namespace {

std::vector<Text> children(const ui::TreeView& tree, const Text& parent) {
  std::vector<Text> out;
  for (auto& n : tree.nodes())
    if (n.parent == parent) out.push_back(n.key);
  return out;
}

}  // namespace

TEST(BrowseFolders, FolderListHoldsTheRootAndEveryFirstLevelFolder) {
  BrowseWorld w;
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addFolder(u"G:\\Photos");
  w.machine.addFolder(u"G:\\$RECYCLE.BIN", attr::Hidden | attr::System);
  w.machine.addFolder(u"G:\\System Volume Information", attr::Hidden | attr::System);
  w.machine.addFolder(u"G:\\Photos\\2023");
  w.machine.addFile(u"G:\\autorun.inf", "[autorun]");
  w.machine.addFolderLink(u"G:\\Link", u"C:\\Norvane");
  w.machine.addDrive(u'H', DriveType::Removable, u"EMPTY");
  auto& frm = w.start();

  frm.ListView1.performSelect(1);
  EXPECT_EQ(frm.List1.items(), (std::vector<Text>{u"G:\\", u"G:\\Photos", u"G:\\$RECYCLE.BIN",
                                                  u"G:\\System Volume Information", u"G:\\Link"}));
  EXPECT_EQ(frm.List1.listIndex(), -1);

  frm.ListView1.performSelect(2);
  EXPECT_EQ(frm.List1.items(), std::vector<Text>{u"H:\\"});
}

TEST(BrowseFolders, TreeHoldsEveryDriveWithItsFirstLevelFolders) {
  BrowseWorld w;
  w.machine.addDrive(u'A', DriveType::Removable);
  w.machine.setMedia(u'A', false);
  w.machine.addDrive(u'D', DriveType::CdRom);
  w.machine.setMedia(u'D', false);
  w.machine.addDrive(u'E', DriveType::Fixed, u"DATA");
  w.machine.addFolder(u"E:\\Docs");
  w.machine.addFolder(u"E:\\Music", attr::Hidden);
  w.machine.addDrive(u'H', DriveType::Removable);
  w.machine.setMedia(u'H', false);
  w.machine.addDrive(u'Z', DriveType::Remote);
  w.machine.setShare(u'Z', u"\\\\server\\share");
  auto& frm = w.start();
  auto& tree = frm.tvFolders;

  struct Expect {
    const char16_t* key;
    const char16_t* text;
    const char* image;
  } drives[] = {
      {u"A:", u"Floppy Drive (A:)", "floppydrive"},
      {u"C:", u"SYSTEM (C:)", "harddrive"},
      {u"D:", u"CD-ROM Drive (D:)", "cdrom"},
      {u"E:", u"DATA (E:)", "harddrive"},
      {u"H:", u"Removable Drive (H:)", "removabledrive"},
      {u"Z:", u"\\\\server\\share (Z:)", "netdrive"},
  };
  EXPECT_EQ(children(tree, u"").size(), std::size(drives));
  for (auto& d : drives) {
    auto* node = tree.node(d.key);
    ASSERT_NE(node, nullptr) << core::toUtf8(d.key);
    EXPECT_EQ(node->text, d.text);
    EXPECT_EQ(node->image, d.image);
    EXPECT_TRUE(node->parent.empty());
  }
  EXPECT_TRUE(children(tree, u"A:").empty());
  EXPECT_TRUE(children(tree, u"D:").empty());
  EXPECT_EQ(children(tree, u"E:"), (std::vector<Text>{u"E:\\Docs", u"E:\\Music"}));
  EXPECT_EQ(tree.node(u"E:\\Music")->text, u"Music");
  EXPECT_EQ(tree.node(u"E:\\Music")->image, "closedfolder");
  EXPECT_EQ(tree.lineStyle(), 1);
}

TEST(BrowseFolders, UnreadableRootLeavesTheRootEntryAlone) {
  BrowseWorld w;
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addFolder(u"G:\\Photos");
  w.machine.addFolder(u"C:\\Windows");
  w.machine.setUnreadable(u"G:\\", true);
  auto& frm = w.start();

  frm.ListView1.performSelect(1);
  EXPECT_EQ(frm.List2.listIndex(), 1);
  EXPECT_EQ(frm.List1.items(), std::vector<Text>{u"G:\\"});
  EXPECT_TRUE(children(frm.tvFolders, u"G:").empty());
  EXPECT_EQ(children(frm.tvFolders, u"C:"), (std::vector<Text>{u"C:\\Norvane", u"C:\\Windows"}));
}

TEST(BrowseFolders, ExpandFillsTheLevelBelowTheChildrenAndCollapseClosesTheNode) {
  BrowseWorld w;
  w.machine.addDrive(u'E', DriveType::Fixed, u"DATA");
  w.machine.addFolder(u"E:\\Docs\\Old\\Deep");
  w.machine.addFolder(u"E:\\Docs\\New");
  w.machine.addFolder(u"E:\\Music");
  w.machine.addFolder(u"E:\\Locked\\Inner");
  auto& frm = w.start();
  auto& tree = frm.tvFolders;
  w.machine.setUnreadable(u"E:\\Locked", true);

  tree.raise(tree.expand, Text(u"E:"));
  EXPECT_EQ(tree.node(u"E:")->image, "harddrive");  // a drive node keeps its image
  EXPECT_EQ(children(tree, u"E:\\Docs"), (std::vector<Text>{u"E:\\Docs\\Old", u"E:\\Docs\\New"}));
  EXPECT_TRUE(children(tree, u"E:\\Music").empty());
  EXPECT_TRUE(children(tree, u"E:\\Locked").empty());
  size_t nodes = tree.nodes().size();
  tree.raise(tree.expand, Text(u"E:"));
  EXPECT_EQ(tree.nodes().size(), nodes);

  tree.raise(tree.expand, Text(u"E:\\Docs"));
  EXPECT_EQ(tree.node(u"E:\\Docs")->image, "openfolder");
  EXPECT_EQ(children(tree, u"E:\\Docs\\Old"), std::vector<Text>{u"E:\\Docs\\Old\\Deep"});
  tree.raise(tree.collapse, Text(u"E:\\Docs"));
  EXPECT_EQ(tree.node(u"E:\\Docs")->image, "closedfolder");

  // A folder that went away since it was listed expands to nothing.
  w.machine.removeFolder(u"E:\\Music");
  tree.raise(tree.expand, Text(u"E:\\Music"));
  EXPECT_EQ(tree.node(u"E:\\Music")->image, "openfolder");
  EXPECT_EQ(tree.nodes().size(), nodes + 1);
}

TEST(BrowseFolders, Check5SwitchesTheTreeCheckBoxes) {
  BrowseWorld w;
  auto& frm = w.start();
  frm.Check5.setValue(1);
  EXPECT_TRUE(frm.tvFolders.checkboxes());
  frm.Check5.setValue(0);
  EXPECT_FALSE(frm.tvFolders.checkboxes());
}

TEST(BrowseFileSys, DrivesCarryKindReadinessAndNames) {
  BrowseWorld w;
  w.machine.addDrive(u'D', DriveType::CdRom);
  w.machine.setMedia(u'D', false);
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addDrive(u'R', DriveType::RamDisk);
  w.machine.addDrive(u'X', DriveType::Unknown);
  w.machine.addDrive(u'Z', DriveType::Remote);
  w.machine.setShare(u'Z', u"\\\\server\\share");
  auto& frm = w.start();
  auto& fs = browse::fileSys(frm);
  EXPECT_EQ(&browse::fileSys(frm), &fs);  // created once, kept with the window

  auto drives = fs.Drives();
  ASSERT_EQ(drives.size(), 6u);
  struct Expect {
    char16_t letter;
    int type;
    bool ready;
  } expected[] = {{u'C', browse::kind::Fixed, true},     {u'D', browse::kind::CdRom, false},
                  {u'G', browse::kind::Removable, true}, {u'R', browse::kind::RamDisk, true},
                  {u'X', browse::kind::Unknown, true},   {u'Z', browse::kind::Network, true}};
  for (size_t i = 0; i < drives.size(); ++i) {
    EXPECT_EQ(drives[i].DriveLetter(), expected[i].letter);
    EXPECT_EQ(drives[i].DriveType(), expected[i].type) << char(expected[i].letter);
    EXPECT_EQ(drives[i].IsReady(), expected[i].ready);
  }
  EXPECT_EQ(drives[2].Path(), u"G:");
  EXPECT_EQ(drives[2].VolumeName(), u"STICK");
  EXPECT_EQ(drives[2].RootFolder().Path(), u"G:\\");
  EXPECT_EQ(drives[5].ShareName(), u"\\\\server\\share");
  EXPECT_EQ(drives[2].ShareName(), u"");
  EXPECT_THROW(drives[1].VolumeName(), core::Error);
  EXPECT_THROW(drives[1].RootFolder(), core::Error);
}

TEST(BrowseFileSys, FoldersAndMoves) {
  BrowseWorld w;
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addFolder(u"G:\\Photos\\2023");
  w.machine.addFolder(u"G:\\Photos\\Old", attr::Hidden | attr::System);
  w.machine.addFile(u"G:\\Photos\\a.jpg");
  w.machine.addFolder(u"G:\\\u00a0");
  w.machine.addFile(u"G:\\\u00a0\\kept.doc", "data");
  auto& fs = browse::fileSys(w.start());

  auto photos = fs.GetFolder(u"G:\\Photos\\");
  EXPECT_EQ(photos.Path(), u"G:\\Photos");
  EXPECT_EQ(photos.Name(), u"Photos");
  auto subs = photos.SubFolders();
  ASSERT_EQ(subs.size(), 2u);
  EXPECT_EQ(subs[0].Path(), u"G:\\Photos\\2023");
  EXPECT_EQ(subs[1].Path(), u"G:\\Photos\\Old");
  EXPECT_EQ(subs[1].Name(), u"Old");
  EXPECT_EQ(fs.GetFolder(u"G:").Path(), u"G:\\");
  EXPECT_EQ(fs.GetFolder(u"G:\\").Name(), u"");
  EXPECT_THROW(fs.GetFolder(u"G:\\Missing"), core::Error);
  EXPECT_THROW(fs.GetFolder(u"G:\\Photos\\a.jpg"), core::Error);

  fs.MoveFolder(u"G:\\\u00a0", u"G:\\File_Recover_45045");
  EXPECT_FALSE(w.machine.exists(u"G:\\\u00a0"));
  EXPECT_EQ(w.machine.content(u"G:\\File_Recover_45045\\kept.doc"), "data");
  EXPECT_THROW(fs.MoveFolder(u"G:\\Photos", u"G:\\File_Recover_45045"), core::Error);
}
