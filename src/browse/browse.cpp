#include "browse/browse.h"

namespace browse {

Browse::Browse(shell::FrmMain& frm) : frm_(frm) {}

void Browse::writeSignature() {}

void Browse::loadDriveTable() {}

}  // namespace browse
