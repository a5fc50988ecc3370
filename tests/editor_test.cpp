// The virus-name list editor: the shortcut that shows its panel, the access
// code window, editor mode with its window moves, and renaming and removing
// entries of the two detection lists.
#include "editor/editor.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/form2.h"
#include "scan/detection_lists.h"
#include "support/scan_world.h"

using editor::Form2;
using test::ScanWorld;
using Text = core::Text;

namespace {

// Norvane with a virus-name list of three entries and a folder-name list of
// two, the editor's texts filled as a language would fill them.
struct EditorWorld : ScanWorld {
  EditorWorld() {
    machine.addFile(u"C:\\Norvane\\Kit\\Lunet.exe",
                    "File Name: kavo.exe\r\nFile Name: ravmon.exe\r\nFile Name: svchost.vbs\r\n");
    machine.addFile(u"C:\\Norvane\\Kit\\Varko.exe", "123456RECYCLER\r\n123456Trash\r\n");
    start();
    frm->TxtNoSelection = u"  Choose an entry first. ";
    frm->TxtNoSelectionTitle = u"No entry";
    frm->TxtRename = u"Rename";
    frm->TxtRenameTitle = u"Renaming";
    frm->TxtRemove = u"Remove";
    frm->TxtRemoveTitle = u"Removing";
  }
  editor::Editor& editor() { return norvane.editor(); }

  // Clicks the panel's button and, once the password window is open, runs
  // `act` on it; if the window is still open afterwards, cancels it.
  // Answers whether the window was still open after `act`.
  bool withPassword(std::function<void(Form2&)> act) {
    bool stayed = false;
    whenShown<Form2>([&](Form2& f) {
      act(f);
      stayed = f.loaded();
      if (stayed) f.Command2.performClick();
    });
    frm->Command3.performClick();
    return stayed;
  }
  // Types the access code and presses Enter.
  void unlock() {
    withPassword([](Form2& f) {
      f.Text1.performEdit(editor::kAccessCode);
      f.Text1.performKey(13);
    });
  }
  std::vector<Text> entries(const ui::ListBox& list) { return list.items(); }
  // The last message box as "title|text|style".
  Text lastBox() {
    if (backend.boxes.empty()) return u"(none)";
    auto& b = backend.boxes.back();
    return b.title + u"|" + b.text + u"|" + core::decimal(b.style);
  }
};

TEST(EditorPanel, CtrlShiftLShowsAndHidesThePanel) {
  EditorWorld w;
  auto& frm = *w.frm;
  EXPECT_FALSE(frm.Picture7.visible());
  EXPECT_EQ(frm.performKeyDown('L', 2), 'L');  // Ctrl+L alone is not the shortcut
  EXPECT_EQ(frm.performKeyDown('L', 1 | 2 | 4), 'L');
  EXPECT_FALSE(frm.Picture7.visible());

  EXPECT_EQ(frm.performKeyDown('L', 1 | 2), 0);  // taken, the control never sees it
  EXPECT_TRUE(frm.Picture7.visible());
  // Before the access code only the panel's button shows.
  EXPECT_TRUE(frm.Command3.showing());
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &frm.List4, &frm.List5, &frm.Command4, &frm.Command5, &frm.Command7, &frm.Text4})
    EXPECT_FALSE(c->showing()) << c->name();

  frm.performKeyDown('L', 1 | 2);
  EXPECT_FALSE(frm.Picture7.visible());
}

TEST(EditorPanel, HidingThePanelInEditorModeLeavesEditorModeFirst) {
  EditorWorld w;
  auto& frm = *w.frm;
  frm.setLeft(3000);
  frm.performKeyDown('L', 3);
  w.unlock();
  ASSERT_TRUE(w.editor().inEditorMode());
  frm.performKeyDown('L', 3);
  EXPECT_FALSE(frm.Picture7.visible());
  EXPECT_FALSE(w.editor().inEditorMode());
  EXPECT_EQ(frm.left(), 3000);
  EXPECT_EQ(frm.width(), 13065);
  EXPECT_EQ(frm.Command3.text(), u"Add Files: Virus Name");
}

TEST(PasswordWindow, OpensBesideTheMainWindowWithItsInitialTextSelected) {
  EditorWorld w;
  auto& frm = *w.frm;
  frm.move(1000, 500, frm.width(), frm.height());
  frm.performKeyDown('L', 3);
  w.withPassword([&](Form2& f) {
    EXPECT_TRUE(f.modal());
    EXPECT_EQ(f.left(), 4200);
    EXPECT_EQ(f.top(), 3000);
    EXPECT_EQ(f.caption(), u"Password");
    EXPECT_EQ(f.borderStyle(), 3);
    EXPECT_EQ(f.Text1.text(), u"000000");
    EXPECT_EQ(f.Text1.passwordChar(), u'*');
    EXPECT_EQ(f.Text1.selStart(), 0);
    EXPECT_EQ(f.Text1.selLength(), 6);
    // Keys other than Enter reach the field.
    EXPECT_EQ(f.Text1.performKey('5'), '5');
  });
  EXPECT_EQ(w.app.loaded<Form2>(), nullptr);  // Cancel closed it
  EXPECT_FALSE(w.editor().inEditorMode());
}

