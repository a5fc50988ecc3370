#include "shell/chrome.h"

namespace shell {

Chrome::Chrome(FrmMain& frm) : frm_(frm) {}

void Chrome::stretchBackground() {}

}  // namespace shell
