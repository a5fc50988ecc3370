// Whole clean runs on the simulated machine: the scan button, the run driver
// with its ticks and closing stage, the drive repair, DelTree, the results
// window and the write test.
#include <gtest/gtest.h>

#include "editor/form3.h"
#include "scan/clean_command.h"
#include "scan/run_driver.h"
#include "support/scan_world.h"

using namespace platform;
using test::ScanWorld;
using Text = core::Text;

namespace {

constexpr uint32_t kProtected = attr::ReadOnly | attr::Hidden | attr::System;

// A drive as a worm leaves it: the user's folders hidden, a shortcut in
// their place, a script, a worm folder.
void infect(platform::sim::Machine& m) {
  m.addFolder(u"G:\\Photos", attr::Directory | attr::Hidden | attr::System);
  m.addFile(u"G:\\Photos\\beach.jpg", "jpg", attr::Hidden | attr::System);
  m.addFolder(u"G:\\Docs", attr::Directory | attr::Hidden | attr::System);
  m.addFile(u"G:\\Docs\\letter.txt", "hi", attr::Hidden);
  m.addFile(u"G:\\Photos.lnk", "lnk");
  m.addFile(u"G:\\x.vbs", "vbs");
  m.addFolder(u"G:\\RECYCLER");
  m.addFile(u"G:\\RECYCLER\\worm.exe", "", attr::ReadOnly | attr::Hidden | attr::System);
  m.addFile(u"C:\\Norvane\\Kit\\Varko.exe", "123456RECYCLER\r\n");
}

int ticksDuring(ScanWorld& w, std::function<void()> run) {
  int ticks = 0;
  w.frm->Timer10.tick += [&] { ++ticks; };
  run();
  return ticks;
}

TEST(CleanRun, CleansADriveFromEndToEnd) {
  ScanWorld w;
  infect(w.machine);
  auto& frm = w.start();
  ASSERT_EQ(frm.List1.listCount(), 4);  // G:\, Photos, Docs, RECYCLER
  int ticks = ticksDuring(w, [&] {
    w.cleanRun([](scan::Form4& f) { f.Command2.performClick(); });  // delete all listed
  });
  auto& m = w.machine;
  EXPECT_EQ(ticks, 4);  // one folder per tick; the last one also closes
  EXPECT_EQ(m.attributes(u"G:\\Photos"), attr::Directory | attr::Archive);
  EXPECT_EQ(m.attributes(u"G:\\Photos\\beach.jpg"), attr::Archive);
  EXPECT_EQ(m.attributes(u"G:\\Docs\\letter.txt"), attr::Archive);
  EXPECT_FALSE(m.exists(u"G:\\Photos.lnk"));
  EXPECT_FALSE(m.exists(u"G:\\x.vbs"));
  EXPECT_FALSE(m.exists(u"G:\\RECYCLER"));
  EXPECT_EQ(m.attributes(u"G:\\AutoRun.Inf"), attr::Directory | kProtected);
  EXPECT_EQ(m.attributes(u"G:\\AutoRun.Inf\\Desktop.ini"), kProtected);
  EXPECT_EQ(m.content(u"G:\\AutoRun.Inf\\Desktop.ini"),
            "[.ShellClassInfo]\r\nCLSID={2559a1f2-21d7-11d4-bdaf-00c04f60b9f0}\r\n");
  // The batch was written to the drive and started hidden.
  ASSERT_EQ(m.shellOpens.size(), 1u);
  EXPECT_EQ(m.shellOpens[0].commandLine, u"G:\\Run.bat");
  EXPECT_EQ(m.shellOpens[0].show, show::Hidden);
  EXPECT_EQ(m.content(u"G:\\Run.bat"),
            "G:\r\nattrib -h -s -a /s /d \r\nattrib Autorun.ini +s +h\r\ndel G:\\Run.bat\r\n");
  // The controls are given back.
  EXPECT_TRUE(frm.Timer2.enabled());
  EXPECT_TRUE(frm.Command2.enabled());
  EXPECT_TRUE(frm.Check1.enabled());
  EXPECT_FALSE(frm.Picture5.visible());
  EXPECT_EQ(frm.Label11.text(), u"0");
  EXPECT_EQ(w.form4(), nullptr);  // closed and gone
}

TEST(CleanRun, ArmsTheRunAndDisablesTheControls) {
  ScanWorld w;
  w.machine.addFile(u"G:\\a.txt");
  auto& frm = w.start();
  frm.Command1.performClick();
  EXPECT_EQ(frm.Timer10.interval(), 1000);
  EXPECT_EQ(frm.Command1.text(), frm.message(27));
  EXPECT_FALSE(frm.Timer2.enabled());
  EXPECT_FALSE(frm.Command2.enabled());
  EXPECT_FALSE(frm.Picture2.enabled());
  EXPECT_FALSE(frm.Check6.enabled());
  EXPECT_TRUE(frm.Picture5.visible());
  EXPECT_EQ(frm.LogCountdown, 1);
}

TEST(CleanRun, ARootOnlyDriveClosesInItsFirstTick) {
  ScanWorld w;
  w.machine.addFile(u"G:\\a.lnk");
  auto& frm = w.start();
  ASSERT_EQ(frm.List1.listCount(), 1);
  w.answers = {6};  // yes, close with the shortcut still listed
  int ticks = ticksDuring(w, [&] { w.cleanRun(); });
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(w.machine.exists(u"G:\\a.lnk"));  // closed without deleting
}

TEST(CleanRun, AStopBeforeTheFirstTickExaminesNothingAndStillCloses) {
  ScanWorld w;
  infect(w.machine);
  auto& frm = w.start();
  bool shown = false;
  w.whenShown<scan::Form4>([&](scan::Form4& f) {
    shown = true;
    EXPECT_EQ(f.ListView1.rowCount(), 0);
    f.Command1.performClick();
  });
  frm.Command1.performClick();
  frm.Command1.performClick();  // stop while armed
  EXPECT_EQ(frm.Timer10.interval(), 2);
  EXPECT_TRUE(frm.Timer2.enabled());
  EXPECT_EQ(frm.Command1.text(), frm.TxtCommand1);
  w.loop.runUntil([&] { return shown && frm.Timer10.interval() == 0; });
  EXPECT_EQ(w.machine.attributes(u"G:\\Docs"), attr::Directory | attr::Hidden | attr::System);
  EXPECT_FALSE(w.machine.exists(u"G:\\RECYCLER"));  // the closing stage still ran
  EXPECT_EQ(w.machine.shellOpens.size(), 2u);       // every click writes the batch
}

// An infected drive whose Docs folder holds 30 more hidden files; `act`
// runs while Docs (the third tick) is being examined. The results window
// will be closed with Yes, without deleting.
shell::FrmMain& startWithActionInDocs(ScanWorld& w, std::function<void(shell::FrmMain&)> act) {
  infect(w.machine);
  for (int i = 0; i < 30; ++i)
    w.machine.addFile(u"G:\\Docs\\f" + core::decimal(i) + u".txt", "", attr::Hidden);
  auto& frm = w.start();
  w.whenTrue([&frm] { return frm.FolderIndex == 2 && frm.FilesExamined >= 5; },
             [&frm, act] { act(frm); });
  w.answers = {6};
  return frm;
}

TEST(CleanRun, AStopInTheMiddleEndsTheRunAtTheNextTick) {
  ScanWorld w;
  int examinedAtStop = -1;
  auto& frm = startWithActionInDocs(w, [&](shell::FrmMain& f) {
    examinedAtStop = f.FilesExamined;
    f.Command1.performClick();
  });
  w.cleanRun();
  ASSERT_GE(examinedAtStop, 5);
  EXPECT_LE(frm.FilesExamined, examinedAtStop + 1);  // the rest of Docs became no-ops
  EXPECT_EQ(w.machine.attributes(u"G:\\Docs\\f29.txt"), attr::Hidden);  // never examined
  EXPECT_FALSE(w.machine.exists(u"G:\\RECYCLER"));  // the closing stage still ran
  EXPECT_TRUE(w.machine.exists(u"G:\\x.vbs"));      // listed, not deleted
}

// The user pulls the stick while its folders are being examined: every later
// step fails on the missing drive, yet the run comes to its end, the results
// window still shows, the controls come back and the poll drops the row.
TEST(CleanRun, AStickPulledDuringTheRunEndsTheRunCleanly) {
  ScanWorld w;
  bool pulled = false;
  auto& frm = startWithActionInDocs(w, [&](shell::FrmMain&) {
    w.machine.removeDrive(u'G');
    pulled = true;
  });
  bool shown = false;
  w.cleanRun([&](scan::Form4& f) {
    shown = true;
    f.Command1.performClick();
  });
  ASSERT_TRUE(pulled);
  EXPECT_TRUE(shown);
  EXPECT_EQ(frm.Timer10.interval(), 0);
  EXPECT_EQ(w.form4(), nullptr);  // closed and gone
  EXPECT_TRUE(frm.Timer2.enabled());
  EXPECT_TRUE(frm.Command2.enabled());
  EXPECT_FALSE(frm.Picture5.visible());
  EXPECT_FALSE(w.machine.exists(u"C:\\AutoRun.Inf"));  // the vaccine never lands elsewhere
  w.loop.runFor(3);                                    // the drive poll
  for (int i = 0; i < frm.List2.listCount(); ++i) EXPECT_NE(frm.List2.list(i)[0], u'G');
}

// A folder link on the stick is one item: the run neither lists nor changes
// what lies behind it, not even the first file that choosing a folder
// selects during a run.
TEST(CleanRun, WhatLiesBehindAFolderLinkIsNeverTouched) {
  ScanWorld w;
  infect(w.machine);
  w.machine.addDrive(u'D', DriveType::Fixed, u"DATA");
  w.machine.addFolder(u"D:\\Private");
  w.machine.addFile(u"D:\\Private\\a.vbs", "script", attr::Hidden);
  w.machine.addFile(u"D:\\Private\\b.txt", "note", attr::Hidden | attr::System);
  w.machine.addFolderLink(u"G:\\Shared", u"D:\\Private");
  w.start();
  w.cleanRun([](scan::Form4& f) { f.Command2.performClick(); });  // delete all listed
  ASSERT_TRUE(w.machine.exists(u"D:\\Private\\a.vbs"));
  EXPECT_EQ(w.machine.attributes(u"D:\\Private\\a.vbs"), attr::Hidden);
  EXPECT_EQ(w.machine.attributes(u"D:\\Private\\b.txt"), attr::Hidden | attr::System);
  EXPECT_FALSE(w.machine.exists(u"G:\\x.vbs"));  // the stick's own script went
}

TEST(CleanRun, TwoRunsInARowReprotectTheVaccine) {
  ScanWorld w;
  w.machine.addFile(u"G:\\a.txt");
  w.start();
  w.cleanRun();
  w.machine.setAttributes(u"G:\\AutoRun.Inf", 0);  // the batch of the next run clears it
  w.cleanRun();
  EXPECT_EQ(w.machine.attributes(u"G:\\AutoRun.Inf"), attr::Directory | kProtected);
  EXPECT_EQ(w.machine.attributes(u"G:\\AutoRun.Inf\\Desktop.ini"), kProtected);
}

TEST(CleanRun, ABlankFolderNameDeletesNothing) {
  ScanWorld w;
  w.machine.addFile(u"C:\\Norvane\\Kit\\Varko.exe", "\r\n");
  w.machine.addFile(u"G:\\keep.txt");
  auto& frm = w.start();
  ASSERT_EQ(frm.List5.list(0), u" ");
  w.cleanRun();
  EXPECT_TRUE(w.machine.exists(u"G:\\keep.txt"));
}

TEST(CleanRun, OnDriveCNoBatchIsWritten) {
  ScanWorld w;
  w.start();
  w.chooseDrive(u'C');
  w.cleanRun();
  EXPECT_TRUE(w.machine.shellOpens.empty());
  EXPECT_FALSE(w.machine.exists(u"C:\\Run.bat"));
  EXPECT_TRUE(w.machine.exists(u"C:\\AutoRun.Inf"));  // the closing stage runs on C: too
}

TEST(CleanRun, AWriteProtectedDriveIsAnsweredWithMessage30AndKeepsNoFile) {
  ScanWorld w;
  w.machine.setWriteProtected(u'G', true);
  auto& frm = w.start();
  frm.MSG0[30]->setText(u"not writable");
  frm.MSG0[17]->setText(u"Norvane");
  frm.Command1.performClick();
  ASSERT_EQ(w.backend.boxes.size(), 1u);
  EXPECT_EQ(w.backend.boxes[0].text, u"not writable");
  EXPECT_EQ(w.backend.boxes[0].title, u"Norvane");
  EXPECT_EQ(frm.Timer10.interval(), 0);
  EXPECT_TRUE(w.machine.list(u"G:\\", u"*").empty());
  EXPECT_TRUE(w.machine.shellOpens.empty());
}

TEST(CleanRun, TheWriteTestLeavesNoFileAndSparesTheUsersOwn) {
  ScanWorld w;
  w.machine.addFile(u"G:\\Test.txt", "mine", attr::ReadOnly);
  w.start();
  scan::CleanCommand& command = w.norvane.scan().command();
  EXPECT_EQ(command.TestDriveWrite(u"G:\\"), u"Yes");
  EXPECT_EQ(w.machine.content(u"G:\\Test.txt"), "mine");
  EXPECT_EQ(w.machine.list(u"G:\\", u"*").size(), 1u);
  w.machine.setMedia(u'G', false);
  EXPECT_EQ(command.TestDriveWrite(u"G:\\"), u"No");
}

// The batch deletes itself when it is done; a Run.bat of the user's in the
// root must survive that, so the batch takes the next free name.
TEST(CleanRun, TheBatchSparesTheUsersOwnRunBat) {
  ScanWorld w;
  w.machine.addFile(u"G:\\Run.bat", "echo mine\r\n");
  w.start();
  w.cleanRun();
  EXPECT_EQ(w.machine.content(u"G:\\Run.bat"), "echo mine\r\n");
  ASSERT_EQ(w.machine.shellOpens.size(), 1u);
  EXPECT_EQ(w.machine.shellOpens[0].commandLine, u"G:\\Run1.bat");
  EXPECT_EQ(w.machine.content(u"G:\\Run1.bat"),
            "G:\r\nattrib -h -s -a /s /d \r\nattrib Autorun.ini +s +h\r\ndel G:\\Run1.bat\r\n");
}

TEST(CleanRun, AFolderNamedByANoBreakSpaceIsRecoveredOnce) {
  ScanWorld w;
  w.machine.addFolder(u"G:\\\u00A0", attr::Directory | attr::Hidden | attr::System);
  w.machine.addFile(u"G:\\\u00A0\\thesis.doc", "x", attr::Hidden);
  auto& frm = w.start();
  w.cleanRun();
  auto root = w.machine.list(u"G:\\", u"File_Recover_*");
  ASSERT_EQ(root.size(), 1u);
  Text recovered = u"G:\\" + root[0].name;
  EXPECT_EQ(w.machine.attributes(recovered + u"\\thesis.doc"), attr::Archive);
  EXPECT_FALSE(w.machine.exists(u"G:\\\u00A0"));
  EXPECT_EQ(frm.Timer10.interval(), 0);
}

// The recovery starts the run again from the root, but the rows found before
// it stay in the results window, and so must the counts shown beside them.
TEST(CleanRun, ARecoveryKeepsTheCountsOfTheRowsFoundBeforeIt) {
  ScanWorld w;
  w.machine.addFile(u"G:\\spread.vbs", "vbs");
  w.machine.addFile(u"G:\\Photos.lnk", "lnk");
  w.machine.addFolder(u"G:\\\u00A0");
  w.machine.addFile(u"G:\\\u00A0\\thesis.doc", "x");
  w.start();
  w.answers = {6};  // closing keeps the files
  Text other, shortcuts, total;
  w.cleanRun([&](scan::Form4& f) {
    other = f.Label100.text();
    shortcuts = f.Label3.text();
    total = f.Label7.text();
    f.Command1.performClick();
  });
  ASSERT_EQ(w.machine.list(u"G:\\", u"File_Recover_*").size(), 1u);
  EXPECT_EQ(total, u"2");
  EXPECT_EQ(other, u"1");
  EXPECT_EQ(shortcuts, u"1");
}

TEST(CleanRun, ARecoveryThatFailsLetsTheRunFinish) {
  ScanWorld w;
  w.machine.addFolder(u"G:\\\u00A0");
  w.machine.setLocked(u"G:\\\u00A0", true);
  w.machine.addFolder(u"G:\\Docs", attr::Directory | attr::Hidden);
  auto& frm = w.start();
  w.cleanRun();
  EXPECT_TRUE(w.machine.exists(u"G:\\\u00A0"));
  EXPECT_EQ(w.machine.attributes(u"G:\\Docs"), attr::Directory | attr::Archive);
  EXPECT_EQ(frm.Timer10.interval(), 0);
}

TEST(CleanRun, OpensTheDriveWhenAskedAndTheSecondWindowStaysShut) {
  ScanWorld w;
  auto& frm = w.start();
  frm.Check6.setValue(1);
  w.cleanRun();
  ASSERT_FALSE(w.machine.started.empty());
  EXPECT_EQ(w.machine.started.back().commandLine, u"Explorer.exe g:\\");
  EXPECT_EQ(frm.Label14.text(), u"0");
  auto* form3 = w.app.loaded<editor::Form3>();
  ASSERT_NE(form3, nullptr);
  EXPECT_FALSE(form3->visible());
}

TEST(DelTree, RemovesEverythingInsideTheFolder) {
  ScanWorld w;
  auto& m = w.machine;
  m.addFile(u"G:\\W\\ro.exe", "", attr::ReadOnly | attr::Hidden);
  m.addFile(u"G:\\W\\sys.dll", "", attr::System);
  m.addFile(u"G:\\W\\Sub\\Deep\\x.txt");
  EXPECT_EQ(scan::DelTree(m, u"  G:\\W\\ "), 0);
  EXPECT_FALSE(m.exists(u"G:\\W"));
}

TEST(DelTree, RefusesRootsFilesAndRelativeNames) {
  ScanWorld w;
  auto& m = w.machine;
  m.addFile(u"G:\\a.txt");
  for (Text p : {u"G:\\", u"G:", u"", u"   ", u"a.txt", u"G:\\a.txt", u"G:\\missing"})
    EXPECT_EQ(scan::DelTree(m, p), -1) << core::toUtf8(p);
  EXPECT_TRUE(m.exists(u"G:\\a.txt"));
}

TEST(DelTree, RemovesALinkInsideTheTreeWithoutFollowingIt) {
  ScanWorld w;
  auto& m = w.machine;
  m.addDrive(u'D', DriveType::Fixed);
  m.addFile(u"D:\\Precious\\thesis.doc");
  m.addFolderLink(u"G:\\W\\Link", u"D:\\Precious");
  m.addFolderLink(u"G:\\Link2", u"D:\\Precious");
  EXPECT_EQ(scan::DelTree(m, u"G:\\W"), 0);
  EXPECT_EQ(scan::DelTree(m, u"G:\\Link2"), 0);
  EXPECT_FALSE(m.exists(u"G:\\W"));
  EXPECT_FALSE(m.exists(u"G:\\Link2"));
  EXPECT_TRUE(m.exists(u"D:\\Precious\\thesis.doc"));
}

TEST(DelTree, ReportsTheFirstFailure) {
  ScanWorld w;
  auto& m = w.machine;
  m.addFile(u"G:\\W\\open.txt");
  m.setLocked(u"G:\\W\\open.txt", true);
  EXPECT_EQ(scan::DelTree(m, u"G:\\W"), static_cast<int>(err::SharingViolation));
  EXPECT_TRUE(m.exists(u"G:\\W"));
}

}  // namespace
