#include "cleaner/cleaner.h"

namespace cleaner {

Cleaner::Cleaner(shell::FrmMain& frm) : frm_(frm) {}

}  // namespace cleaner
