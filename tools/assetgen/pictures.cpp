#include "assetgen/pictures.h"

#include <cmath>
#include <numbers>

#include "assetgen/font.h"
#include "assetgen/palette.h"

namespace assetgen {

namespace {


Paint vgrad(double y0, double y1, Colour a, Colour b) {
  return linear({0, y0}, {0, y1}, {{0, a}, {1, b}});
}

Path rect(double x, double y, double w, double h) { return Path().rect(x, y, w, h); }
Path rrect(double x, double y, double w, double h, double r) {
  return Path().roundRect(x, y, w, h, r);
}

// An outlined shape on the pixel grid: the ink fills the shape, the body its
// one-unit inset.
void boxed(Canvas& c, double x, double y, double w, double h, double r, const Paint& body,
           Colour ink = pal::ink) {
  c.fill(rrect(x, y, w, h, r), ink);
  c.fill(rrect(x + 1, y + 1, w - 2, h - 2, std::max(0.0, r - 1)), body);
}

// Draw with an extra transform (applied before the canvas's own).
template <class F>
void placed(Canvas& c, const Affine& place, F&& draw) {
  Affine saved = c.xf;
  c.xf = place.then(saved);
  draw();
  c.xf = saved;
}

// ---- the emblem: a shield carrying a plug, in 256 units ----

Path shieldPath(double inset) {
  const double l = 24 + inset, r = 232 - inset, top = 14 + inset * 1.1, bottom = 246 - inset * 1.5;
  Path p;
  p.moveTo(128, top);
  p.cubicTo(160, top + 16, 196, top + 24, r, top + 22);
  p.lineTo(r, 120);
  p.cubicTo(r, 178, 196 - inset * 0.5, 218 - inset * 0.6, 128, bottom);
  p.cubicTo(60 + inset * 0.5, 218 - inset * 0.6, l, 178, l, 120);
  p.lineTo(l, top + 22);
  p.cubicTo(60, top + 24, 96, top + 16, 128, top);
  return p.close();
}

void emblem(Canvas& c) {
  c.fill(shieldPath(0),
         linear({24, 14}, {232, 246}, {{0, pal::amber}, {0.5, pal::copper}, {1, pal::brown}}));
  c.fill(shieldPath(14), linear({0, 28}, {0, 236}, {{0, rgb(74, 150, 126)}, {1, pal::tealDeep}}));
  c.stroke(shieldPath(19), 3, withAlpha(pal::cream, 0.45));
  // Sheen over the left half.
  Path sheen;
  sheen.moveTo(128, 30).cubicTo(100, 44, 70, 50, 40, 50).lineTo(40, 120);
  sheen.cubicTo(40, 170, 76, 206, 128, 228).close();
  c.fill(sheen, solid(withAlpha(pal::cream, 0.12)));
  // The plug: contacts, head, body and cable.
  const Colour plug = pal::cream, plugShade = pal::sand;
  c.fill(rrect(100, 52, 56, 50, 4), plugShade);
  c.fill(rect(110, 64, 12, 14), pal::tealDeep);
  c.fill(rect(134, 64, 12, 14), pal::tealDeep);
  c.shadow(rrect(84, 100, 88, 64, 14), 0, 4, 6, withAlpha(pal::walnutDeep, 0.5));
  c.fill(rrect(84, 100, 88, 64, 14), linear({84, 0}, {172, 0}, {{0, plug}, {1, plugShade}}));
  c.fill(rect(84, 122, 88, 6), solid(withAlpha(pal::copper, 0.45)));
  Path cable;
  cable.moveTo(128, 160).cubicTo(128, 190, 126, 200, 128, 222);
  c.stroke(cable, 20, plug);
}

// ---- icons on the 16-unit grid ----

void page(Canvas& c, Colour paper, Colour lines, bool ruled = true) {
  Path outer;
  outer.polygon({{2, 0}, {10, 0}, {14, 4}, {14, 16}, {2, 16}});
  c.fill(outer, pal::ink);
  Path inner;
  inner.polygon({{3, 1}, {9.6, 1}, {13, 4.4}, {13, 15}, {3, 15}});
  c.fill(inner, vgrad(1, 15, pal::cream, paper));
  Path ear;
  ear.polygon({{9, 1}, {13, 5}, {9, 5}});
  c.fill(ear, pal::sand);
  c.fill(rect(9, 1, 1, 4), pal::ink);
  c.fill(rect(9, 4, 4, 1), pal::ink);
  if (ruled)
    for (int y : {7, 9, 11, 13}) c.fill(rect(4, y, y == 13 ? 5 : 8, 1), lines);
}

void driveBox(Canvas& c, double y, Colour top, Colour front, Colour light) {
  boxed(c, 1, y, 14, 8, 1.5, vgrad(y, y + 8, top, front));
  c.fill(rect(2, y + 1, 12, 2), top);
  c.fill(rect(2, y + 3, 12, 1), solid(withAlpha(pal::ink, 0.35)));
  c.fill(rect(3, y + 5, 6, 1), pal::ink);
  c.fill(rect(11, y + 4, 2, 2), light);
}

void hardDrive(Canvas& c) { driveBox(c, 5, pal::parchment, rgb(172, 150, 116), pal::green); }

void netDrive(Canvas& c) {
  driveBox(c, 1, pal::parchment, rgb(172, 150, 116), pal::green);
  c.fill(rect(7, 9, 2, 3), pal::ink);
  boxed(c, 0, 12, 16, 4, 1, vgrad(12, 16, pal::amber, pal::copper));
  c.fill(rect(6, 13, 4, 2), pal::cream);
}

void cdDisc(Canvas& c) {
  c.fill(Path().circle(8, 8, 7.5), pal::ink);
  c.fill(Path().circle(8, 8, 6.5),
         radial({6, 6}, 8, {{0, pal::cream}, {0.6, pal::steel}, {1, rgb(160, 166, 170)}}));
  // Two faint bands of colour catch the light.
  Path wedge;
  wedge.moveTo(8, 8).lineTo(15, 3).lineTo(15, 8).close();
  c.fill(wedge, solid(withAlpha(pal::tealLight, 0.55)));
  Path wedge2;
  wedge2.moveTo(8, 8).lineTo(1, 13).lineTo(1, 8).close();
  c.fill(wedge2, solid(withAlpha(pal::amber, 0.45)));
  c.fill(Path().circle(8, 8, 6.5).circle(8, 8, 7.6), pal::ink, FillRule::EvenOdd);
  c.fill(Path().circle(8, 8, 2.6), pal::ink);
  c.fill(Path().circle(8, 8, 1.6), pal::steelDark);
}

void usbStick(Canvas& c) {
  boxed(c, 0, 4, 11, 8, 2, vgrad(4, 12, pal::amber, pal::copper));
  c.fill(rect(2, 5, 7, 1), solid(withAlpha(pal::cream, 0.55)));
  c.fill(rect(2, 9, 3, 1), solid(withAlpha(pal::ink, 0.5)));
  boxed(c, 10, 5, 6, 6, 0, vgrad(5, 11, pal::cream, pal::steel));
  c.fill(rect(12, 7, 1, 1), pal::ink);
  c.fill(rect(12, 9, 1, 1), pal::ink);
  c.fill(rect(14, 7, 1, 1), pal::ink);
  c.fill(rect(14, 9, 1, 1), pal::ink);
}

void ramModule(Canvas& c) {
  boxed(c, 0, 3, 16, 10, 1, vgrad(3, 13, rgb(96, 170, 110), pal::greenDeep));
  for (int x : {2, 6, 10}) c.fill(rect(x, 5, 3, 4), pal::ink);
  for (int x = 2; x < 14; x += 2) c.fill(rect(x, 10, 1, 2), pal::amber);
  c.fill(rect(7, 12, 2, 1), pal::ink);  // notch
}

void question(Canvas& c, double cx, double top, Colour col, double w) {
  Path q;
  q.moveTo(cx - 2.5, top + 2.5).cubicTo(cx - 2.5, top, cx + 2.5, top - 0.4, cx + 2.5, top + 2.4);
  q.cubicTo(cx + 2.5, top + 4.2, cx, top + 4.2, cx, top + 6);
  c.stroke(q, w, col);
  c.fill(rect(cx - w / 2, top + 7, w, w), col);
}

void unknownDrive(Canvas& c) {
  driveBox(c, 8, pal::steel, pal::steelDark, pal::amber);
  question(c, 8, 1.5, pal::orange, 1.8);
}

void floppy(Canvas& c) {
  Path body;
  body.polygon({{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}});
  c.fill(body, pal::ink);
  Path in;
  in.polygon({{2, 2}, {12.6, 2}, {14, 3.4}, {14, 14}, {2, 14}});
  c.fill(in, vgrad(2, 14, pal::slate, rgb(44, 70, 72)));
  boxed(c, 4, 1, 8, 6, 0, vgrad(1, 7, pal::cream, pal::steel));
  c.fill(rect(8, 2, 2, 4), pal::steelDark);
  c.fill(rect(4, 9, 8, 5), pal::cream);
  c.fill(rect(5, 10, 6, 1), pal::sand);
  c.fill(rect(5, 12, 6, 1), pal::sand);
}

void monitor(Canvas& c, const Paint& screen) {
  boxed(c, 0, 1, 16, 11, 1.5, vgrad(1, 12, pal::parchment, pal::sand));
  c.fill(rect(2, 3, 12, 7), pal::ink);
  c.fill(rect(3, 4, 10, 5), screen);
  c.fill(rect(6, 12, 4, 2), pal::ink);
  boxed(c, 3, 13, 10, 3, 1, solid(pal::sand));
}

void myComputer(Canvas& c) {
  monitor(c, vgrad(4, 9, pal::tealLight, pal::teal));
  c.fill(rect(4, 5, 3, 1), solid(withAlpha(pal::cream, 0.8)));
}

void desktop(Canvas& c) {
  boxed(c, 0, 1, 16, 14, 1, vgrad(1, 15, pal::amber, pal::copper));
  c.fill(rect(1, 12, 14, 2), pal::walnut);
  c.fill(rect(2, 12, 3, 1), pal::orange);
  for (int y : {3, 7}) {
    c.fill(rect(3, y, 3, 3), pal::cream);
    c.fill(rect(3, y + 2, 3, 1), pal::sand);
  }
  c.fill(rect(8, 3, 3, 3), pal::cream);
}

void folderBack(Canvas& c, Colour a, Colour b) {
  Path tab;
  tab.polygon({{0, 2}, {6, 2}, {8, 4}, {8, 5}, {0, 5}});
  c.fill(tab, pal::ink);
  c.fill(rect(1, 3, 5, 2), a);
  boxed(c, 0, 4, 16, 11, 1, vgrad(4, 15, a, b));
}

void closedFolder(Canvas& c) {
  folderBack(c, rgb(248, 206, 120), rgb(216, 150, 60));
  c.fill(rect(1, 6, 14, 1), solid(withAlpha(pal::cream, 0.6)));
}

void openFolder(Canvas& c) {
  folderBack(c, rgb(216, 168, 92), rgb(180, 122, 50));
  c.fill(rect(3, 6, 11, 3), pal::cream);
  Path flap;
  flap.polygon({{3, 8}, {16, 8}, {13, 15}, {0, 15}});
  c.fill(flap, pal::ink);
  Path in;
  in.polygon({{3.7, 9}, {14.5, 9}, {12.3, 14}, {1.5, 14}});
  c.fill(in, vgrad(9, 14, rgb(252, 216, 140), rgb(228, 164, 72)));
}

void myDocs(Canvas& c) {
  folderBack(c, rgb(248, 206, 120), rgb(216, 150, 60));
  boxed(c, 5, 1, 8, 10, 0, solid(pal::cream));
  for (int y : {3, 5, 7}) c.fill(rect(7, y, 4, 1), pal::teal);
  Path front;
  front.rect(0, 8, 16, 7);
  c.fill(front, pal::ink);
  c.fill(rect(1, 9, 14, 5), vgrad(9, 14, rgb(252, 214, 132), rgb(216, 150, 60)));
}

void shortcutArrow(Canvas& c) {
  boxed(c, 0, 8, 8, 8, 0, solid(pal::cream));
  Path a;
  a.moveTo(2.5, 14).cubicTo(2.5, 11.5, 3.5, 11, 5.5, 11);
  c.stroke(a, 1.4, pal::orange);
  Path head;
  head.polygon({{4.6, 9}, {7, 11}, {4.6, 13}});
  c.fill(head, pal::orange);
}

void programWindow(Canvas& c) {
  boxed(c, 0, 1, 16, 14, 1, solid(pal::cream));
  c.fill(rect(1, 2, 14, 3), vgrad(2, 5, pal::tealLight, pal::teal));
  c.fill(rect(12, 3, 2, 1), pal::cream);
  Path run;
  run.polygon({{6, 7}, {11, 10}, {6, 13}});
  c.fill(run, pal::orange);
}

void console(Canvas& c) {
  boxed(c, 0, 1, 16, 14, 1, solid(rgb(30, 24, 20)));
  c.fill(rect(1, 2, 14, 3), vgrad(2, 5, rgb(150, 170, 168), pal::slate));
  Path prompt;
  prompt.moveTo(3, 7).lineTo(5.5, 9.5).lineTo(3, 12);
  c.stroke(prompt, 1.2, pal::amber);
  c.fill(rect(7, 11, 4, 1), pal::amber);
  // Shortcut mark: the kind counts as a link.
  c.fill(rect(12, 11, 2, 2), pal::orange);
}

void database(Canvas& c) {
  auto cyl = [&](double grow, const Paint& body, const Paint& top) {
    Path p;
    p.moveTo(2 - grow, 3.5).lineTo(2 - grow, 12.5);
    p.cubicTo(2 - grow, 15.5 + grow, 14 + grow, 15.5 + grow, 14 + grow, 12.5);
    p.lineTo(14 + grow, 3.5);
    p.cubicTo(14 + grow, 0.5 - grow, 2 - grow, 0.5 - grow, 2 - grow, 3.5).close();
    c.fill(p, body);
    c.fill(Path().ellipse(8, 3.5, 6 + grow - 1, 2 + grow * 0.4 - 0.2), top);
  };
  cyl(1, solid(pal::ink), solid(pal::ink));
  cyl(0, linear({2, 0}, {14, 0}, {{0, pal::amber}, {0.45, rgb(246, 206, 140)}, {1, pal::copper}}),
      solid(pal::cream));
  for (double y : {7.5, 11.0}) {
    Path ring;
    ring.moveTo(2, y).cubicTo(2, y + 2.6, 14, y + 2.6, 14, y);
    c.stroke(ring, 0.9, pal::ink);
  }
}

void archive(Canvas& c) {
  boxed(c, 1, 5, 14, 11, 0, vgrad(5, 16, rgb(214, 170, 112), rgb(168, 118, 62)));
  boxed(c, 0, 2, 16, 5, 1, vgrad(2, 7, rgb(232, 192, 132), rgb(190, 140, 80)));
  c.fill(rect(7, 2, 2, 14), pal::ink);
  c.fill(rect(7, 3, 2, 12), pal::orange);
  c.fill(rect(6, 8, 4, 3), pal::ink);
  c.fill(rect(7, 9, 2, 1), pal::cream);
}

void screensaver(Canvas& c) {
  monitor(c, vgrad(4, 9, rgb(24, 36, 70), rgb(40, 70, 110)));
  c.fill(Path().circle(10, 6, 2), pal::cream);
  c.fill(Path().circle(11, 5.4, 1.7), rgb(28, 42, 78));
  c.fill(rect(5, 5, 1, 1), pal::cream);
  c.fill(rect(7, 7, 1, 1), pal::amber);
}

void bin(Canvas& c, Colour a, Colour b) {
  c.fill(rect(6, 0, 4, 2), pal::ink);
  c.fill(rect(7, 1, 2, 1), a);
  boxed(c, 1, 2, 14, 3, 1, solid(a));
  Path body;
  body.polygon({{2, 4}, {14, 4}, {13, 16}, {3, 16}});
  c.fill(body, pal::ink);
  Path in;
  in.polygon({{3, 5}, {13, 5}, {12.1, 15}, {3.9, 15}});
  c.fill(in, linear({3, 0}, {13, 0}, {{0, a}, {1, b}}));
  for (int x : {5, 7, 9, 11}) c.fill(rect(x, 6, 1, 8), solid(withAlpha(pal::ink, 0.45)));
}

void neutralPage(Canvas& c) {
  Path outer;
  outer.polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}});
  Path inner;
  inner.polygon({{4, 2}, {9.6, 2}, {12, 4.4}, {12, 14}, {4, 14}});
  c.fill(outer, rgb(176, 172, 164));
  c.fill(inner, rgb(238, 236, 230));
}

