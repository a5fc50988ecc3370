#include "shell/msgbox.h"

namespace shell {

int MsgBoxW(ui::Application& app, const core::Text& text, uint32_t style, const core::Text& title,
            const std::optional<core::Text>& icon, std::optional<ui::Form*> owner) {
  constexpr uint32_t kIconMask = 0xF0, kUserIcon = 0x80;
  ui::MessageBoxRequest request;
  request.owner = owner ? *owner : app.activeForm();
  request.text = text;
  request.title = title.empty() ? core::Text(kAppTitle) : title;
  request.style = icon ? (style & ~kIconMask) | kUserIcon : style;
  request.icon = icon;
  // A right-to-left language reads and aligns its boxes from the right.
  constexpr uint32_t kRight = 0x80000, kRtlReading = 0x100000;
  if (app.rightToLeft()) request.style |= kRight | kRtlReading;
  return app.backend().messageBox(request);
}

}  // namespace shell
