// The scan button: the drive write test, starting and stopping a clean run,
// the attribute batch on the drive, and the recovery of a root folder named
// by a no-break space.
#pragma once

#include <optional>

#include "shell/frm_main.h"

namespace scan {

using core::Text;

class CleanCommand {
 public:
  explicit CleanCommand(shell::FrmMain& frm);

  void click();
  // "Yes" when a file can be created, written and deleted in the root of the
  // drive that holds `path`, else "No". The test file never stays behind,
  // and a file of the user's is never touched.
  Text TestDriveWrite(const Text& path);
  void StartCleanRun();
  // Moves the root folder `path` (a root and one no-break space) to a free
  // File_Recover_<seconds> folder and starts the run over. A move that fails
  // leaves the run going on.
  void RecoverHiddenRoot(const Text& path);
  // Makes the chosen drive current again: List2 through -1 and back.
  void reselectDrive();

 private:
  void requestStop();
  void setRunControlsEnabled(bool enabled);
  void writeAndStartBatch(const Text& root);

  shell::FrmMain& frm_;
  platform::Platform& platform_;
};

// The four lines of the attribute batch `batch` (G:\Run.bat): the drive,
// the two attrib lines, and the batch deleting itself.
std::string batchText(platform::System& system, const Text& batch);
// The first of <drive>\<stem>.<extension>, <stem>1.<extension>, ...
// <stem>99.<extension> that does not exist; none when all are taken or the
// drive cannot be looked into.
std::optional<Text> freeRootFile(platform::FileSystem& files, const Text& drive, const Text& stem,
                                 const Text& extension);

}  // namespace scan
