// The stored choices: reading them at start-up, the close action that
// stores them and ends the program, and the hidden selector's step.
#include <gtest/gtest.h>

#include <optional>

#include "app/norvane.h"
#include "lang/languages.h"
#include "support/lang_files.h"

using core::Text;
using test::languageLines;
using test::LangWorld;
using test::valueFor;

namespace {

const Text kNames[] = {u"Ana", u"Bel", u"Cor", u"Dan", u"Eli"};

// A world with five languages, ANA to ELI in sorted order, discovered in
// another order.
void addFiveLanguages(LangWorld& w) {
  for (int i : {3, 0, 4, 2, 1}) w.addLanguage(kNames[i] + Text(u".ini"), languageLines(kNames[i]));
}

// Runs the close action through `control` and returns the exit code.
int closeThrough(ui::Control& control) {
  try {
    control.performClick();
  } catch (const ui::headless::ProcessEnded& ended) {
    return ended.code;
  }
  ADD_FAILURE() << control.fullName() << " did not end the program";
  return -1;
}

}  // namespace

TEST(StoredLanguage, IndexIsRoundedHalfToEvenAndRefusedOutsideTheList) {
  struct Case {
    std::optional<Text> stored;
    int index;  // -1: nothing selected, nothing applied
  };
  const Case cases[] = {
      {std::nullopt, 0}, {u"", 0},       {u"2", 2},       {u"2.5", 2},    {u"3.5", 4},
      {u" 1 ", 1},       {u"1.49", 1},   {u"abc", 0},     {u"5", -1},     {u"4.5", 4},
      {u"-1", -1},       {u"70000", -1}, {u"-70000", -1}, {u"1e400", -1},
  };
  for (const auto& c : cases) {
    std::string what = c.stored ? core::toUtf8(*c.stored) : "(none)";
    LangWorld w;
    addFiveLanguages(w);
    if (c.stored) w.store(u"Show-01", *c.stored);
    app::Norvane n(w.app);
    auto& frm = n.showMain();
    EXPECT_EQ(frm.Combo1.listIndex(), c.index) << what;
    EXPECT_EQ(frm.List6.listIndex(), c.index) << what;
    if (c.index >= 0) {
      EXPECT_EQ(frm.Command6.text(), valueFor(kNames[c.index], 12)) << what;
      EXPECT_EQ(frm.message(26), valueFor(kNames[c.index], 54)) << what;
      EXPECT_EQ(frm.Label15.text(), core::upper(kNames[c.index])) << what;
    } else {
      EXPECT_EQ(frm.Command6.text(), u"About") << what;
      EXPECT_EQ(frm.message(26), u"MSG0") << what;
      EXPECT_EQ(frm.Label15.text(), u"***") << what;
      EXPECT_TRUE(frm.UniList1.items().empty()) << what;
    }
  }
}

// The selector has no entries: a stored position cannot be taken and leaves
// it at none, without disturbing the load.
TEST(StoredSelector, PositionOnAnEmptySelectorIsHarmless) {
  for (Text stored : {u"0", u"3", u"-1", u"junk"}) {
    LangWorld w;
    addFiveLanguages(w);
    w.store(u"Show-00", stored);
    app::Norvane n(w.app);
    auto& frm = n.showMain();
    EXPECT_EQ(frm.UniCombo1.listIndex(), -1) << core::toUtf8(stored);
    EXPECT_EQ(frm.Combo1.listIndex(), 0) << core::toUtf8(stored);
  }
}

// With no language selected (the stored one was removed), closing first
// applies language 0 and stores "0"; Label18 and Command9 store the same.
TEST(CloseAction, AppliesLanguageZeroThenStoresBothAndEnds) {
  for (bool viaLabel : {true, false}) {
    LangWorld w;
    addFiveLanguages(w);
    w.store(u"Show-01", u"9");
    w.store(u"Show-00", u"2");
    app::Norvane n(w.app);
    auto& frm = n.showMain();
    ASSERT_EQ(frm.Combo1.listIndex(), -1);
    ASSERT_EQ(frm.message(0), u"MSG0");

    EXPECT_EQ(closeThrough(viaLabel ? static_cast<ui::Control&>(frm.Label18) : frm.Command9), 0);
    EXPECT_EQ(frm.Combo1.listIndex(), 0);
    EXPECT_EQ(frm.message(0), valueFor(u"Ana", 28));
    EXPECT_EQ(w.stored(u"Show-01"), u"0");
    EXPECT_EQ(w.stored(u"Show-00"), u"-1");  // the empty selector stays at none
  }
}

TEST(CloseAction, StoresTheChosenLanguageForTheNextStart) {
  LangWorld w;
  addFiveLanguages(w);
  {
    app::Norvane n(w.app);
    auto& frm = n.showMain();
    frm.Combo1.performSelect(3);
    EXPECT_EQ(closeThrough(frm.Command9), 0);
  }
  EXPECT_EQ(w.stored(u"Show-01"), u"3");

  LangWorld next;
  addFiveLanguages(next);
  next.store(u"Show-01", w.stored(u"Show-01"));
  app::Norvane n(next.app);
  EXPECT_EQ(n.showMain().Command6.text(), valueFor(u"Dan", 12));
}

TEST(CloseAction, EndsEvenWhenTheStoreCannotBeWritten) {
  LangWorld w;
  addFiveLanguages(w);
  w.machine.settingsReadOnly = true;
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_EQ(closeThrough(frm.Label18), 0);
  EXPECT_TRUE(w.machine.settingsStore.empty());
}

TEST(CloseAction, WithNoLanguagesStoresMinusOne) {
  LangWorld w;
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  EXPECT_EQ(closeThrough(frm.Label18), 0);
  EXPECT_EQ(w.stored(u"Show-01"), u"-1");
  EXPECT_EQ(frm.Command6.text(), u"About");
}

TEST(SelectorStep, CyclesThroughTheEntriesAndLeavesAnEmptySelectorAlone) {
  LangWorld w;
  app::Norvane n(w.app);
  auto& frm = n.showMain();
  frm.UniLabel1.performClick();
  EXPECT_EQ(frm.UniCombo1.listIndex(), -1);

  for (Text entry : {u"a", u"b", u"c"}) frm.UniCombo1.addItem(entry);
  std::vector<int> positions;
  for (int i = 0; i < 5; ++i) {
    frm.UniLabel1.performClick();
    positions.push_back(frm.UniCombo1.listIndex());
  }
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 0, 1}));
}
