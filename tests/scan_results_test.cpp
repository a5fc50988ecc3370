// The results window: the close question, removing an entry, deleting the
// listed files with the progress, the sort buttons.
#include <gtest/gtest.h>

#include "shell/msgbox.h"
#include "support/scan_world.h"

using namespace platform;
using test::ScanWorld;
using Text = core::Text;

namespace {

// Norvane with `n` findings listed: G:\f1.lnk ... (the shortcuts at the root).
struct Findings : ScanWorld {
  explicit Findings(int n) {
    for (int i = 1; i <= n; ++i) machine.addFile(u"G:\\f" + core::decimal(i) + u".lnk");
    machine.addFile(u"G:\\Docs\\keep.txt");
    start();
    for (int i = 1; i <= n; ++i) frm->AddFinding(u"G:\\f" + core::decimal(i) + u".lnk");
    frm->MSG0[12]->setText(u"close question");
    frm->MSG0[14]->setText(u"remove question");
  }
  scan::Form4& f() { return *form4(); }
};

TEST(ResultsWindow, ClosingWithRowsLeftAsksFirst) {
  Findings w(2);
  w.answers = {shell::answer::No};
  w.f().Command1.performClick();
  ASSERT_EQ(w.backend.boxes.size(), 1u);
  EXPECT_EQ(w.backend.boxes[0].text, w.frm->message(12));
  EXPECT_EQ(w.backend.boxes[0].style, shell::style::YesNo);
  ASSERT_NE(w.form4(), nullptr);  // No keeps it open

  w.answers = {shell::answer::Yes};
  w.form4()->Command1.performClick();
  EXPECT_EQ(w.form4(), nullptr);
  EXPECT_TRUE(w.machine.exists(u"G:\\f1.lnk"));  // closing deletes nothing
}

TEST(ResultsWindow, ClosingAnEmptyWindowOrAfterDeletingDoesNotAsk) {
  Findings empty(0);
  empty.app.form<scan::Form4>().Command1.performClick();
  EXPECT_TRUE(empty.backend.boxes.empty());

  Findings w(2);
  w.f().Toolbar1.performButton("B");  // delete all, window stays
  EXPECT_FALSE(w.machine.exists(u"G:\\f1.lnk"));
  EXPECT_FALSE(w.f().Command2.enabled());
  w.f().Command1.performClick();
  EXPECT_TRUE(w.backend.boxes.empty());
  EXPECT_EQ(w.form4(), nullptr);
}

TEST(ResultsWindow, DeletingAllShowsItsProgressAndClosesLeavingOtherFiles) {
  Findings w(4);
  std::vector<Text> progress;
  w.f().Label1.change += [&] { progress.push_back(w.f().Label1.text()); };
  w.f().Command2.performClick();
  EXPECT_EQ(progress, (std::vector<Text>{u"25 %", u"50 %", u"75 %", u"100 %"}));
  EXPECT_EQ(w.form4(), nullptr);
  for (int i = 1; i <= 4; ++i)
    EXPECT_FALSE(w.machine.exists(u"G:\\f" + core::decimal(i) + u".lnk"));
  EXPECT_TRUE(w.machine.exists(u"G:\\Docs\\keep.txt"));
}

TEST(ResultsWindow, AFileAlreadyGoneStillGetsTheDeletedIcon) {
  Findings w(2);
  w.machine.deleteFile(u"G:\\f2.lnk");
  w.f().Toolbar1.performButton("B");
  EXPECT_EQ(w.f().ListView1.row(1).icon, scan::Form4::kIconDeleted);
  EXPECT_EQ(w.f().ListView1.row(0).icon, scan::Form4::kIconDeleted);
}

TEST(ResultsWindow, RemovingAnEntryAsksAndSelectsTheFirstRow) {
  Findings w(3);
  auto& table = w.f().ListView1;
  table.setSelected(1);
  w.answers = {shell::answer::No};
  w.f().Toolbar1.performButton("A");
  EXPECT_EQ(table.rowCount(), 3);
  EXPECT_EQ(w.backend.boxes.back().style, shell::style::YesNoRight);
  EXPECT_EQ(w.backend.boxes.back().text, w.frm->message(14));

  w.answers = {shell::answer::Yes};
  w.f().Toolbar1.performButton("A");
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.row(0).cells[1], u"f1.lnk");
  EXPECT_EQ(table.row(1).cells[1], u"f3.lnk");
  EXPECT_EQ(table.selected(), 0);
  EXPECT_EQ(w.f().Label7.text(), u"3");          // the total still counts three
  EXPECT_TRUE(w.machine.exists(u"G:\\f2.lnk"));  // its file stays

  table.setSelected(-1);
  w.answers = {shell::answer::Yes};
  w.f().Toolbar1.performButton("A");
  EXPECT_EQ(table.rowCount(), 2);  // nothing selected: nothing removed
}

TEST(ResultsWindow, RowsNameTheirFilesAndSortByTheChosenColumn) {
  ScanWorld w;
  w.machine.addFile(u"G:\\b.vbs");
  w.machine.addFile(u"G:\\Docs\\a.vbs");
  w.start();
  w.frm->AddFinding(u"G:\\b.vbs");
  w.frm->AddFinding(u"G:\\Docs\\a.vbs");
  auto& f = *w.form4();
  EXPECT_EQ(f.rowFile(0), u"G:\\b.vbs");
  EXPECT_EQ(f.rowFile(1), u"G:\\Docs\\a.vbs");
  f.Label9.performClick();  // by name
  EXPECT_EQ(f.ListView1.row(0).cells[1], u"a.vbs");
  f.Label10.performClick();  // by path
  EXPECT_EQ(f.ListView1.row(0).cells[2], u"G:\\");
}

TEST(ResultsWindow, TakesItsCaptionsFromTheMessageTable) {
  ScanWorld w;
  auto& frm = w.start();
  for (int i = 0; i <= 11; ++i) frm.MSG0[i]->setText(u"m" + core::decimal(i));
  auto& f = w.app.form<scan::Form4>();
  EXPECT_EQ(f.Command1.text(), u"m0");
  EXPECT_EQ(f.Command2.text(), u"m1");
  EXPECT_EQ(f.Toolbar1.buttons()[2].caption, u"      m4");
  EXPECT_EQ(f.Label11.text(), u" m7");
  EXPECT_EQ(f.Label6.text(), u" m11 :");
  EXPECT_EQ(f.Label8.text(), u"Icon");
}

}  // namespace
