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
  // Whether the system has a font of this face; asked once per face.
  bool installed(const Text& face);

 private:
  using Key = std::tuple<Text, double, bool, bool, bool, int>;
  const Metrics& metrics_;
  std::map<Key, HFONT> fonts_;
  std::map<Text, bool> installed_;
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
// style 1, and its text wrapped to its width with its alignment. A caption
// in a symbol face that the system lacks is drawn as the symbol where we
// know it (see drawSymbol), not as the letter a stand-in face would show.
void drawLabel(HDC dc, const Control& label, RECT r, PaintContext& pc);
// Draws the glyph that `text` stands for in the symbol face `face` into the
// line box `line` (the text's first line in the label's font), placed by the
// alignment (0 left, 1 right, 2 centre). False for a glyph we do not know.
// Known: Webdings "2", the restore symbol (two overlapping window outlines).
bool drawSymbol(HDC dc, const Text& face, const Text& text, RECT line, int alignment,
                COLORREF colour);
// An image: its picture stretched over it, or at natural size.
void drawImage(HDC dc, const Control& image, RECT r, PaintContext& pc);
// A frame: an etched group box with the caption over its top edge.
void drawFrame(HDC dc, const Control& frame, RECT r, PaintContext& pc);

}  // namespace ui::win32