void neutralDot(Canvas& c) {
  c.fill(Path().circle(8, 8, 6), rgb(176, 172, 164));
  c.fill(Path().circle(8, 8, 5), rgb(238, 236, 230));
}

void warning(Canvas& c) {
  Path t;
  t.polygon({{8, 0}, {16, 15}, {0, 15}});
  c.fill(t, pal::ink);
  Path in;
  in.polygon({{8, 2.2}, {14.4, 14}, {1.6, 14}});
  c.fill(in, vgrad(2, 14, rgb(255, 200, 90), pal::orange));
  c.fill(rect(7, 5, 2, 5), pal::ink);
  c.fill(rect(7, 11, 2, 2), pal::ink);
}

void document(Canvas& c) {
  page(c, pal::cream, rgb(150, 150, 150), false);
  c.fill(rect(4, 6, 8, 2), pal::teal);
  for (int y : {9, 11, 13}) c.fill(rect(4, y, y == 13 ? 5 : 8, 1), rgb(120, 130, 130));
}

// ---- toolbar, 24-unit grid ----

void toolbarRemove(Canvas& c) {
  boxed(c, 2, 2, 16, 19, 1, solid(pal::cream));
  for (int y : {6, 10, 14}) {
    c.fill(rect(5, y, 2, 2), pal::teal);
    c.fill(rect(8, y, 7, 2), pal::sand);
  }
  c.fill(rect(4, 9, 13, 4), solid(withAlpha(pal::amber, 0.5)));
  c.fill(Path().circle(17, 17, 6), pal::ink);
  c.fill(Path().circle(17, 17, 5),
         radial({16, 15}, 6, {{0, rgb(236, 110, 80)}, {1, pal::redDeep}}));
  c.fill(rect(14, 16, 6, 2), pal::cream);
}