struct CodeCase {
  Text typed;
  bool accepted;
};

TEST(PasswordWindow, OnlyTheExactCodeOpensTheEditor) {
  for (auto [typed, accepted] :
       {CodeCase{u"503", true}, CodeCase{u"503 ", false}, CodeCase{u" 503", false},
        CodeCase{u"000000", false}, CodeCase{u"5030", false}, CodeCase{u"", false}}) {
    SCOPED_TRACE(core::toUtf8(u"'" + typed + u"'"));
    EditorWorld w;
    w.frm->performKeyDown('L', 3);
    Text kept;
    bool stayed = w.withPassword([&](Form2& f) {
      f.Text1.performEdit(typed);
      EXPECT_EQ(f.Text1.performKey(13), 0);  // Enter is OK, not a character
      kept = f.Text1.text();
    });
    EXPECT_EQ(stayed, !accepted);
    EXPECT_EQ(w.editor().inEditorMode(), accepted);
    EXPECT_EQ(w.frm->List4.visible(), accepted);
    EXPECT_EQ(kept, typed);                // a refused code stays as typed
    EXPECT_TRUE(w.backend.boxes.empty());  // refused in silence
  }
}

TEST(PasswordWindow, TheOkButtonChecksTheCodeToo) {
  EditorWorld w;
  w.frm->performKeyDown('L', 3);
  w.withPassword([](Form2& f) {
    f.Text1.performEdit(u"503");
    f.Command1.performClick();
  });
  EXPECT_TRUE(w.editor().inEditorMode());
  EXPECT_EQ(w.app.loaded<Form2>(), nullptr);
}

TEST(EditorMode, EnteringAndLeavingReturnsTheWindowToItsPlace) {
  EditorWorld w;
  auto& frm = *w.frm;
  frm.setLeft(4000);
  frm.Check7.setValue(1);
  frm.performKeyDown('L', 3);
  w.unlock();
  EXPECT_EQ(frm.Command3.text(), u"Close");
  EXPECT_EQ(frm.left(), 4000 - 2960);
  EXPECT_EQ(frm.width(), 14160);
  EXPECT_EQ(frm.Check7.value(), 0);
  EXPECT_TRUE(frm.List4.showing());
  EXPECT_TRUE(frm.Command5.showing());

  frm.Check7.setValue(1);
  frm.Command3.performClick();  // "Close"
  EXPECT_EQ(frm.Command3.text(), u"Add Files: Virus Name");
  EXPECT_EQ(frm.left(), 4000);
  EXPECT_EQ(frm.width(), 13065);  // 9555 asked for, raised by the minimum-size rule
  EXPECT_EQ(frm.Check7.value(), 0);
  EXPECT_FALSE(frm.List4.visible());
  EXPECT_TRUE(frm.Picture7.visible());
  EXPECT_EQ(w.app.loaded<Form2>(), nullptr);
}

// A language applied in editor mode renames the panel's button, so its next
// click asks for the code again; the window must not move a second time.
TEST(EditorMode, TheCodeGivenAgainInEditorModeDoesNotMoveTheWindowFurther) {
  EditorWorld w;
  auto& frm = *w.frm;
  frm.setLeft(4000);
  frm.performKeyDown('L', 3);
  w.unlock();
  frm.Command3.setText(u"Edit list");  // as line 9 of a language sets it
  w.unlock();
  EXPECT_EQ(frm.Command3.text(), u"Close");
  EXPECT_EQ(frm.left(), 4000 - 2960);
  frm.Command3.performClick();
  EXPECT_EQ(frm.left(), 4000);
  EXPECT_EQ(frm.width(), 13065);
}

// An editor in editor mode, with the answers to its questions queued.
struct Unlocked : EditorWorld {
  Unlocked() {
    frm->performKeyDown('L', 3);
    unlock();
  }
};

TEST(Rename, TheClickedEntryTakesTheNewNameOnYesOnly) {
  for (int answer : {6, 7}) {
    Unlocked w;
    auto& frm = *w.frm;
    frm.List4.performSelect(1);
    EXPECT_EQ(frm.Text4.text(), u"ravmon.exe");
    EXPECT_EQ(frm.Label13.text(), u"1");
    EXPECT_EQ(frm.Text5.text(), u"0");
    frm.Text4.performEdit(u"ravmon2.exe");
    w.answers = {answer};
    frm.Command5.performClick();
    EXPECT_EQ(w.lastBox(), u"Renaming|Rename (ravmon.exe) File.|4");
    EXPECT_FALSE(w.backend.boxes.back().icon);
    Text expected = answer == 6 ? u"ravmon2.exe" : u"ravmon.exe";
    EXPECT_EQ(w.entries(frm.List4), (std::vector<Text>{u"kavo.exe", expected, u"svchost.vbs"}));
    EXPECT_EQ(frm.List4.listIndex(), 1);
    EXPECT_EQ(frm.Label13.text(), u"1");
  }
}

