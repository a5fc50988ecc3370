// Drawing what has no window of its own: labels, images and the look of
// frames, into the device context of their container.
#pragma once

#include <map>
#include <tuple>

#include "ui/controls.h"
#include "ui/win32/pictures.h"
#include "ui/win32/win32.h"

namespace ui::win32 {

// One GDI font per model font, made on first use and kept.
class Fonts {
 public:
  explicit Fonts(const Metrics& metrics) : metrics_(metrics) {}
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  HFONT get(const Font& font);

 private:
  using Key = std::tuple<Text, double, bool, bool, bool, int>;
  const Metrics& metrics_;
  std::map<Key, HFONT> fonts_;
};

// A solid brush of a model colour, kept until the colour changes.
class Brush {
 public:
  Brush() = default;
  ~Brush();
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  HBRUSH get(Colour c);

 private:
  HBRUSH brush_ = nullptr;
  COLORREF colour_ = 0;
};

void fill(HDC dc, const RECT& r, Colour c);

struct PaintContext {
  Fonts& fonts;
  Pictures& pictures;
  bool rightToLeft;
};

// A label: its back colour unless transparent, a thin border for border
// style 1, and its text wrapped to its width with its alignment.
void drawLabel(HDC dc, const Control& label, RECT r, PaintContext& pc);
// An image: its picture stretched over it, or at natural size.
void drawImage(HDC dc, const Control& image, RECT r, PaintContext& pc);
// A frame: an etched group box with the caption over its top edge.
void drawFrame(HDC dc, const Control& frame, RECT r, PaintContext& pc);

}  // namespace ui::win32
