// Small value types of the form model: colours, fonts, mouse events, the
// property-change notices sent to backends, and the event slot.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"

namespace ui {

using core::Text;

// 0x00BBGGRR, or 0x800000nn for the system colour with index nn.
using Colour = uint32_t;
namespace colour {
constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour WindowText = 0x80000008;
constexpr Colour Window = 0x80000005;
constexpr Colour ButtonFace = 0x8000000F;
constexpr Colour ButtonText = 0x80000012;
}  // namespace colour

// Twips per pixel at the usual screen density (96 DPI).
constexpr double kTwipsPerPixel = 15.0;

struct Font {
  Text face = u"MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int charset = 0;  // 0 ANSI, 2 symbol, 178 Arabic
  bool operator==(const Font&) const = default;
};

namespace mouse {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
}  // namespace mouse

struct MouseEvent {
  int button = 0;  // mouse:: bits held
  int shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
  double x = 0;    // twips, relative to the control
  double y = 0;
};

// What changed on a control, for the backend to redraw.
enum class Prop {
  Text,
  Geometry,
  Visible,
  Enabled,
  Colours,
  Font,
  Border,
  Items,
  Selection,
  Value,
  Picture,
  Options,
  Container,
};

// Detail of an Items change: a whole reset, or one row inserted, removed or
// updated (index is the row).
struct Change {
  enum Op { Reset, Insert, Remove, Update } op = Reset;
  int index = -1;
};

// One event of a control: any number of handlers, run in the order bound.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;
  void operator+=(Handler h) { handlers_.push_back(std::move(h)); }
  bool bound() const { return !handlers_.empty(); }
  // Runs every handler. Callers raise events through Control/Form, which keep
  // the form alive while its handlers run.
  void run(Args... args) const {
    auto copy = handlers_;  // a handler may bind further handlers
    for (auto& h : copy) h(args...);
  }

 private:
  std::vector<Handler> handlers_;
};

}  // namespace ui