TEST(Rename, WithoutARememberedEntryNothingIsAskedOrWritten) {
  const std::vector<Text> lists{u"kavo.exe", u"ravmon.exe", u"svchost.vbs"};
  struct Case {
    const char* what;
    std::function<void(Unlocked&)> before;
    std::vector<Text> after;
  };
  for (auto& c : std::vector<Case>{
           {"no entry clicked yet", [](Unlocked&) {}, lists},
           {"the clicked entry was removed",
            [](Unlocked& w) {
              w.frm->List4.performSelect(1);
              w.answers = {6};
              w.frm->Command4.performClick();
            },
            {u"kavo.exe", u"svchost.vbs"}},
           {"the clicked last entry was removed",
            [](Unlocked& w) {
              w.frm->List4.performSelect(2);
              w.answers = {6};
              w.frm->Command4.performClick();
            },
            {u"kavo.exe", u"ravmon.exe"}},
           {"a lookup by the scan found nothing",
            [](Unlocked& w) { scan::isListedVirus(w.frm->List4, u"NOTLISTED.EXE"); }, lists},
       }) {
    SCOPED_TRACE(c.what);
    Unlocked w;
    c.before(w);
    size_t boxes = w.backend.boxes.size();
    w.frm->Text4.performEdit(u"new.exe");
    w.answers = {6};
    w.frm->Command5.performClick();
    EXPECT_EQ(w.backend.boxes.size(), boxes);
    EXPECT_EQ(w.entries(w.frm->List4), c.after);
  }
}

struct RemoveCase {
  const char* what;
  bool virusList;  // List4 with Command4, else List5 with Command7
  int answer;
  std::vector<Text> after;
};

TEST(Remove, TheSelectedEntryGoesOnYesOnlyAndTheSameQuestionServesBothLists) {
  for (auto& c : std::vector<RemoveCase>{
           {"virus list, Yes", true, 6, {u"kavo.exe", u"svchost.vbs"}},
           {"virus list, No", true, 7, {u"kavo.exe", u"ravmon.exe", u"svchost.vbs"}},
           {"folder list, Yes", false, 6, {u"RECYCLER "}},
           {"folder list, No", false, 7, {u"RECYCLER ", u"Trash "}},
       }) {
    SCOPED_TRACE(c.what);
    Unlocked w;
    auto& list = c.virusList ? w.frm->List4 : w.frm->List5;
    auto& button = c.virusList ? w.frm->Command4 : w.frm->Command7;
    list.performSelect(1);
    Text entry = list.list(1);
    w.answers = {c.answer};
    button.performClick();
    EXPECT_EQ(w.lastBox(), u"Removing|Remove (" + entry + u") File.|4");
    EXPECT_EQ(w.entries(list), c.after);
    EXPECT_EQ(list.listIndex(), c.answer == 6 ? -1 : 1);
  }
}

TEST(Remove, WithNothingSelectedANoticeIsShownAndNothingChanges) {
  for (bool virusList : {true, false}) {
    Unlocked w;
    auto& list = virusList ? w.frm->List4 : w.frm->List5;
    auto before = w.entries(list);
    w.answers = {6};
    (virusList ? w.frm->Command4 : w.frm->Command7).performClick();
    EXPECT_EQ(w.lastBox(), u"No entry|Choose an entry first.|0");
    EXPECT_EQ(w.entries(list), before);
  }
}

// The lists are the ones the scan consults: a renamed entry is found under
// its new name by the next clean run, and no longer under the old one.
TEST(Rename, TheNextCleanRunFindsTheEntryUnderItsNewName) {
  Unlocked w;
  auto& frm = *w.frm;
  w.machine.addFile(u"G:\\kavo.exe", "x");
  w.machine.addFile(u"G:\\Fotos.scr", "x");
  w.chooseDrive(u'C');
  w.chooseDrive(u'G');
  frm.List4.performSelect(0);
  frm.Text4.performEdit(u"FOTOS.SCR");
  w.answers = {6};
  frm.Command5.performClick();
  ASSERT_EQ(frm.List4.list(0), u"FOTOS.SCR");
  std::vector<Text> listed;
  w.answers = {6};  // closing the results window with files listed: Yes
  w.cleanRun([&](scan::Form4& f) {
    for (int i = 0; i < f.ListView1.rowCount(); ++i)
      listed.push_back(f.ListView1.row(i).cells.at(1));
    f.Command1.performClick();
  });
  EXPECT_EQ(listed, std::vector<Text>{u"Fotos.scr"});
}

}  // namespace
