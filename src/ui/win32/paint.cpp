#include "ui/win32/paint.h"

#include <algorithm>

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

namespace {
// Font enumeration callbacks are stdcall on 32-bit Windows, which a lambda
// cannot be; the first family reported is enough.
int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}
}  // namespace

bool Fonts::installed(const Text& face) {
  auto it = installed_.find(face);
  if (it != installed_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, wide(face), LF_FACESIZE - 1);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  installed_.emplace(face, found);
  return found;
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

namespace {

// The restore symbol in a square of side s at (x, y): a window outline, its
// top edge thicker like a title bar, in front of and below-left of another
// one, of which only the parts the front one leaves free are drawn.
void drawRestore(HDC dc, int x, int y, int s, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  auto bar = [&](int left, int top, int right, int bottom) {
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
  };
  const int edge = std::max(1, static_cast<int>(std::lround(s / 8.0)));
  const int title = edge + 1;
  const int offset = std::max(2, static_cast<int>(std::lround(s * 0.3)));
  // Behind: from (x + offset, y) to (x + s, y + s - offset).
  const int bl = x + offset, bt = y, br = x + s, bb = y + s - offset;
  // In front: from (x, y + offset) to (x + s - offset, y + s).
  const int fl = x, ft = y + offset, fr = x + s - offset, fb = y + s;
  bar(bl, bt, br, bt + title);  // top
  bar(br - edge, bt, br, bb);   // right
  bar(fr, bb - edge, br, bb);   // bottom, right of the front window
  bar(bl, bt, bl + edge, ft);   // left, above the front window
  bar(fl, ft, fr, ft + title);
  bar(fl, fb - edge, fr, fb);
  bar(fl, ft, fl + edge, fb);
  bar(fr - edge, ft, fr, fb);
  DeleteObject(brush);
}

}  // namespace

bool drawSymbol(HDC dc, const Text& face, const Text& text, RECT line, int alignment,
                COLORREF colour) {
  if (_wcsicmp(wide(face), L"Webdings") != 0 || text != u"2") return false;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  // As tall as a capital letter of the line's font, standing on its baseline.
  int s = std::max(6, static_cast<int>(tm.tmAscent - tm.tmInternalLeading));
  s = std::min<int>(s, std::min(line.right - line.left, line.bottom - line.top));
  int x = alignment == 1   ? line.right - s
          : alignment == 2 ? line.left + (line.right - line.left - s) / 2
                           : line.left;
  int y = line.top + static_cast<int>(tm.tmAscent) - s;
  drawRestore(dc, x, y, s, colour);
  return true;
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
  const Font& font = label.font();
  bool drawn = false;
  if (font.charset == SYMBOL_CHARSET && !pc.fonts.installed(font.face)) {
    // Sized and placed as a letter of the same size in the interface's
    // text face, like the captions beside it, whatever stands in for the
    // missing face.
    Font text = font;
    text.face = u"Tahoma";
    text.charset = ANSI_CHARSET;
    SelectObject(dc, pc.fonts.get(text));
    drawn = drawSymbol(dc, font.face, label.text(), r, align, GetTextColor(dc));
  }
  if (!drawn) DrawTextW(dc, wide(label.text()), static_cast<int>(label.text().size()), &r, format);
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
