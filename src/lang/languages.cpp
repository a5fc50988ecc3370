#include "lang/languages.h"

namespace lang {

Languages::Languages(shell::FrmMain& frm) : frm_(frm) {}

void Languages::discover() {}

void Languages::applyStoredChoices() {}

}  // namespace lang
