// Discovery of the installed languages into Combo1 (names) and List6 (paths).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/norvane.h"
#include "lang/languages.h"
#include "support/lang_files.h"

using core::Text;
using test::LangWorld;

namespace {

Text inLang(const Text& file) { return Text(LangWorld::kFolder) + u"\\" + file; }

// A file that is only a heading: enough for discovery.
std::vector<Text> heading(const Text& name) { return {u"[dir=ltr]" + name}; }

std::vector<Text> items(const ui::ListBox& list) { return list.items(); }

}  // namespace

TEST(Discovery, SortsNamesAndPathsTogether) {
  LangWorld w;
  w.addLanguage(u"b.ini", heading(u"b"));
  w.addLanguage(u"a.ini", heading(u"a"));
  w.addLanguage(u"ab.ini", heading(u"Ab"));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_EQ(items(frm.Combo1), (std::vector<Text>{u"A", u"AB", u"B"}));
  EXPECT_EQ(items(frm.List6),
            (std::vector<Text>{inLang(u"a.ini"), inLang(u"ab.ini"), inLang(u"b.ini")}));
}

// Many names, with duplicates, prefixes and code units on both sides of the
// Latin range: the lists end up sorted by code unit and every name keeps its
// own path.
TEST(Discovery, EveryNameKeepsItsPathThroughTheSort) {
  LangWorld w;
  const std::vector<std::pair<Text, Text>> files = {
      {u"1.ini", u"zeta"},   {u"2.ini", u"Same"},   {u"3.ini", u"alpha"},
      {u"4.ini", u"SAME"},   {u"5.ini", u"al"},     {u"6.ini", core::fromUtf8("ελληνικά")},
      {u"7.ini", u"_under"}, {u"8.ini", u"Zeta 2"}, {u"9.ini", core::fromUtf8("العربية")},
  };
  std::map<Text, Text> nameOf;
  for (auto& [file, name] : files) {
    w.addLanguage(file, heading(name));
    nameOf[inLang(file)] = core::upper(name);
  }
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  ASSERT_EQ(frm.Combo1.listCount(), 9);
  ASSERT_EQ(frm.List6.listCount(), 9);
  EXPECT_TRUE(std::is_sorted(frm.Combo1.items().begin(), frm.Combo1.items().end()));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(frm.Combo1.list(i), nameOf[frm.List6.list(i)]) << i;
  // The two equal names stand next to each other, each with its own file.
  auto same = std::find(frm.Combo1.items().begin(), frm.Combo1.items().end(), u"SAME");
  ASSERT_NE(same, frm.Combo1.items().end());
  EXPECT_EQ(*(same + 1), u"SAME");
}

// Files that break the format never put the lists out of step: a file
// without a full 9-character heading (empty, short, unreadable) is left out;
// a heading of exactly 9 characters lists an empty name.
TEST(Discovery, FilesWithoutAHeadingAreLeftOutAndTheListsStayPaired) {
  LangWorld w;
  w.addLanguage(u"empty.ini", {});
  w.addLanguage(u"short.ini", {u"[dir=ltr", u"Text__ [01]: x"});
  w.machine.addFile(inLang(u"odd.ini"), "\x41");  // one byte: "A"
  auto nameless = test::languageLines(u"Nameless");
  nameless[0] = u"[dir=ltr]";
  w.addLanguage(u"noname.ini", nameless);
  w.addLanguage(u"good.ini", test::languageLines(u"Good"));
  w.addLanguage(u"hidden.ini", heading(u"Hidden"), false, platform::attr::Hidden);
  w.addLanguage(u"system.ini", heading(u"System"), false, platform::attr::System);
  w.addLanguage(u"notes.txt", heading(u"Notes"));
  w.machine.addFolder(inLang(u"folder.ini"));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_EQ(items(frm.Combo1), (std::vector<Text>{u"", u"GOOD"}));
  EXPECT_EQ(items(frm.List6), (std::vector<Text>{inLang(u"noname.ini"), inLang(u"good.ini")}));
  // The stored choice (none: 0) applied the nameless entry, and choosing the
  // other entry applies its own file.
  EXPECT_EQ(frm.Command6.text(), test::valueFor(u"Nameless", 12));
  frm.Combo1.performSelect(1);
  EXPECT_EQ(frm.Command6.text(), test::valueFor(u"Good", 12));
}

TEST(Discovery, MissingLangFolderGivesEmptyListsEvenWithIniFilesNearby) {
  LangWorld w;
  w.machine.removeFolder(LangWorld::kFolder);
  w.machine.addFile(u"C:\\Norvane\\Other.ini", test::utf16le(u"[dir=ltr]Other"));
  w.machine.addFile(u"C:\\Stray.ini", test::utf16le(u"[dir=ltr]Stray"));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_EQ(frm.Combo1.listCount(), 0);
  EXPECT_EQ(frm.List6.listCount(), 0);
  EXPECT_EQ(frm.Command6.text(), u"About");
  EXPECT_EQ(frm.message(0), u"MSG0");
}

// A file name outside the ANSI code page is kept exactly, so its language
// can still be read and applied.
TEST(Discovery, FileNameInAnyScriptIsKeptExactly) {
  LangWorld w;
  Text file = core::fromUtf8("Ελληνικά.ini");
  w.addLanguage(file, test::languageLines(core::fromUtf8("Ελληνικά")));
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  ASSERT_EQ(frm.List6.listCount(), 1);
  EXPECT_EQ(frm.List6.list(0), inLang(file));
  EXPECT_EQ(frm.Command6.text(), test::valueFor(core::fromUtf8("Ελληνικά"), 12));
}

// Discovery starts with a settle wait of 0.01 s that lets timers run; just
// before midnight it ends as soon as the clock starts again from 0.
TEST(Discovery, SettleWaitYieldsAndEndsAtMidnight) {
  for (double startOfDay : {10 * 3600.0, 86400.0 - 0.004}) {
    LangWorld w(startOfDay);
    w.addLanguage(u"a.ini", heading(u"A"));
    shell::FrmMain frm(w.app);
    lang::Languages languages(frm);
    int ticks = 0;
    frm.Timer1.tick += [&] { ++ticks; };
    frm.Timer1.setInterval(1);
    languages.discover();
    EXPECT_GT(ticks, 0) << startOfDay;
    if (startOfDay < 86000)
      EXPECT_NEAR(w.clock.monotonic(), 0.01, 0.0015);
    else
      EXPECT_LT(w.clock.monotonic(), 0.006);
    EXPECT_EQ(frm.Combo1.listCount(), 1) << startOfDay;
  }
}