void toolbarDeleteAll(Canvas& c) {
  // Sheets going into a bin, on the 24-unit grid.
  boxed(c, 5, 0, 8, 9, 0, solid(pal::cream));
  boxed(c, 11, 1, 8, 8, 0, solid(pal::parchment));
  c.fill(rect(7, 3, 4, 1), pal::sand);
  c.fill(rect(13, 4, 4, 1), pal::sand);
  boxed(c, 2, 7, 20, 4, 1, solid(rgb(236, 110, 80)));
  Path body;
  body.polygon({{4, 10}, {20, 10}, {18, 24}, {6, 24}});
  c.fill(body, pal::ink);
  Path in;
  in.polygon({{5, 11}, {19, 11}, {17.15, 23}, {6.85, 23}});
  c.fill(in, linear({5, 0}, {19, 0}, {{0, rgb(236, 110, 80)}, {1, pal::redDeep}}));
  for (int x : {8, 11, 14}) c.fill(rect(x, 13, 2, 8), solid(withAlpha(pal::ink, 0.45)));
}

void toolbarProperties(Canvas& c) {
  boxed(c, 1, 2, 22, 20, 2, vgrad(2, 22, pal::cream, pal::parchment));
  const struct {
    int y, knob;
    Colour col;
  } rows[] = {{6, 15, pal::teal}, {12, 7, pal::orange}, {18, 12, pal::copper}};
  for (auto r : rows) {
    c.fill(rect(4, r.y, 16, 1), pal::ink);
    c.fill(rect(r.knob - 2, r.y - 2, 5, 5), pal::ink);
    c.fill(rect(r.knob - 1, r.y - 1, 3, 3), r.col);
  }
}

