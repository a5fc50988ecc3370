#include "scan/clean_command.h"

#include <cmath>
#include <optional>

#include "core/error.h"
#include "editor/form3.h"
#include "platform/lookup.h"
#include "shell/msgbox.h"

namespace scan {

using core::attempt;

namespace {
constexpr int kIdle = 0, kArmed = 1000, kStopRequested = 2;
}

CleanCommand::CleanCommand(shell::FrmMain& frm) : frm_(frm), platform_(frm.app().platform()) {
  frm.Command1.click += [this] { click(); };
  frm.TestDriveWrite = [this](const Text& path) { return TestDriveWrite(path); };
}

void CleanCommand::click() {
  frm_.Label1.refresh();
  frm_.UniLabel2.refresh();
  if (frm_.List1.listCount() == 0) return;
  const Text root = frm_.List1.list(0);
  if (TestDriveWrite(root) == u"No") {
    shell::MsgBoxW(frm_.app(), frm_.message(30), shell::style::Ok, frm_.message(17));
    return;
  }
  if (frm_.Timer10.interval() == kIdle)
    StartCleanRun();
  else
    requestStop();
  writeAndStartBatch(root);
}

void CleanCommand::requestStop() {
  attempt([&] { frm_.Timer2.setEnabled(true); });
  setRunControlsEnabled(true);
  attempt([&] { frm_.Command1.setText(frm_.TxtCommand1); });
  attempt([&] { frm_.Timer10.setInterval(kStopRequested); });
}

void CleanCommand::setRunControlsEnabled(bool enabled) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &frm_.Command2, &frm_.Picture2, &frm_.Check1, &frm_.Check2, &frm_.Check3, &frm_.Check4,
           &frm_.Check5, &frm_.Check6})
    c->setEnabled(enabled);
}

std::string batchText(platform::System& system, const Text& batch) {
  Text drive = core::upper(core::left(batch, 2));
  Text text = drive + u"\r\n" + u"attrib -h -s -a /s /d \r\n" + u"attrib Autorun.ini +s +h\r\n" +
              u"del " + batch + u"\r\n";
  return system.toAnsi(text);
}

std::optional<Text> freeRootFile(platform::FileSystem& files, const Text& drive, const Text& stem,
                                 const Text& extension) {
  try {
    for (int n = 0; n < 100; ++n) {
      Text file = drive + u"\\" + stem + (n ? core::decimal(n) : Text()) + u"." + extension;
      if (!files.stat(file)) return file;
    }
  } catch (const core::Error&) {
    // A drive that cannot be looked into (no medium, gone) has no free name.
  }
  return std::nullopt;
}

// The batch clears hidden, system and archive over the whole drive and then
// deletes itself; the system drive is never given one. It takes a free name
// (Run.bat, else Run1.bat, ...): a Run.bat of the user's is neither
// overwritten nor deleted.
void CleanCommand::writeAndStartBatch(const Text& root) {
  const Text drive = core::left(root, 2);
  if (core::upper(drive) == u"C:") return;
  auto batch = freeRootFile(platform_.files, drive, u"Run", u"bat");
  if (!batch) return;
  attempt([&] { platform_.files.writeFile(*batch, batchText(platform_.system, *batch), false); });
  attempt([&] { platform_.processes.shellOpen(*batch, u"", platform::show::Hidden); });
}

Text CleanCommand::TestDriveWrite(const Text& path) {
  auto& files = platform_.files;
  // The test file takes a free name, so that a Test.txt of the user's is
  // neither overwritten nor deleted.
  auto free = freeRootFile(files, core::left(path, 2), u"Test", u"txt");
  if (!free) return u"No";
  const Text file = *free;
  try {
    files.writeFile(file, platform_.system.toAnsi(u"نمونه\r\n"), false);
    files.deleteFile(file);
  } catch (const core::Error&) {
    // Whatever step failed, the test file does not stay behind.
    attempt([&] {
      if (files.stat(file)) files.deleteFile(file);
    });
    return u"No";
  }
  return u"Yes";
}

void CleanCommand::reselectDrive() {
  int remembered = frm_.List2.listIndex();
  attempt([&] { frm_.List2.setListIndex(-1); });
  attempt([&] { frm_.List2.setListIndex(remembered); });
}

void CleanCommand::StartCleanRun() {
  reselectDrive();
  attempt([&] { frm_.Text1.setText(u""); });
  attempt([&] { frm_.app().form<editor::Form3>().List1.clear(); });
  attempt([&] { frm_.Label14.setText(u"0"); });
  attempt([&] { frm_.Timer10.setInterval(kArmed); });
  attempt([&] {
    frm_.List1.setListIndex(-1);
    frm_.Label8.setText(u"0");
    if (frm_.List1.listCount() > 0) frm_.List1.setListIndex(0);
  });
  attempt([&] {
    Text log = platform_.system.appFolder() + u"\\File.txt";
    if (platform_.files.stat(log)) platform_.files.deleteFile(log);
  });
  frm_.LogCountdown = frm_.filList.listCount();
  frm_.FilesExamined = 0;
  frm_.FolderIndex = 0;
  attempt([&] { frm_.filList.refresh(); });
  attempt([&] { frm_.Picture5.setVisible(true); });
  attempt([&] { frm_.Label11.setText(u"0"); });
  attempt([&] { frm_.Command1.setText(frm_.message(27)); });
  attempt([&] { frm_.Timer2.setEnabled(false); });
  setRunControlsEnabled(false);
}

void CleanCommand::RecoverHiddenRoot(const Text& path) {
  auto& files = platform_.files;
  const Text base = core::left(path, 3) + u"File_Recover_" +
                    core::decimal(static_cast<int64_t>(platform_.clock.secondsSinceMidnight()));
  // Two recoveries within one second would aim at the same name.
  Text target = base;
  for (int n = 2; n < 1000 && files.stat(target); ++n) target = base + u"_" + core::decimal(n);
  try {
    files.moveFolder(path, target);
  } catch (const core::Error&) {
    return;  // the run goes on with the folder where it is
  }
  // The run starts over from the root, but the rows found so far stay in the
  // results window: their count of other findings stays with them.
  const Text other = frm_.Label11.text();
  StartCleanRun();
  attempt([&] { frm_.Label11.setText(other); });
}

}  // namespace scan
