// The two-list window: linked rows and the open step.
#include <gtest/gtest.h>

#include "editor/form3.h"
#include "support/scan_world.h"

using test::ScanWorld;

namespace {

struct TwoLists : ScanWorld {
  TwoLists() {
    start();
    auto& f = app.form<editor::Form3>();
    for (auto [left, right] : {std::pair{u"G:\\old one", u"G:\\new one"},
                               {u"G:\\a.txt", u"G:\\b"},
                               {u"G:\\x", u"G:\\y z"}}) {
      f.List1.addItem(left);
      f.List2.addItem(right);
    }
    form = &f;
  }
  editor::Form3* form;
};

TEST(TwoListWindow, SelectingInOneListSelectsTheSameRowInTheOther) {
  TwoLists w;
  w.form->List2.performSelect(2);
  EXPECT_EQ(w.form->List1.listIndex(), 2);
  w.form->List1.performSelect(0);
  EXPECT_EQ(w.form->List2.listIndex(), 0);
}

TEST(TwoListWindow, ADoubleClickOpensTheRightEntryUnlessTheLeftNamesAFile) {
  TwoLists w;
  w.machine.addFile(u"G:\\a.txt");
  w.form->List2.performSelect(2);
  w.form->List2.performDblClick();
  ASSERT_EQ(w.machine.started.size(), 1u);
  EXPECT_EQ(w.machine.started[0].commandLine, u"Explorer.exe G:\\y z");  // unquoted
  w.form->List1.performSelect(1);
  w.form->List1.performDblClick();  // G:\a.txt exists: nothing opens
  EXPECT_EQ(w.machine.started.size(), 1u);
}

TEST(TwoListWindow, TakesItsTitleAndHeadingFromTheMessageTable) {
  ScanWorld w;
  auto& frm = w.start();
  frm.MSG0[16]->setText(u"heading");
  frm.MSG0[17]->setText(u"title");
  auto& f = w.app.form<editor::Form3>();
  EXPECT_EQ(f.UniLabel1.text(), u"heading");
  EXPECT_EQ(f.caption(), u"title");
}

}  // namespace