// ---- badges of the single-item command, over the main background ----

void mainBackground(Canvas& c);

void badge(Canvas& c, bool ok) {
  // The picture sits on the window at 624, 104 (client pixels): show that part
  // of the background around the badge.
  static const Canvas piece = [] {
    Canvas bg(871, 596);
    mainBackground(bg);
    return bg.cropped(624, 104, 24, 24);
  }();
  c.draw(piece, 0, 0);
  Colour hi = ok ? rgb(120, 200, 140) : rgb(240, 120, 90);
  Colour lo = ok ? pal::greenDeep : pal::redDeep;
  c.shadow(Path().circle(12, 12, 10.5), 0, 1, 2, withAlpha(pal::walnutDeep, 0.7));
  c.fill(Path().circle(12, 12, 10.5), pal::cream);
  c.fill(Path().circle(12, 12, 9), radial({10, 8}, 12, {{0, hi}, {1, lo}}));
  Path mark;
  if (ok)
    mark.moveTo(7, 12.5).lineTo(10.5, 16).lineTo(17, 8.5);
  else
    mark.moveTo(8, 8).lineTo(16, 16).moveTo(16, 8).lineTo(8, 16);
  c.stroke(mark, 2.6, pal::cream);
}

// ---- the main window's background (drawn in client pixels, 871 x 596) ----

