// The main window's own frame: background, dragging, caption buttons, the
// layout rule, the cover over the language box and the found-items blink.
#pragma once

#include "shell/frm_main.h"

namespace shell {

// Colours of the caption buttons and the blink.
namespace chrome {
constexpr ui::Colour Normal = 0x9FBFD0;
constexpr ui::Colour Hover = 0x0080FF;
constexpr ui::Colour BlinkBack = 0x0000C0;
constexpr ui::Colour Red = 0x0000FF;
}  // namespace chrome

class Chrome {
 public:
  explicit Chrome(FrmMain& frm);
  // Load step: the background stretched over the whole window.
  void stretchBackground();
  // Keeps the window at least at its design size, never maximised, with the
  // caption buttons on its right edge.
  void LayoutRule();
  void blink();

 private:
  void bindDragging();
  void bindCaptionButtons();
  void hover(ui::Label* hovered);
  void drag(const ui::MouseEvent& e);

  FrmMain& frm_;
};

}  // namespace shell
