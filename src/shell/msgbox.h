// The program's one message box, with its owner, title and icon rules.
#pragma once

#include <cstdint>
#include <optional>

#include "core/text.h"
#include "ui/application.h"

namespace shell {

// Button identifiers the box returns.
namespace answer {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace answer

// Styles in use.
namespace style {
constexpr uint32_t Ok = 0;
constexpr uint32_t YesNo = 4;
constexpr uint32_t YesNoRight = 0x80004;
}  // namespace style

// The application title shown when a box has no title of its own.
inline constexpr char16_t kAppTitle[] = u"Tamsel";

// Shows a message box and returns the button pressed (0 when the system
// could not show it). `owner` absent means "the program's active window";
// an explicit null means no owner. With an icon name, the icon bits of the
// style give way to the program's own icon.
int MsgBoxW(ui::Application& app, const core::Text& text, uint32_t style, const core::Text& title,
            const std::optional<core::Text>& icon = std::nullopt,
            std::optional<ui::Form*> owner = std::nullopt);

}  // namespace shell