// Where the controls stand, in client pixels (twips / 15).
struct Box {
  double x, y, w, h;
};
constexpr Box kBrowsingPanel{24, 136, 825, 377};
constexpr Box kPathFrame{24, 104, 590, 31};
constexpr Box kInfoFrame{24, 512, 822, 49};
constexpr Box kCaptionButtons{768, 8, 94, 30};
constexpr Box kLanguageBox{48, 24, 81, 21};
constexpr double kBand = 48;  // height of the title band

void hairFrame(Canvas& c, Box b, Colour col) {
  Path p;
  p.rect(b.x - 1, b.y - 1, b.w + 2, b.h + 2);
  p.rect(b.x, b.y, b.w, b.h);
  c.fill(p, col, FillRule::EvenOdd);
}

void mainBackground(Canvas& c) {
  const double W = 871, H = 596;
  // Body: warm walnut, lighter towards the upper middle.
  c.fill(rect(0, 0, W, H), vgrad(kBand, H, rgb(110, 62, 26), rgb(70, 40, 18)));
  c.fill(
      rect(0, 0, W, H),
      radial({W / 2, 220}, 520,
             {{0, withAlpha(rgb(168, 96, 40), 0.35)}, {1, withAlpha(rgb(168, 96, 40), 0)}}, 0.6));

  // The work tray that holds the options, the path field, the panes and the counters.
  Path tray = rrect(14, 74, W - 28, 496, 10);
  c.fill(tray, vgrad(74, 570, rgb(60, 34, 16), rgb(50, 29, 14)));
  c.inset(tray, 0, 3, 6, withAlpha(rgb(10, 5, 2), 0.8));
  Path trayEdge;
  trayEdge.roundRect(13, 73, W - 26, 498, 11).roundRect(14, 74, W - 28, 496, 10);
  c.fill(trayEdge,
         linear({0, 73}, {0, 571},
                {{0, withAlpha(pal::walnutDeep, 0.9)}, {1, withAlpha(rgb(190, 124, 66), 0.7)}}),
         FillRule::EvenOdd);

  // Lifted frames for the panes and fields.
  for (Box b : {kPathFrame, kBrowsingPanel, kInfoFrame}) {
    c.shadow(rect(b.x, b.y, b.w, b.h), 0, 2, 5, withAlpha(rgb(8, 4, 2), 0.85));
    c.fill(rect(b.x, b.y, b.w, b.h), rgb(56, 32, 15));
    hairFrame(c, b, withAlpha(rgb(200, 136, 72), 0.55));
  }

  // Footer: a fine double rule.
  c.fill(rect(24, H - 9, W - 48, 1), withAlpha(rgb(190, 124, 66), 0.45));
  c.fill(rect(24, H - 7, W - 48, 1), withAlpha(pal::walnutDeep, 0.6));

  // Title band: parchment, with a copper edge and a soft shadow beneath.
  c.shadow(rect(0, 0, W, kBand), 0, 2, 6, withAlpha(rgb(10, 5, 2), 0.75));
  c.fill(rect(0, 0, W, kBand), vgrad(0, kBand, rgb(246, 238, 220), rgb(222, 204, 170)));
  c.fill(rect(0, kBand - 2, W, 1), pal::copper);
  c.fill(rect(0, kBand - 1, W, 1), pal::walnut);
  c.fill(rect(0, 1, W, 1), withAlpha(rgb(255, 255, 255), 0.7));
  // A faint calligraphic sweep along the band, behind the title.
  Path sweep;
  sweep.moveTo(150, 42).cubicTo(330, 30, 520, 46, 740, 30);
  c.nib(sweep, Nib{7, 0.8, -0.5, 0.9}, solid(withAlpha(pal::copper, 0.16)));

  // Sockets for the language box and the caption buttons.
  auto socket = [&](Box b, double pad, double r) {
    Path s = rrect(b.x - pad, b.y - pad, b.w + 2 * pad, b.h + 2 * pad, r);
    c.fill(s, vgrad(b.y - pad, b.y + b.h + pad, rgb(88, 52, 24), rgb(64, 38, 18)));
    c.inset(s, 0, 2, 3, withAlpha(rgb(10, 5, 2), 0.8));
    Path lip;
    lip.roundRect(b.x - pad - 1, b.y - pad - 1, b.w + 2 * pad + 2, b.h + 2 * pad + 2, r + 1);
    lip.roundRect(b.x - pad, b.y - pad, b.w + 2 * pad, b.h + 2 * pad, r);
    c.fill(lip,
           vgrad(b.y - pad, b.y + b.h + pad, withAlpha(pal::walnut, 0.7),
                 withAlpha(rgb(255, 250, 240), 0.9)),
           FillRule::EvenOdd);
  };
  socket(kCaptionButtons, 4, 7);
  socket({kLanguageBox.x, kLanguageBox.y, kLanguageBox.w, kLanguageBox.h - 1}, 3, 5);

  // The emblem at the left end of the band.
  placed(c, Affine::scale(34.0 / 256).then(Affine::translate(9, 6)), [&] {
    c.shadow(shieldPath(0), 0, 10, 14, withAlpha(pal::walnutDeep, 0.45));
    emblem(c);
  });

  // The window's own edge: a dark line with a warm highlight inside.
  Path edge;
  edge.rect(0, 0, W, H).rect(1, 1, W - 2, H - 2);
  c.fill(edge, pal::walnutDeep, FillRule::EvenOdd);
  Path glow;
  glow.rect(1, kBand, W - 2, H - kBand - 1).rect(2, kBand, W - 4, H - kBand - 2);
  c.fill(glow, withAlpha(rgb(176, 110, 56), 0.5), FillRule::EvenOdd);
}

