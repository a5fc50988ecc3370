// The examination of single items: attributes, the AUTORUN.INF step, the
// detection rules, AddFinding's kinds and counters, the single-item command.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "platform/lookup.h"
#include "scan/detection_lists.h"
#include "support/scan_world.h"

using namespace platform;
using test::ScanWorld;
using Text = core::Text;

namespace {

const Text kUnderscores19(19, u'_');
const Text kUnderscores20(20, u'_');

struct RuleCase {
  const char* what;
  Text file;      // created on G: (hidden+system, as the worm leaves it)
  int folder;     // index in the folder list while it is examined
  int rows;       // findings listed
  int firstIcon;  // icon of the first row
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.what; }

class Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rules, ListEachSuspiciousFileByItsRules) {
  const RuleCase& c = GetParam();
  ScanWorld w;
  auto& m = w.machine;
  // Folder list: G:\, G:\Docs, G:\Desktop, G:\DesktopOld, G:\Photos.
  for (auto f : {u"G:\\Docs", u"G:\\Desktop", u"G:\\DesktopOld", u"G:\\Photos"}) m.addFolder(f);
  m.addFile(u"C:\\Norvane\\Kit\\Lunet.exe", "File Name: SAMPLE.EXE\r\nFile Name: A.VBS\r\n");
  m.addFile(c.file, "data", attr::Hidden | attr::System);
  auto& frm = w.start();
  ASSERT_EQ(frm.List1.listCount(), 5);
  w.examine(c.file, c.folder);
  EXPECT_EQ(w.rows(), c.rows) << c.what;
  if (c.rows > 0 && w.form4()) {
    EXPECT_EQ(w.form4()->ListView1.row(0).icon, c.firstIcon) << c.what;
  }
  // Every examined item came back into view.
  EXPECT_EQ(m.attributes(c.file) & (attr::Hidden | attr::System), 0u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rules,
    ::testing::Values(
        RuleCase{"shortcut at the root", u"G:\\a.lnk", 0, 1, 1},
        RuleCase{"shortcut in a folder", u"G:\\Docs\\a.lnk", 1, 0, 0},
        RuleCase{"pif at the root", u"G:\\a.pif", 0, 1, 3},
        RuleCase{"pif in a folder", u"G:\\Docs\\a.pif", 1, 1, 3},
        RuleCase{"pif under Desktop", u"G:\\Desktop\\a.pif", 2, 0, 0},
        RuleCase{"pif under DesktopOld", u"G:\\DesktopOld\\a.pif", 3, 0, 0},
        RuleCase{"temporary file", u"G:\\Docs\\x.tmp", 1, 1, 4},
        RuleCase{"thumbnail database", u"G:\\Docs\\thumbs.db", 1, 1, 5},
        RuleCase{"script", u"G:\\Docs\\b.vbs", 1, 1, 4},
        RuleCase{"program named like a folder", u"G:\\Docs\\Photos.exe", 1, 1, 2},
        RuleCase{"program named like no folder", u"G:\\Docs\\Other.exe", 1, 0, 0},
        RuleCase{"name ending in a brace", u"G:\\setup.{abc}", 0, 1, 2},
        RuleCase{"name ending in INIT", u"G:\\autoINIT", 0, 1, 11},
        RuleCase{"name ending in FAT32", u"G:\\Docs\\dataFAT32", 1, 1, 11},
        RuleCase{"program padded with 20 underscores", u"G:\\a" + kUnderscores20 + u".exe", 0, 1,
                 2},
        RuleCase{"program padded with 19 underscores", u"G:\\a" + kUnderscores19 + u".exe", 0, 0,
                 0},
        RuleCase{"program padded with 20 blanks", u"G:\\a" + Text(20, u' ') + u".scr", 0, 1, 8},
        RuleCase{"listed virus", u"G:\\Docs\\sample.exe", 1, 1, 2},
        RuleCase{"prefix of a listed virus", u"G:\\Docs\\sample.ex", 1, 0, 0},
        // Listed by two rules: once per rule.
        RuleCase{"listed script", u"G:\\Docs\\a.vbs", 1, 2, 4},
        // A temporary file ends its classification: the padding rule never runs.
        RuleCase{"padded temporary file", u"G:\\a" + kUnderscores20 + u".tmp", 0, 1, 4},
        RuleCase{"plain document", u"G:\\Docs\\letter.txt", 1, 0, 0}),
    // The case's own words name it: "shortcut at the root" runs as
    // Table/Rules.ListEachSuspiciousFileByItsRules/shortcut_at_the_root.
    [](const ::testing::TestParamInfo<RuleCase>& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(Examination, AFileListedByTwoRulesIsListedTwice) {
  ScanWorld w;
  w.machine.addFolder(u"G:\\Photos");
  w.machine.addFile(u"C:\\Norvane\\Kit\\Lunet.exe", "File Name: PHOTOS.EXE");
  w.machine.addFile(u"G:\\Photos.exe");
  w.start();
  w.examine(u"G:\\Photos.exe", 0);
  EXPECT_EQ(w.rows(), 2);
  EXPECT_EQ(w.frm->Label11.text(), u"2");
}

TEST(Examination, DoesNothingOutsideARun) {
  ScanWorld w;
  w.machine.addFile(u"G:\\a.lnk", "", attr::Hidden);
  auto& frm = w.start();
  frm.Picture11.setVisible(false);
  frm.Label16.setText(u"x");
  frm.Text1.setText(u"G:\\a.lnk");
  EXPECT_TRUE(frm.Picture11.visible());
  EXPECT_EQ(frm.Label16.text(), u"");
  EXPECT_EQ(w.machine.attributes(u"G:\\a.lnk"), attr::Hidden);
  EXPECT_EQ(w.rows(), 0);
}

TEST(Examination, ProtectedRootItemsAreLeftAloneButNotDeeperOnes) {
  ScanWorld w;
  w.machine.addFile(u"G:\\BOOT.INI", "", attr::Hidden | attr::System);
  w.machine.addFile(u"G:\\Sub\\BOOT.INI", "", attr::Hidden | attr::System);
  w.start();
  w.examine(u"G:\\BOOT.INI", 0);
  w.examine(u"G:\\Sub\\BOOT.INI", 1);
  EXPECT_EQ(w.machine.attributes(u"G:\\BOOT.INI"), attr::Hidden | attr::System);
  EXPECT_EQ(w.machine.attributes(u"G:\\Sub\\BOOT.INI"), attr::Archive);
}

TEST(Examination, ARootAutorunFileBecomesAProtectedFolder) {
  ScanWorld w;
  w.machine.addFile(u"G:\\autorun.inf", "[autorun]\r\nopen=x.exe\r\n", attr::Hidden);
  auto& frm = w.start();
  w.examine(u"G:\\autorun.inf", 0);
  auto entry = w.machine.stat(u"G:\\AUTORUN.INF");
  ASSERT_TRUE(entry.has_value());
  EXPECT_TRUE(entry->isFolder());
  EXPECT_EQ(entry->attributes & ~attr::Directory, attr::System);
  EXPECT_EQ(frm.FilesExamined, 1);

  // Examined again, the folder only gets the chosen attributes and is counted.
  w.examine(u"G:\\AUTORUN.INF", 0);
  EXPECT_TRUE(w.machine.stat(u"G:\\AUTORUN.INF")->isFolder());
  EXPECT_EQ(w.machine.attributes(u"G:\\AUTORUN.INF") & ~attr::Directory, attr::Archive);
  EXPECT_EQ(frm.FilesExamined, 2);
}

TEST(Examination, TickedHiddenOrSystemHidesEveryFileFromTheRules) {
  for (bool hidden : {true, false}) {
    ScanWorld w;
    w.machine.addFile(u"G:\\a.lnk");
    auto& frm = w.start();
    (hidden ? frm.Check3 : frm.Check2).setValue(1);
    w.examine(u"G:\\a.lnk", 0);
    EXPECT_EQ(w.rows(), 0);
    EXPECT_EQ(w.machine.attributes(u"G:\\a.lnk"), hidden ? attr::Hidden : attr::System);
  }
}

TEST(Examination, FilesInFoldersOfDriveCAreNeverListed) {
  ScanWorld w;
  w.machine.addFile(u"C:\\Norvane\\Kit\\Lunet.exe", "File Name: X.EXE");
  w.machine.addFile(u"C:\\a.lnk");
  w.machine.addFile(u"C:\\Docs\\x.exe");
  w.start();
  w.chooseDrive(u'C');
  w.examine(u"C:\\a.lnk", 0);
  EXPECT_EQ(w.rows(), 1);
  int docs = w.frm->List1.findString(u"C:\\Docs");
  ASSERT_GT(docs, 0);
  w.examine(u"C:\\Docs\\x.exe", docs);
  EXPECT_EQ(w.rows(), 1);
}

TEST(Examination, AFolderLinkIsOneItemAndNeverChangedThroughTheLink) {
  ScanWorld w;
  w.machine.addDrive(u'D', DriveType::Fixed, u"DATA");
  w.machine.addFolder(u"D:\\Private", attr::Directory | attr::Hidden);
  w.machine.addFolderLink(u"G:\\Link", u"D:\\Private");
  w.start();
  w.examine(u"G:\\Link", 1);
  EXPECT_EQ(w.machine.attributes(u"D:\\Private"), attr::Directory | attr::Hidden);
}

TEST(AddFinding, FillsTheRowAndCountsByKind) {
  ScanWorld w;
  w.machine.addSizedFile(u"G:\\Docs\\a.vbs", 2048);
  w.machine.addSizedFile(u"G:\\b.lnk", 1023);
  w.machine.addSizedFile(u"G:\\Docs\\big.tmp", 3ULL << 30);
  auto& frm = w.start();
  double before = w.clock.monotonic();
  frm.AddFinding(u"G:\\Docs\\a.vbs");
  EXPECT_NEAR(w.clock.monotonic() - before, 0.05, 1e-9);  // each finding pauses
  frm.AddFinding(u"G:\\b.lnk");
  frm.AddFinding(u"G:\\Docs\\big.tmp");
  auto& table = w.form4()->ListView1;
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(table.row(0).cells, (std::vector<Text>{u"", u"a.vbs", u"G:\\Docs", u"2 KB"}));
  EXPECT_EQ(table.row(1).cells, (std::vector<Text>{u"", u"b.lnk", u"G:\\", u"0 KB"}));
  EXPECT_EQ(table.row(2).cells[3], u"3145728 KB");  // 64-bit lengths
  EXPECT_EQ(w.form4()->Label7.text(), u"3");
  EXPECT_EQ(frm.Label11.text(), u"1");  // the script
  EXPECT_EQ(frm.Label2.text(), u"1");   // the shortcut
  EXPECT_EQ(frm.TempDbCount, 1);        // the temporary file
  EXPECT_FALSE(w.form4()->visible());   // created hidden
}

TEST(SingleItemCommand, FixesTheSelectedItemAndShowsItsResultForHalfASecond) {
  ScanWorld w;
  w.machine.addFile(u"G:\\Docs\\a.lnk", "", attr::Hidden);
  auto& frm = w.start();
  frm.Check5.setValue(1);
  frm.Text1.setText(u"G:\\Docs\\a.lnk");
  frm.Command2.performClick();
  EXPECT_EQ(w.machine.attributes(u"G:\\Docs\\a.lnk"), attr::Archive);
  EXPECT_EQ(w.rows(), 1);  // a shortcut in any folder, when asked for
  EXPECT_TRUE(frm.Image1.visible());
  w.loop.runFor(0.6);
  EXPECT_FALSE(frm.Image1.visible());
  EXPECT_EQ(frm.Timer1.interval(), 0);

  frm.Text1.setText(u"G:\\Gone.txt");
  frm.Command2.performClick();
  EXPECT_TRUE(frm.Image2.visible());

  frm.Text1.setText(u"G:");  // too short: nothing at all
  frm.Image2.setVisible(false);
  frm.Command2.performClick();
  EXPECT_FALSE(frm.Image1.visible());
  EXPECT_FALSE(frm.Image2.visible());
}

}  // namespace
