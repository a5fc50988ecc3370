#include "scan/scan.h"

#include "scan/clean_command.h"
#include "scan/detection_lists.h"
#include "scan/examination.h"
#include "scan/run_driver.h"

namespace scan {

Scan::Scan(shell::FrmMain& frm)
    : frm_(frm),
      command_(std::make_unique<CleanCommand>(frm)),
      examination_(std::make_unique<Examination>(
          frm, [this](const Text& path) { command_->RecoverHiddenRoot(path); })),
      driver_(std::make_unique<RunDriver>(frm, *command_)) {}

Scan::~Scan() = default;

void Scan::readDetectionLists() {
  auto& p = frm_.app().platform();
  const Text kit = p.system.appFolder() + u"\\Kit\\";
  loadFolderNames(p, kit + u"Varko.exe", frm_.List5);
  loadVirusNames(p, kit + u"Lunet.exe", frm_.List4);
}

}  // namespace scan