// ---- splash banner, 348 x 105 ----

void splashBanner(Canvas& c) {
  const double W = 348, H = 105;
  c.fill(rect(0, 0, W, H), pal::walnut);
  c.fill(rrect(3, 3, W - 6, 98, 6),
         radial({W / 2, 44}, 210,
                {{0, rgb(253, 249, 238)}, {0.7, pal::parchment}, {1, rgb(222, 204, 170)}}, 0.45));
  // Frame: walnut rule with a copper line inside; the bottom rule stays within
  // the 104 rows that the tiles show.
  Path frame;
  frame.roundRect(3, 3, W - 6, 98, 6).roundRect(4.5, 4.5, W - 9, 95, 5);
  c.fill(frame, pal::walnut, FillRule::EvenOdd);
  Path inner;
  inner.roundRect(7, 7, W - 14, 90, 4).roundRect(7.8, 7.8, W - 15.6, 88.4, 3.4);
  c.fill(inner, withAlpha(pal::copper, 0.7), FillRule::EvenOdd);

  // Emblem.
  placed(c, Affine::scale(62.0 / 256).then(Affine::translate(20, 20)), [&] {
    c.shadow(shieldPath(0), 0, 10, 16, withAlpha(pal::walnutDeep, 0.4));
    emblem(c);
  });

  // The name, with a broad nib held at about 35 degrees.
  double em = 62, width = 0;
  Path name = lettering("Norvane", 0.01, &width);
  const double x0 = 100, base = 62;
  Affine place = Affine::shearX(-0.2).then(Affine::scale(em)).then(Affine::translate(x0, base));
  Path placedName = name.transformed(place);
  c.nib(placedName.transformed(Affine::translate(1.2, 1.6)), Nib{8.2, 1.3, -0.62, 0.35},
        solid(withAlpha(pal::copper, 0.35)));
  c.nib(placedName, Nib{8.2, 1.3, -0.62, 0.35},
        linear({0, base - 46}, {0, base}, {{0, rgb(96, 54, 24)}, {1, pal::walnutDeep}}));

  // A swash under the name.
  Path swash;
  swash.moveTo(x0 + 2, base + 8)
      .cubicTo(x0 + 60, base + 2, x0 + 150, base + 12, x0 + em * width + 12, base + 2);
  c.nib(swash, Nib{4.5, 0.7, -0.62, 0.95}, solid(pal::orange));

  // Tagline.
  double tw = 0;
  Path tag = lettering("keeps your drives clean", 0.02, &tw);
  const double tem = 17;
  double tx = x0 + (em * width - tem * tw) / 2 + 8;
  c.nib(tag.transformed(
            Affine::shearX(-0.2).then(Affine::scale(tem)).then(Affine::translate(tx, 88))),
        Nib{1.9, 0.7, -0.62, 0}, solid(pal::tealDeep));
}

// ---- progress bars ----

void mainBar(Canvas& c) {
  // Only the rows 1 to 15 show in the window; the rest continues the shading.
  const double W = 384, H = 24;
  c.fill(rect(0, 0, W, H), linear({0, 0}, {0, 16},
                                  {{0, rgb(255, 214, 150)},
                                   {0.35, rgb(250, 150, 50)},
                                   {0.8, rgb(214, 104, 24)},
                                   {1, rgb(170, 80, 20)}}));
  c.fill(rect(0, 0, W, H),
         linear({0, 0}, {W, 0}, {{0, withAlpha(pal::brown, 0.35)}, {1, withAlpha(pal::brown, 0)}}));
  for (double x = -24; x < W; x += 16) {
    Path s;
    s.polygon({{x, 16}, {x + 8, 16}, {x + 16, 0}, {x + 8, 0}});
    c.fill(s, solid(withAlpha(rgb(255, 240, 210), 0.14)));
  }
  c.fill(rect(0, 1, W, 1), withAlpha(rgb(255, 250, 235), 0.7));
  c.fill(rect(0, 15, W, 1), withAlpha(pal::walnut, 0.5));
}

