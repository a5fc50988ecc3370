#include "scan/scan.h"

namespace scan {

Scan::Scan(shell::FrmMain& frm) : frm_(frm) {}

void Scan::readDetectionLists() {}

}  // namespace scan
