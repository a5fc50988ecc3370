// A small anti-aliased rasterizer for the program's pictures: paths with
// Bezier curves, fills with the non-zero or even-odd rule, round and broad-nib
// strokes, solid and gradient paints, and soft shadows. Colours are floating
// point sRGB values; the canvas keeps them premultiplied.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace assetgen {

struct Pt {
  double x = 0, y = 0;
};

// x' = a x + c y + e, y' = b x + d y + f
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  Pt apply(Pt p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  Affine then(const Affine& o) const;  // this first, then o
  Affine inverse() const;
  static Affine translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static Affine scale(double s) { return scale(s, s); }
  static Affine rotate(double radians);
  static Affine shearX(double k) { return {1, 0, k, 1, 0, 0}; }  // x += k y
};

// Straight (not premultiplied) colour, components 0..1.
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};
Colour rgb(int r, int g, int b, double a = 1.0);
Colour mix(Colour x, Colour y, double t);
Colour withAlpha(Colour c, double a);

using Polygon = std::vector<Pt>;

class Path {
 public:
  Path& moveTo(double x, double y);
  Path& lineTo(double x, double y);
  Path& quadTo(double cx, double cy, double x, double y);
  Path& cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
  Path& close();

  Path& rect(double x, double y, double w, double h);
  Path& roundRect(double x, double y, double w, double h, double r);
  Path& ellipse(double cx, double cy, double rx, double ry);
  Path& circle(double cx, double cy, double r) { return ellipse(cx, cy, r, r); }
  Path& polygon(std::initializer_list<Pt> pts);
  Path& append(const Path& other, const Affine& xf = {});

  Path transformed(const Affine& xf) const;
  // Contours as polylines; curves are split until they are within `tolerance`
  // of the true curve. A contour is closed when it was closed or is filled.
  std::vector<Polygon> flatten(double tolerance = 0.05) const;
  bool empty() const { return ops_.empty(); }

 private:
  enum Op : uint8_t { Move, Line, Quad, Cubic, Close };
  std::vector<Op> ops_;
  std::vector<Pt> pts_;
  std::vector<bool> closed_;  // per contour: whether close() ended it
};

enum class FillRule { NonZero, EvenOdd };

// Coverage (0..1) per pixel.
struct Mask {
  int w = 0, h = 0;
  std::vector<float> a;
  Mask() = default;
  Mask(int width, int height) : w(width), h(height), a(size_t(width) * height, 0.f) {}
  float at(int x, int y) const { return a[size_t(y) * w + x]; }
};

// Exact horizontal coverage on 16 sub-scanlines per pixel row.
Mask rasterize(const std::vector<Polygon>& contours, int w, int h, FillRule rule);
void boxBlur(Mask& m, double radius);  // three box passes: close to a Gaussian

// Stroke outlines, as polygons that all wind the same way so that the
// non-zero fill of their union is the stroke.
std::vector<Polygon> strokeRound(const std::vector<Polygon>& lines, double width);
// A broad-nib pen: an ellipse of `width` x `thin` at `angle` (radians; y grows
// downwards, so a negative angle rises to the right) swept along the lines. `taper` (0..1) narrows
// the nib towards both ends of each line, as a pen set down and lifted.
struct Nib {
  double width = 4, thin = 0.6, angle = 0.6, taper = 0.0;
};
std::vector<Polygon> strokeNib(const std::vector<Polygon>& lines, const Nib& nib);
std::vector<Polygon> convexHull(std::vector<Pt> pts);

using Paint = std::function<Colour(Pt)>;
struct Stop {
  double at;
  Colour c;
};
Paint solid(Colour c);
Paint linear(Pt p0, Pt p1, std::vector<Stop> stops);
Paint radial(Pt centre, double radius, std::vector<Stop> stops, double squashY = 1.0);

class Canvas {
 public:
  Canvas(int w, int h, Colour fill = {0, 0, 0, 0});
  int width() const { return w_; }
  int height() const { return h_; }

  // The transform from drawing units to pixels, for paths and paints alike.
  Affine xf;

  void fill(const Path& p, const Paint& paint, FillRule rule = FillRule::NonZero);
  void fill(const Path& p, Colour c, FillRule rule = FillRule::NonZero) { fill(p, solid(c), rule); }
  void stroke(const Path& p, double width, const Paint& paint);
  void stroke(const Path& p, double width, Colour c) { stroke(p, width, solid(c)); }
  void nib(const Path& p, const Nib& nib, const Paint& paint);
  // Soft shadow of the path's shape; offset and blur in pixels.
  void shadow(const Path& p, double dx, double dy, double blur, Colour c);
  void inset(const Path& p, double dx, double dy, double blur, Colour c);  // inner shadow
  // Paints through a coverage mask in device pixels.
  void paintMask(const Mask& m, const Paint& paint);
  void paintPolygons(const std::vector<Polygon>& device, const Paint& paint, FillRule rule);
  // Composite another canvas at a device position.
  void draw(const Canvas& src, int x, int y);

  Colour pixel(int x, int y) const;  // straight colour
  // 8-bit RGB rows, top first. Pixels whose alpha is below one half become
  // `key` when keyed is set; the rest show their own colour at full strength.
  // `dither` adds a 4x4 ordered dither of half a step against banding.
  std::vector<uint8_t> rgb8(bool keyed, Colour key, bool dither) const;
  std::vector<uint8_t> rgba8() const;  // straight 8-bit RGBA rows, top first
  Canvas cropped(int x, int y, int w, int h) const;

 private:
  int w_, h_;
  std::vector<float> px_;  // premultiplied RGBA
  std::vector<Polygon> toDevice(const Path& p) const;
};

}  // namespace assetgen