void cleanerBar(Canvas& c) {
  c.fill(rect(0, 0, 6, 30), linear({0, 0}, {0, 30},
                                   {{0, rgb(170, 236, 160)},
                                    {0.2, rgb(96, 196, 100)},
                                    {0.7, rgb(52, 150, 70)},
                                    {1, rgb(26, 96, 44)}}));
  c.fill(rect(0, 2, 6, 1), withAlpha(rgb(240, 255, 230), 0.6));
}

// ---- the cleaner window's skin, 470 x 296 ----

void cleanerSkin(Canvas& c) {
  const double W = 470, H = 296, band = 37;
  c.fill(rect(0, 0, W, H), vgrad(band, H, rgb(110, 62, 26), rgb(70, 40, 18)));
  c.fill(
      rect(0, 0, W, H),
      radial({W / 2, 120}, 300,
             {{0, withAlpha(rgb(168, 96, 40), 0.35)}, {1, withAlpha(rgb(168, 96, 40), 0)}}, 0.6));
  // Tray around the text panel and the option band.
  Path tray = rrect(5, 35, W - 10, 212, 8);
  c.fill(tray, vgrad(35, 247, rgb(60, 34, 16), rgb(50, 29, 14)));
  c.inset(tray, 0, 3, 5, withAlpha(rgb(10, 5, 2), 0.8));
  c.shadow(rect(10, 40, 449, 173), 0, 2, 4, withAlpha(rgb(8, 4, 2), 0.85));
  c.fill(rect(10, 40, 449, 173), rgb(56, 32, 15));
  hairFrame(c, {10, 40, 449, 173}, withAlpha(rgb(200, 136, 72), 0.55));
  c.fill(rect(24, H - 9, W - 48, 1), withAlpha(rgb(190, 124, 66), 0.45));
  c.fill(rect(24, H - 7, W - 48, 1), withAlpha(pal::walnutDeep, 0.6));

  // Title strip.
  c.shadow(rect(0, 0, W, band - 8), 0, 2, 5, withAlpha(rgb(10, 5, 2), 0.75));
  c.fill(rect(0, 0, W, band - 8), vgrad(0, band - 8, rgb(246, 238, 220), rgb(222, 204, 170)));
  c.fill(rect(0, band - 10, W, 1), pal::copper);
  c.fill(rect(0, band - 9, W, 1), pal::walnut);
  c.fill(rect(0, 1, W, 1), withAlpha(rgb(255, 255, 255), 0.7));
  Path sweep;
  sweep.moveTo(60, 24).cubicTo(160, 16, 280, 26, 380, 14);
  c.nib(sweep, Nib{5, 0.7, -0.5, 0.9}, solid(withAlpha(pal::copper, 0.16)));

  // Three round caption marks: minimise, (covered), close.
  const struct {
    double x;
    Colour hi, lo;
  } marks[] = {{411, rgb(255, 214, 130), rgb(206, 124, 30)},
               {430, pal::tealLight, pal::teal},
               {450, rgb(255, 150, 110), rgb(190, 50, 30)}};
  for (auto m : marks) {
    double cx = m.x + 7, cy = 4 + 7;
    c.shadow(Path().circle(cx, cy, 7), 0, 1, 2, withAlpha(pal::walnutDeep, 0.6));
    c.fill(Path().circle(cx, cy, 7), pal::walnut);
    c.fill(Path().circle(cx, cy, 6), radial({cx - 2, cy - 2.5}, 7.5, {{0, m.hi}, {1, m.lo}}));
    c.fill(Path().ellipse(cx - 1, cy - 3, 3, 1.6), solid(withAlpha(rgb(255, 255, 255), 0.55)));
  }

  Path edge;
  edge.rect(0, 0, W, H).rect(1, 1, W - 2, H - 2);
  c.fill(edge, pal::walnutDeep, FillRule::EvenOdd);
}

// ---- About banner, 586 x 26 (shown at about half its width) ----

void aboutBanner(Canvas& c) {
  const double W = 586, H = 26;
  c.fill(rect(0, 0, W, H), vgrad(0, H, rgb(246, 238, 220), rgb(222, 204, 170)));
  c.fill(rect(0, 0, W, H), linear({0, 0}, {W, 0},
                                  {{0, withAlpha(pal::copper, 0.3)},
                                   {0.18, withAlpha(pal::copper, 0)},
                                   {0.82, withAlpha(pal::copper, 0)},
                                   {1, withAlpha(pal::copper, 0.3)}}));
  c.fill(rect(0, 0, W, 3), pal::teal);
  c.fill(rect(0, 3, W, 1), pal::copper);
  c.fill(rect(0, H - 4, W, 1), pal::copper);
  c.fill(rect(0, H - 3, W, 3), pal::teal);
  // The faint pen sweep of the title bands, here across the whole strip.
  Path sweep;
  sweep.moveTo(40, 19).cubicTo(200, 10, 380, 22, 550, 9);
  c.nib(sweep, Nib{6, 0.8, -0.5, 0.9}, solid(withAlpha(pal::copper, 0.2)));
}

