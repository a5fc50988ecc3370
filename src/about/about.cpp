#include "about/about.h"

namespace about {

About::About(shell::FrmMain& frm) : frm_(frm) {}

}  // namespace about
