// Applying a language: the choice chain, the line table (lines 1 to 27), the
// message table (lines 28 to 58), the raw lines and the reading order.
#include <gtest/gtest.h>

#include <map>

#include "app/norvane.h"
#include "lang/languages.h"
#include "shell/msgbox.h"
#include "support/lang_files.h"

using core::Text;
using test::languageLines;
using test::LangWorld;
using test::tagged;
using test::valueFor;

namespace {

// Every text the window shows or keeps, by control, plus the seven texts.
std::map<std::string, Text> snapshot(const shell::FrmMain& frm) {
  std::map<std::string, Text> out;
  for (auto& c : frm.controls()) out[c->fullName()] = c->text();
  out["(caption)"] = frm.caption();
  const Text* texts[] = {&frm.TxtCommand1,   &frm.TxtNoSelection, &frm.TxtNoSelectionTitle,
                         &frm.TxtRename,     &frm.TxtRenameTitle, &frm.TxtRemove,
                         &frm.TxtRemoveTitle};
  for (int i = 0; i < 7; ++i) out["Txt" + std::to_string(i)] = *texts[i];
  return out;
}

}  // namespace

TEST(ApplyLanguage, FillsTheLineTableTheMessageTableAndTheTitle) {
  LangWorld w;
  w.addLanguage(u"test.ini", languageLines(u"Test"));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  auto v = [](int line) { return valueFor(u"Test", line); };

  const std::pair<ui::Control*, Text> captions[] = {
      {&frm.Check1, v(1)},
      {&frm.Check2, v(2)},
      {&frm.Check3, v(3)},
      {&frm.Check4, v(4)},
      {&frm.Check5, v(5)},
      {&frm.Check6, v(6)},
      {&frm.Command1, v(7)},
      {&frm.Command2, v(8)},
      {&frm.Command3, v(9)},
      {&frm.Command4, v(10)},
      {&frm.Command5, v(11)},
      {&frm.Command6, v(12)},
      {&frm.Command7, v(13)},
      {&frm.Command8, v(14)},
      {&frm.Label3, u" " + v(15)},
      {&frm.Label4, u" " + v(16)},
      {&frm.Label5, u" " + v(17)},
      {&frm.Label6, u" " + v(18)},
      {&frm.Label9, u" " + v(19) + u" :"},
      {&frm.Label10, u" " + v(20)},
      {&frm.Label12, u" " + v(21)},
      {&frm.Label1, v(54)},
      {&frm.UniLabel2, v(54)},
      {&frm.Label15, u"TEST"},
  };
  for (auto& [control, text] : captions) EXPECT_EQ(control->text(), text) << control->fullName();
  EXPECT_EQ(frm.caption(), v(54));

  const std::pair<const Text*, Text> texts[] = {
      {&frm.TxtCommand1, v(7)},     {&frm.TxtNoSelection, v(22)}, {&frm.TxtNoSelectionTitle, v(23)},
      {&frm.TxtRename, v(24)},      {&frm.TxtRenameTitle, v(25)}, {&frm.TxtRemove, v(26)},
      {&frm.TxtRemoveTitle, v(27)},
  };
  for (auto& [text, expected] : texts) EXPECT_EQ(*text, expected);

  for (int m = 0; m < shell::FrmMain::kMessages; ++m) EXPECT_EQ(frm.message(m), v(28 + m)) << m;

  ASSERT_EQ(frm.UniList1.listCount(), 58);
  for (int i = 1; i <= 58; ++i) EXPECT_EQ(frm.UniList1.list(i - 1), tagged(i, v(i)));
}

TEST(ApplyLanguage, UserChoiceRunsTheWholeChain) {
  LangWorld w;
  w.addLanguage(u"a.ini", languageLines(u"Alpha"));
  w.addLanguage(u"b.ini", languageLines(u"Beta"));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  frm.Picture11.setVisible(false);
  frm.Command1.setFocus();

  frm.Combo1.performSelect(1);
  EXPECT_EQ(frm.Label15.text(), u"BETA");
  EXPECT_EQ(frm.List6.listIndex(), 1);
  EXPECT_EQ(frm.Command6.text(), valueFor(u"Beta", 12));
  EXPECT_EQ(frm.message(30), valueFor(u"Beta", 58));
  EXPECT_TRUE(frm.Picture11.visible());
  EXPECT_EQ(frm.activeControl(), &frm.Text1);
}

