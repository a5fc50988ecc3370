// Scanning and cleaning: the detection lists, the examination of each item,
// the scan button and the clean run driver.
#pragma once

#include <memory>

#include "shell/frm_main.h"

namespace scan {

class Examination;
class CleanCommand;
class RunDriver;

class Scan {
 public:
  explicit Scan(shell::FrmMain& frm);
  ~Scan();
  // Load step: Kit\Varko.exe into List5, then Kit\Lunet.exe into List4.
  void readDetectionLists();

  Examination& examination() const { return *examination_; }
  CleanCommand& command() const { return *command_; }

 private:
  shell::FrmMain& frm_;
  std::unique_ptr<CleanCommand> command_;
  std::unique_ptr<Examination> examination_;
  std::unique_ptr<RunDriver> driver_;
};

}  // namespace scan
