#include "assetgen/font.h"

#include <map>

namespace assetgen {

namespace {

struct Glyph {
  double advance;
  Path pen;  // y up while defined, flipped when laid out
};

// Exit stroke shared by the letters that end on a stem: a small hook to the right.
void hook(Path& p, double x) { p.cubicTo(x, 0.02, x + 0.05, -0.01, x + 0.11, 0.05); }

const std::map<char, Glyph>& hand() {
  static const std::map<char, Glyph> glyphs = [] {
    std::map<char, Glyph> g;
    {  // N: lead-in hairline, stem, diagonal, right stem rising into a small flag
      Path p;
      p.moveTo(-0.02, 0.60).cubicTo(0.02, 0.70, 0.08, 0.73, 0.12, 0.72);
      p.lineTo(0.10, 0.02);
      p.moveTo(0.12, 0.72).lineTo(0.50, 0.0);
      p.lineTo(0.53, 0.68).cubicTo(0.54, 0.73, 0.60, 0.76, 0.66, 0.73);
      g['N'] = {0.66, p};
    }
    {
      Path p;
      p.moveTo(0.20, 0.50);
      p.cubicTo(0.06, 0.50, 0.02, 0.34, 0.03, 0.22);
      p.cubicTo(0.04, 0.06, 0.12, -0.01, 0.20, 0.0);
      p.cubicTo(0.32, 0.01, 0.37, 0.14, 0.37, 0.28);
      p.cubicTo(0.37, 0.42, 0.30, 0.50, 0.20, 0.50);
      g['o'] = {0.42, p};
    }
    {
      Path p;
      p.moveTo(0.05, 0.50).lineTo(0.05, 0.0);
      p.moveTo(0.05, 0.30).cubicTo(0.10, 0.44, 0.18, 0.51, 0.30, 0.49);
      g['r'] = {0.33, p};
    }
    {
      Path p;
      p.moveTo(0.0, 0.48).cubicTo(0.03, 0.51, 0.06, 0.50, 0.07, 0.46);
      p.lineTo(0.18, 0.0).lineTo(0.31, 0.42);
      p.cubicTo(0.33, 0.49, 0.37, 0.51, 0.41, 0.49);
      g['v'] = {0.42, p};
    }
    {
      Path p;
      p.moveTo(0.33, 0.42).cubicTo(0.28, 0.50, 0.22, 0.51, 0.18, 0.50);
      p.cubicTo(0.06, 0.48, 0.02, 0.32, 0.03, 0.20);
      p.cubicTo(0.04, 0.06, 0.12, -0.01, 0.19, 0.0);
      p.cubicTo(0.26, 0.01, 0.31, 0.08, 0.34, 0.16);
      p.moveTo(0.35, 0.50).lineTo(0.34, 0.10);
      hook(p, 0.34);
      g['a'] = {0.48, p};
    }
    {
      Path p;
      p.moveTo(0.05, 0.50).lineTo(0.05, 0.0);
      p.moveTo(0.05, 0.32).cubicTo(0.10, 0.46, 0.18, 0.51, 0.25, 0.50);
      p.cubicTo(0.33, 0.49, 0.35, 0.42, 0.35, 0.32);
      p.lineTo(0.35, 0.10);
      hook(p, 0.35);
      g['n'] = {0.49, p};
    }
    {
      Path p;
      p.moveTo(0.05, 0.22).cubicTo(0.16, 0.24, 0.30, 0.30, 0.31, 0.40);
      p.cubicTo(0.32, 0.48, 0.26, 0.51, 0.20, 0.50);
      p.cubicTo(0.08, 0.49, 0.03, 0.34, 0.03, 0.22);
      p.cubicTo(0.03, 0.08, 0.11, -0.01, 0.19, 0.0);
      p.cubicTo(0.26, 0.0, 0.31, 0.04, 0.35, 0.09);
      g['e'] = {0.40, p};
    }
    {
      Path p;
      p.moveTo(0.31, 0.42).cubicTo(0.28, 0.48, 0.24, 0.51, 0.19, 0.50);
      p.cubicTo(0.08, 0.49, 0.03, 0.34, 0.03, 0.22);
      p.cubicTo(0.03, 0.08, 0.11, -0.01, 0.19, 0.0);
      p.cubicTo(0.26, 0.0, 0.31, 0.04, 0.34, 0.09);
      g['c'] = {0.38, p};
    }
    {
      Path p;
      p.moveTo(0.33, 0.42).cubicTo(0.28, 0.50, 0.22, 0.51, 0.18, 0.50);
      p.cubicTo(0.06, 0.48, 0.02, 0.32, 0.03, 0.20);
      p.cubicTo(0.04, 0.06, 0.12, -0.01, 0.19, 0.0);
      p.cubicTo(0.26, 0.01, 0.31, 0.08, 0.34, 0.16);
      p.moveTo(0.37, 0.76).lineTo(0.34, 0.10);
      hook(p, 0.34);
      g['d'] = {0.48, p};
    }
    {
      Path p;
      p.moveTo(0.06, 0.50).lineTo(0.05, 0.10);
      hook(p, 0.05);
      p.moveTo(0.07, 0.67).lineTo(0.08, 0.69);
      g['i'] = {0.22, p};
    }
    {
      Path p;
      p.moveTo(0.08, 0.76).lineTo(0.05, 0.10);
      hook(p, 0.05);
      g['l'] = {0.22, p};
    }
    {
      Path p;
      p.moveTo(0.08, 0.76).lineTo(0.05, 0.0);
      p.moveTo(0.30, 0.48).cubicTo(0.22, 0.40, 0.14, 0.30, 0.06, 0.22);
      p.moveTo(0.14, 0.29).cubicTo(0.22, 0.18, 0.27, 0.06, 0.36, 0.03);
      g['k'] = {0.40, p};
    }
    {
      Path p;
      p.moveTo(0.06, 0.50).lineTo(0.04, -0.24);
      p.moveTo(0.06, 0.32).cubicTo(0.11, 0.46, 0.19, 0.51, 0.25, 0.50);
      p.cubicTo(0.35, 0.48, 0.38, 0.34, 0.37, 0.24);
      p.cubicTo(0.36, 0.08, 0.26, -0.01, 0.17, 0.0);
      p.cubicTo(0.11, 0.01, 0.07, 0.04, 0.05, 0.08);
      g['p'] = {0.44, p};
    }
    {
      Path p;
      p.moveTo(0.28, 0.45).cubicTo(0.24, 0.50, 0.18, 0.51, 0.14, 0.50);
      p.cubicTo(0.07, 0.49, 0.04, 0.44, 0.05, 0.38);
      p.cubicTo(0.06, 0.30, 0.27, 0.26, 0.28, 0.14);
      p.cubicTo(0.29, 0.05, 0.21, -0.01, 0.14, 0.0);
      p.cubicTo(0.08, 0.0, 0.03, 0.03, 0.0, 0.07);
      g['s'] = {0.34, p};
    }
    {
      Path p;
      p.moveTo(0.05, 0.50).lineTo(0.05, 0.18);
      p.cubicTo(0.05, 0.06, 0.11, -0.01, 0.18, 0.0);
      p.cubicTo(0.26, 0.01, 0.32, 0.08, 0.34, 0.18);
      p.moveTo(0.35, 0.50).lineTo(0.34, 0.10);
      hook(p, 0.34);
      g['u'] = {0.48, p};
    }
    {
      Path p;
      p.moveTo(0.05, 0.50).lineTo(0.05, 0.18);
      p.cubicTo(0.05, 0.06, 0.11, -0.01, 0.18, 0.0);
      p.cubicTo(0.26, 0.01, 0.32, 0.08, 0.34, 0.18);
      p.moveTo(0.35, 0.50).lineTo(0.34, -0.08);
      p.cubicTo(0.33, -0.22, 0.24, -0.27, 0.15, -0.26);
      p.cubicTo(0.09, -0.25, 0.05, -0.22, 0.03, -0.18);
      g['y'] = {0.44, p};
    }
    g[' '] = {0.26, Path{}};
    return g;
  }();
  return glyphs;
}

}  // namespace

bool hasGlyph(char c) { return hand().count(c) > 0; }

Path lettering(std::string_view text, double tracking, double* width) {
  Path out;
  double x = 0;
  const auto& glyphs = hand();
  for (char c : text) {
    auto it = glyphs.find(c);
    const Glyph& g = it != glyphs.end() ? it->second : glyphs.at(' ');
    out.append(g.pen, Affine{1, 0, 0, -1, x, 0});
    x += g.advance + tracking;
  }
  if (width) *width = text.empty() ? 0 : x - tracking;
  return out;
}

}  // namespace assetgen