// ---- the catalogue ----

using Draw = std::function<void(Canvas&)>;

std::vector<Picture> build() {
  std::vector<Picture> v;
  auto big = [&](std::string id, int w, int h, Draw d) {
    v.push_back({id, w, h, false, false, true, d});
  };
  auto icon = [&](std::string id, int size, Draw d) {
    v.push_back({id, size, size, true, true, false, d});
  };

  big("main.background", 878, 596,
      [](Canvas& c) { placed(c, Affine::scale(878.0 / 871.0, 1.0), [&] { mainBackground(c); }); });
  v.push_back({"splash.banner", 348, 105, false, true, true, splashBanner});
  big("main.bar", 384, 24, mainBar);
  v.push_back({"main.success", 24, 24, false, false, false, [](Canvas& c) { badge(c, true); }});
  v.push_back({"main.failure", 24, 24, false, false, false, [](Canvas& c) { badge(c, false); }});

  const Draw drives[] = {netDrive, hardDrive, cdDisc, usbStick, ramModule, unknownDrive};
  for (int i = 0; i < 6; ++i) icon("drive." + std::to_string(i), 16, drives[i]);

  const std::pair<const char*, Draw> tree[] = {
      {"mycomputer", myComputer},
      {"genericfile", [](Canvas& c) { page(c, pal::parchment, pal::sand); }},
      {"removabledrive", usbStick},
      {"mydocs", myDocs},
      {"cdrom", cdDisc},
      {"closedfolder", closedFolder},
      {"desktop", desktop},
      {"openfolder", openFolder},
      {"unknowndrive", unknownDrive},
      {"floppydrive", floppy},
      {"harddrive", hardDrive},
      {"netdrive", netDrive}};
  for (auto& [key, d] : tree) icon(std::string("tree.") + key, 16, d);

  const Draw results[] = {[](Canvas& c) {
                            page(c, pal::parchment, pal::sand);
                            shortcutArrow(c);
                          },
                          programWindow,
                          console,
                          [](Canvas& c) { page(c, rgb(236, 220, 180), rgb(176, 150, 110)); },
                          database,
                          neutralPage,
                          archive,
                          screensaver,
                          [](Canvas& c) { bin(c, rgb(236, 110, 80), pal::redDeep); },
                          neutralDot,
                          warning,
                          document};
  for (int i = 0; i < 12; ++i) icon("result." + std::to_string(i + 1), 16, results[i]);

  icon("toolbar.remove", 24, toolbarRemove);
  icon("toolbar.deleteall", 24, toolbarDeleteAll);
  icon("toolbar.properties", 24, toolbarProperties);

  big("cleaner.skin", 470, 296, cleanerSkin);
  big("cleaner.bar", 6, 30, cleanerBar);
  big("about.banner", 586, 26, aboutBanner);
  return v;
}

}  // namespace

const std::vector<Picture>& catalogue() {
  static const std::vector<Picture> pictures = build();
  return pictures;
}

const Picture* findPicture(const std::string& id) {
  for (const Picture& p : catalogue())
    if (p.id == id) return &p;
  return nullptr;
}

Canvas render(const Picture& p, int scale) {
  Canvas c(p.w * scale, p.h * scale);
  c.xf = Affine::scale(scale);
  p.draw(c);
  return c;
}

std::vector<uint8_t> renderRgb(const Picture& p, int scale) {
  return render(p, scale).rgb8(p.keyed, kKeyColour, p.dither);
}

std::vector<IconImage> programIcon() {
  std::vector<IconImage> out;
  for (int size : {16, 24, 32, 48, 256}) {
    Canvas c(size, size);
    if (size == 16) {
      // Drawn on the pixel grid: a plain shield and plug read best this small.
      Path s;
      s.moveTo(8, 0.5).lineTo(15, 2).lineTo(15, 8).cubicTo(15, 12, 11, 14.5, 8, 15.8);
      s.cubicTo(5, 14.5, 1, 12, 1, 8).lineTo(1, 2).close();
      c.fill(s, linear({0, 0}, {16, 16}, {{0, pal::amber}, {1, pal::brown}}));
      Path in;
      in.moveTo(8, 1.8).lineTo(14, 3).lineTo(14, 8).cubicTo(14, 11.4, 10.6, 13.4, 8, 14.6);
      in.cubicTo(5.4, 13.4, 2, 11.4, 2, 8).lineTo(2, 3).close();
      c.fill(in, vgrad(2, 14, rgb(74, 150, 126), pal::tealDeep));
      c.fill(rect(6, 3, 4, 3), pal::sand);
      c.fill(rect(7, 4, 1, 1), pal::tealDeep);
      c.fill(rect(9, 4, 1, 1), pal::tealDeep);
      c.fill(rect(5, 6, 6, 4), pal::cream);
      c.fill(rect(7, 10, 2, 3), pal::cream);
    } else {
      c.xf = Affine::scale(size / 256.0);
      emblem(c);
    }
    out.push_back({size, c.rgba8()});
  }
  return out;
}

}  // namespace assetgen