// Language B after A, where B breaks the format in places: every broken or
// missing line leaves its target with A's text; the rest is B's.
TEST(ApplyLanguage, BrokenLinesLeaveTheirTargetsAsTheyWere) {
  LangWorld w;
  w.addLanguage(u"a.ini", languageLines(u"Alpha"));
  auto b = languageLines(u"Beta");
  b[8] = tagged(8, u"");                   // exactly 13 characters: empty text
  b[15] = tagged(15, u"");                 // the same on a decorated heading
  b[12] = u"text__ [12]: lower-case tag";  // the tag is case-sensitive
  b[13] = u"Text__ [13";                   // tagged, but too short to hold a value
  b[19] = u"Text_  [19]: one underscore";
  b[28] = u"[28]: no tag";
  b[41] = u"";
  w.addLanguage(u"b.ini", b);
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  ASSERT_EQ(frm.Command6.text(), valueFor(u"Alpha", 12));

  frm.Combo1.performSelect(1);
  EXPECT_EQ(frm.Command2.text(), u"");
  EXPECT_EQ(frm.Label3.text(), u" ");
  EXPECT_EQ(frm.Command6.text(), valueFor(u"Alpha", 12));
  EXPECT_EQ(frm.Command7.text(), valueFor(u"Alpha", 13));
  EXPECT_EQ(frm.Label9.text(), u" " + valueFor(u"Alpha", 19) + u" :");
  EXPECT_EQ(frm.message(0), valueFor(u"Alpha", 28));
  EXPECT_EQ(frm.message(13), valueFor(u"Alpha", 41));
  EXPECT_EQ(frm.Command5.text(), valueFor(u"Beta", 11));
  EXPECT_EQ(frm.message(1), valueFor(u"Beta", 29));
  EXPECT_EQ(frm.Label1.text(), valueFor(u"Beta", 54));
  EXPECT_EQ(frm.UniList1.list(11), b[12]);
}

// A file with fewer than 59 lines applies the lines it has; one with only
// its heading changes nothing, not even the raw line list.
TEST(ApplyLanguage, ShortFilesApplyWhatTheyHave) {
  LangWorld w;
  w.addLanguage(u"a.ini", languageLines(u"Alpha"));
  auto b = languageLines(u"Beta");
  b.resize(30);
  w.addLanguage(u"b.ini", b);
  w.addLanguage(u"c.ini", {u"[dir=ltr]Gamma"});
  app::Norvane n(w.app);
  auto& frm = n.showMain();

  frm.Combo1.performSelect(1);
  EXPECT_EQ(frm.Command6.text(), valueFor(u"Beta", 12));
  EXPECT_EQ(frm.message(1), valueFor(u"Beta", 29));
  EXPECT_EQ(frm.message(2), valueFor(u"Alpha", 30));
  EXPECT_EQ(frm.message(30), valueFor(u"Alpha", 58));
  EXPECT_EQ(frm.Label1.text(), valueFor(u"Alpha", 54));
  EXPECT_EQ(frm.UniList1.listCount(), 29);

  auto before = snapshot(frm);
  frm.Combo1.performSelect(2);
  auto after = snapshot(frm);
  after.erase("Label15");  // the chosen name
  before.erase("Label15");
  EXPECT_EQ(after, before);
}

// Lines 59 and later reach the raw line list and nothing else.
TEST(ApplyLanguage, LinesFrom59OnOnlyReachTheRawList) {
  LangWorld w;
  w.addLanguage(u"a.ini", languageLines(u"Same"));
  auto longer = languageLines(u"Same");
  for (int i = 59; i < 200; ++i) longer.push_back(tagged(i, u"extra"));
  w.addLanguage(u"b.ini", longer);
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  auto fiftyNine = snapshot(frm);

  frm.Combo1.performSelect(1);
  ASSERT_EQ(frm.UniList1.listCount(), 199);
  EXPECT_EQ(frm.UniList1.list(0), longer[1]);
  EXPECT_EQ(frm.UniList1.list(198), longer[199]);
  EXPECT_EQ(snapshot(frm), fiftyNine);
}

// Arabic reads right to left: the application carries the order for the
// backend, and message boxes ask for right-to-left reading and alignment.
TEST(ApplyLanguage, RightToLeftFollowsTheAppliedLanguage) {
  LangWorld w;
  const Text arabic = core::fromUtf8("العربية");
  const Text about = core::fromUtf8("حول");
  auto ar = languageLines(arabic, u"[dir=rtl]");
  ar[12] = tagged(12, about);
  ar[9] = tagged(9, about);
  w.addLanguage(u"Arabic.ini", ar);
  w.addLanguage(u"English.ini", languageLines(u"English"));
  w.backend.answer = [](const ui::MessageBoxRequest&) { return shell::answer::Yes; };
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  ASSERT_EQ(frm.Combo1.list(0), u"ENGLISH");
  EXPECT_FALSE(w.app.rightToLeft());

  frm.Combo1.performSelect(1);
  EXPECT_TRUE(w.app.rightToLeft());
  EXPECT_EQ(frm.Command6.text(), about);   // Unicode button: exact
  EXPECT_EQ(frm.Command3.text(), u"???");  // plain button: what the code page carries
  shell::MsgBoxW(w.app, u"text", shell::style::YesNo, u"title");
  shell::MsgBoxW(w.app, u"text", shell::style::YesNoRight, u"title");

  frm.Combo1.performSelect(0);
  EXPECT_FALSE(w.app.rightToLeft());
  shell::MsgBoxW(w.app, u"text", shell::style::YesNo, u"title");

  ASSERT_EQ(w.backend.boxes.size(), 3u);
  EXPECT_EQ(w.backend.boxes[0].style, 0x180004u);
  EXPECT_EQ(w.backend.boxes[1].style, 0x180004u);
  EXPECT_EQ(w.backend.boxes[2].style, 0x4u);
}
