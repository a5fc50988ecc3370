// The clean run driver: Timer10 walks the drive one first-level folder per
// tick, then the closing stage deletes the listed worm folders, shows the
// results and vaccinates the drive with a protected AutoRun.Inf folder.
//
// Timer10's interval is the run's state: 0 idle, 1000 armed, 10 running,
// 2 stop requested.
#pragma once

#include "scan/clean_command.h"
#include "shell/frm_main.h"

namespace scan {

using core::Text;

// Deletes a folder with everything in it. Returns 0 when all is gone, -1 when
// the path is refused (empty, a drive root, a relative name, not a folder),
// else the error number of the step that failed. A folder link inside the
// tree (or the path itself, when it is one) is removed as a link and never
// followed, so nothing outside the named folder is touched.
int DelTree(platform::FileSystem& files, const Text& path);

class RunDriver {
 public:
  RunDriver(shell::FrmMain& frm, CleanCommand& command);
  void tick();

 private:
  void examineFolder();
  void closingStage();
  void vaccinate(const Text& root);

  shell::FrmMain& frm_;
  CleanCommand& command_;
  platform::Platform& platform_;
};

}  // namespace scan
