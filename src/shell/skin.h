// The program's own window skin: a window drawn in Norvane's style instead
// of the system frame.
#pragma once

#include "ui/application.h"

namespace shell::skin {

constexpr double kStrip = 330;  // title strip height, twips
constexpr double kBorder = 45;  // frame width around the content, twips
constexpr ui::Colour kFrame = 0x1C3F6B;
constexpr ui::Colour kTitleText = 0xF0F4F8;

// Gives `form` a borderless frame of the program's own: a title strip that
// shows the caption and moves the window, a close mark, and a thin frame.
// The window grows by the frame; its content keeps its place relative to
// the strip. Call it once, after the caption is set.
void apply(ui::Form& form);

}  // namespace shell::skin
