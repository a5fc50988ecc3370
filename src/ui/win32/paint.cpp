#include "ui/win32/paint.h"

namespace ui::win32 {

Fonts::~Fonts() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT Fonts::get(const Font& f) {
  Key key{f.face, f.points, f.bold, f.italic, f.underline, f.charset};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(f.points * metrics_.dpi() / 72.0));
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfCharSet = static_cast<BYTE>(f.charset);
  lf.lfQuality = DEFAULT_QUALITY;
  wcsncpy(lf.lfFaceName, wide(f.face), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_.emplace(key, font);
  return font;
}

Brush::~Brush() {
  if (brush_) DeleteObject(brush_);
}

HBRUSH Brush::get(Colour c) {
  COLORREF want = rgb(c);
  if (brush_ && want == colour_) return brush_;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(want);
  colour_ = want;
  return brush_;
}

void fill(HDC dc, const RECT& r, Colour c) {
  SetBkColor(dc, rgb(c));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void drawLabel(HDC dc, const Control& label, RECT r, PaintContext& pc) {
  if (!label.transparent()) fill(dc, r, label.backColour());
  if (label.borderStyle() == 1) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (label.text().empty()) return;
  HGDIOBJ old = SelectObject(dc, pc.fonts.get(label.font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label.enabled() ? rgb(label.foreColour()) : GetSysColor(COLOR_GRAYTEXT));
  // A label always wraps its text to its width; the model does not size
  // labels to their text, so there is nothing else to choose.
  UINT format = DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;
  int align = label.alignment();
  bool rtl = pc.rightToLeft && label.unicode();
  if (rtl) {
    format |= DT_RTLREADING;
    if (align != 2) align = 1 - align;  // left and right trade places
  }
  format |= align == 1 ? DT_RIGHT : align == 2 ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, wide(label.text()), static_cast<int>(label.text().size()), &r, format);
  SelectObject(dc, old);
}

void drawImage(HDC dc, const Control& image, RECT r, PaintContext& pc) {
  pc.pictures.draw(dc, image.picture(), r, image.stretch());
}

void drawFrame(HDC dc, const Control& frame, RECT r, PaintContext& pc) {
  HGDIOBJ old = SelectObject(dc, pc.fonts.get(frame.font()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT box = r;
  box.top += tm.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  const Text& caption = frame.text();
  if (!caption.empty()) {
    RECT text{0, 0, 0, 0};
    int n = static_cast<int>(caption.size());
    DrawTextW(dc, wide(caption), n, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    int inset = static_cast<int>(std::lround(8 * tm.tmAveCharWidth / 4.0));
    OffsetRect(&text, r.left + inset, r.top);
    if (text.right > r.right - inset) text.right = r.right - inset;
    fill(dc, text, frame.backColour());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, frame.enabled() ? rgb(frame.foreColour()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, wide(caption), n, &text, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  SelectObject(dc, old);
}

}  // namespace ui::win32
