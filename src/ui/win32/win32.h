// Shared helpers of the Win32 backend: text conversion, units, colours and
// the guard that every piece of user input passes through.
#pragma once

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

#include "core/error.h"
#include "ui/types.h"

namespace ui::win32 {

// char16_t and wchar_t are both UTF-16 code units on Windows.
inline const wchar_t* wide(const Text& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline Text fromWide(const wchar_t* s, size_t n) {
  return Text(reinterpret_cast<const char16_t*>(s), n);
}
inline Text fromWide(const wchar_t* s) { return s ? fromWide(s, wcslen(s)) : Text(); }

// The whole text of a window.
Text windowText(HWND hwnd);

// The model's 0x00BBGGRR colour, with 0x800000nn meaning system colour nn.
COLORREF rgb(Colour c);

// Twips and pixels at the screen's density (15 twips per pixel at 96 DPI).
class Metrics {
 public:
  explicit Metrics(int dpi = 96) : dpi_(dpi) {}
  int dpi() const { return dpi_; }
  double scale() const { return dpi_ / 96.0; }
  int px(double twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
  double twips(int px) const { return px * 1440.0 / dpi_; }
  // A control's place in pixels: each edge from its own twips value.
  RECT rect(double left, double top, double width, double height) const {
    return RECT{px(left), px(top), px(left) + px(width), px(top) + px(height)};
  }

 private:
  int dpi_;
};

// Runs model code for a piece of user input. A failing step (core::Error) is
// skipped, as the program skips every failed step without a word; anything
// else is a defect: it is reported on stderr and ends the program, rather
// than unwinding through the system's own frames.
void fatal(const char* what);
template <class F>
void guard(F&& f) {
  try {
    f();
  } catch (const core::Error&) {
  } catch (const std::exception& e) {
    fatal(e.what());
  } catch (...) {
    fatal("unknown exception");
  }
}

}  // namespace ui::win32
