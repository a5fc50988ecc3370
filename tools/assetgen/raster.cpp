#include "assetgen/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

// ---- affine transforms and colours ----

Affine Affine::then(const Affine& o) const {
  return {o.a * a + o.c * b, o.b * a + o.d * b,       o.a * c + o.c * d,
          o.b * c + o.d * d, o.a * e + o.c * f + o.e, o.b * e + o.d * f + o.f};
}

Affine Affine::inverse() const {
  double det = a * d - b * c;
  if (det == 0) return {};
  double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
  return {ia, ib, ic, id, -(ia * e + ic * f), -(ib * e + id * f)};
}

Affine Affine::rotate(double r) {
  double cs = std::cos(r), sn = std::sin(r);
  return {cs, sn, -sn, cs, 0, 0};
}

Colour rgb(int r, int g, int b, double a) { return {r / 255.f, g / 255.f, b / 255.f, float(a)}; }

Colour mix(Colour x, Colour y, double t) {
  float u = float(std::clamp(t, 0.0, 1.0));
  return {x.r + (y.r - x.r) * u, x.g + (y.g - x.g) * u, x.b + (y.b - x.b) * u,
          x.a + (y.a - x.a) * u};
}

Colour withAlpha(Colour c, double a) {
  c.a = float(a);
  return c;
}

// ---- paths ----

Path& Path::moveTo(double x, double y) {
  ops_.push_back(Move);
  pts_.push_back({x, y});
  closed_.push_back(false);
  return *this;
}

Path& Path::lineTo(double x, double y) {
  if (ops_.empty()) return moveTo(x, y);
  ops_.push_back(Line);
  pts_.push_back({x, y});
  return *this;
}

Path& Path::quadTo(double cx, double cy, double x, double y) {
  ops_.push_back(Quad);
  pts_.push_back({cx, cy});
  pts_.push_back({x, y});
  return *this;
}

Path& Path::cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
  ops_.push_back(Cubic);
  pts_.push_back({c1x, c1y});
  pts_.push_back({c2x, c2y});
  pts_.push_back({x, y});
  return *this;
}

Path& Path::close() {
  if (!closed_.empty()) closed_.back() = true;
  ops_.push_back(Close);
  return *this;
}

Path& Path::rect(double x, double y, double w, double h) {
  return moveTo(x, y).lineTo(x + w, y).lineTo(x + w, y + h).lineTo(x, y + h).close();
}

Path& Path::roundRect(double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  if (r <= 0) return rect(x, y, w, h);
  const double k = 0.5523 * r;  // cubic approximation of a quarter circle
  moveTo(x + r, y).lineTo(x + w - r, y);
  cubicTo(x + w - r + k, y, x + w, y + r - k, x + w, y + r);
  lineTo(x + w, y + h - r);
  cubicTo(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h);
  lineTo(x + r, y + h);
  cubicTo(x + r - k, y + h, x, y + h - r + k, x, y + h - r);
  lineTo(x, y + r);
  cubicTo(x, y + r - k, x + r - k, y, x + r, y);
  return close();
}

Path& Path::ellipse(double cx, double cy, double rx, double ry) {
  const double kx = 0.5523 * rx, ky = 0.5523 * ry;
  moveTo(cx + rx, cy);
  cubicTo(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  cubicTo(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
  cubicTo(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
  cubicTo(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
  return close();
}

Path& Path::polygon(std::initializer_list<Pt> pts) {
  bool first = true;
  for (Pt p : pts) {
    if (first)
      moveTo(p.x, p.y);
    else
      lineTo(p.x, p.y);
    first = false;
  }
  return close();
}

Path& Path::append(const Path& other, const Affine& xf) {
  size_t pi = 0;
  for (Op op : other.ops_) {
    auto p = [&] { return xf.apply(other.pts_[pi++]); };
    switch (op) {
      case Move: {
        Pt a = p();
        moveTo(a.x, a.y);
        break;
      }
      case Line: {
        Pt a = p();
        lineTo(a.x, a.y);
        break;
      }
      case Quad: {
        Pt a = p(), b = p();
        quadTo(a.x, a.y, b.x, b.y);
        break;
      }
      case Cubic: {
        Pt a = p(), b = p(), c = p();
        cubicTo(a.x, a.y, b.x, b.y, c.x, c.y);
        break;
      }
      case Close:
        close();
        break;
    }
  }
  return *this;
}

Path Path::transformed(const Affine& xf) const {
  Path out;
  out.append(*this, xf);
  return out;
}

namespace {

void flattenCubic(Pt p0, Pt p1, Pt p2, Pt p3, double tol, Polygon& out, int depth = 0) {
  // Flat enough when the curve stays within `tol` of its chord: it lies within
  // 3/4 of the control points' distances (d1, d2 are those times the chord length).
  double dx = p3.x - p0.x, dy = p3.y - p0.y;
  double d1 = std::fabs((p1.x - p3.x) * dy - (p1.y - p3.y) * dx);
  double d2 = std::fabs((p2.x - p3.x) * dy - (p2.y - p3.y) * dx);
  double len2 = dx * dx + dy * dy;
  bool flat = (d1 + d2) * (d1 + d2) * 9 <= tol * tol * 16 * len2;
  if (len2 < 1e-12) {
    double e1 = std::hypot(p1.x - p0.x, p1.y - p0.y), e2 = std::hypot(p2.x - p0.x, p2.y - p0.y);
    flat = e1 + e2 <= tol;
  }
  if (flat || depth > 16) {
    out.push_back(p3);
    return;
  }
  Pt p01{(p0.x + p1.x) / 2, (p0.y + p1.y) / 2}, p12{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2},
      p23{(p2.x + p3.x) / 2, (p2.y + p3.y) / 2};
  Pt a{(p01.x + p12.x) / 2, (p01.y + p12.y) / 2}, b{(p12.x + p23.x) / 2, (p12.y + p23.y) / 2};
  Pt m{(a.x + b.x) / 2, (a.y + b.y) / 2};
  flattenCubic(p0, p01, a, m, tol, out, depth + 1);
  flattenCubic(m, b, p23, p3, tol, out, depth + 1);
}

}  // namespace

std::vector<Polygon> Path::flatten(double tol) const {
  std::vector<Polygon> out;
  size_t pi = 0;
  Pt cur{}, start{};
  for (Op op : ops_) {
    switch (op) {
      case Move:
        cur = start = pts_[pi++];
        out.push_back({cur});
        break;
      case Line:
        cur = pts_[pi++];
        out.back().push_back(cur);
        break;
      case Quad: {
        Pt c = pts_[pi++], e = pts_[pi++];
        Pt c1{cur.x + 2.0 / 3 * (c.x - cur.x), cur.y + 2.0 / 3 * (c.y - cur.y)};
        Pt c2{e.x + 2.0 / 3 * (c.x - e.x), e.y + 2.0 / 3 * (c.y - e.y)};
        flattenCubic(cur, c1, c2, e, tol, out.back());
        cur = e;
        break;
      }
      case Cubic: {
        Pt c1 = pts_[pi++], c2 = pts_[pi++], e = pts_[pi++];
        flattenCubic(cur, c1, c2, e, tol, out.back());
        cur = e;
        break;
      }
      case Close:
        // A closed contour repeats its start so that strokes close the ring.
        if (!out.empty() && out.back().size() > 1) out.back().push_back(start);
        cur = start;
        break;
    }
  }
  return out;
}

// ---- scan conversion ----

Mask rasterize(const std::vector<Polygon>& contours, int w, int h, FillRule rule) {
  Mask m(w, h);
  if (w <= 0 || h <= 0) return m;
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  for (const Polygon& c : contours) {
    for (size_t i = 0; i + 1 <= c.size() && c.size() > 1; ++i) {
      Pt a = c[i], b = c[(i + 1) % c.size()];  // the contour closes back to its start
      if (a.y == b.y) continue;
      if (a.y < b.y)
        edges.push_back({a.x, a.y, b.x, b.y, 1});
      else
        edges.push_back({b.x, b.y, a.x, a.y, -1});
    }
  }
  if (edges.empty()) return m;
  std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.y0 < q.y0; });

  constexpr int kSub = 16;
  constexpr float kWeight = 1.0f / kSub;
  std::vector<float> direct(w + 2), delta(w + 2);
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> xs;
  size_t next = 0;
  for (int row = 0; row < h; ++row) {
    double rowTop = row, rowBottom = row + 1;
    // Admit edges that start above this row's bottom; drop those that ended.
    while (next < edges.size() && edges[next].y0 < rowBottom) active.push_back(&edges[next++]);
    std::erase_if(active, [&](const Edge* e) { return e->y1 <= rowTop; });
    if (active.empty()) continue;
    std::fill(direct.begin(), direct.end(), 0.f);
    std::fill(delta.begin(), delta.end(), 0.f);
    bool any = false;
    for (int s = 0; s < kSub; ++s) {
      double y = row + (s + 0.5) / kSub;
      xs.clear();
      for (const Edge* e : active)
        if (e->y0 <= y && y < e->y1)
          xs.push_back({e->x0 + (y - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->dir});
      if (xs.size() < 2) continue;
      std::sort(xs.begin(), xs.end());
      int wind = 0;
      for (size_t i = 0; i + 1 < xs.size(); ++i) {
        wind += xs[i].second;
        bool inside = rule == FillRule::NonZero ? wind != 0 : (wind & 1) != 0;
        if (!inside) continue;
        double xa = std::clamp(xs[i].first, 0.0, double(w));
        double xb = std::clamp(xs[i + 1].first, 0.0, double(w));
        if (xb <= xa) continue;
        any = true;
        int ia = int(xa), ib = int(xb);
        if (ia == ib) {
          direct[ia] += float(xb - xa) * kWeight;
        } else {
          direct[ia] += float(ia + 1 - xa) * kWeight;
          if (ib < w) direct[ib] += float(xb - ib) * kWeight;
          delta[ia + 1] += kWeight;
          delta[ib] -= kWeight;
        }
      }
    }
    if (!any) continue;
    float run = 0;
    float* out = &m.a[size_t(row) * w];
    for (int x = 0; x < w; ++x) {
      run += delta[x];
      out[x] = std::clamp(run + direct[x], 0.f, 1.f);
    }
  }
  return m;
}

void boxBlur(Mask& m, double radius) {
  if (radius <= 0.25) return;
  // Three passes of a box of width 2r+1 approximate a Gaussian of sigma about r.
  int r = std::max(1, int(std::lround(radius * 0.58)));
  std::vector<float> tmp(std::max(m.w, m.h));
  auto pass = [&](float* base, int n, int stride) {
    for (int i = 0; i < n; ++i) tmp[i] = base[i * stride];
    float sum = 0;
    for (int i = -r; i <= r; ++i) sum += (i >= 0 && i < n) ? tmp[i] : 0.f;
    for (int i = 0; i < n; ++i) {
      base[i * stride] = sum / (2 * r + 1);
      int out = i - r, in = i + r + 1;
      if (out >= 0) sum -= tmp[out];
      if (in < n) sum += tmp[in];
    }
  };
  for (int k = 0; k < 3; ++k) {
    for (int y = 0; y < m.h; ++y) pass(&m.a[size_t(y) * m.w], m.w, 1);
    for (int x = 0; x < m.w; ++x) pass(&m.a[x], m.h, m.w);
  }
}

// ---- strokes ----

namespace {

double signedArea(const Polygon& p) {
  double s = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const Pt &a = p[i], &b = p[(i + 1) % p.size()];
    s += a.x * b.y - b.x * a.y;
  }
  return s / 2;
}

void orient(Polygon& p) {
  if (signedArea(p) < 0) std::reverse(p.begin(), p.end());
}

Polygon disc(Pt c, double r) {
  int n = std::clamp(int(r * 4) + 8, 8, 48);
  Polygon p;
  for (int i = 0; i < n; ++i) {
    double t = 2 * std::numbers::pi * i / n;
    p.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
  }
  return p;
}

}  // namespace

std::vector<Polygon> convexHull(std::vector<Pt> pts) {
  std::sort(pts.begin(), pts.end(),
            [](Pt a, Pt b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (pts.size() < 3) return {};
  auto cross = [](Pt o, Pt a, Pt b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
  };
  Polygon hull(2 * pts.size());
  size_t k = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0) --k;
    hull[k++] = pts[i - 1];
  }
  hull.resize(k - 1);
  orient(hull);
  return {hull};
}

std::vector<Polygon> strokeRound(const std::vector<Polygon>& lines, double width) {
  std::vector<Polygon> out;
  double r = width / 2;
  for (const Polygon& line : lines) {
    for (size_t i = 0; i < line.size(); ++i) {
      out.push_back(disc(line[i], r));
      if (i + 1 == line.size()) break;
      Pt a = line[i], b = line[i + 1];
      double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
      if (len < 1e-9) continue;
      double nx = -dy / len * r, ny = dx / len * r;
      Polygon q{
          {a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
      orient(q);
      out.push_back(std::move(q));
    }
  }
  return out;
}

std::vector<Polygon> strokeNib(const std::vector<Polygon>& lines, const Nib& nib) {
  constexpr int kSides = 12;
  auto shape = [&](Pt c, double s) {
    std::vector<Pt> pts;
    double cs = std::cos(nib.angle), sn = std::sin(nib.angle);
    for (int i = 0; i < kSides; ++i) {
      double t = 2 * std::numbers::pi * i / kSides;
      double u = std::cos(t) * nib.width / 2 * s, v = std::sin(t) * nib.thin / 2;
      pts.push_back({c.x + u * cs - v * sn, c.y + u * sn + v * cs});
    }
    return pts;
  };
  std::vector<Polygon> out;
  for (const Polygon& line : lines) {
    // Arc length positions for the taper.
    std::vector<double> along(line.size(), 0);
    for (size_t i = 1; i < line.size(); ++i)
      along[i] = along[i - 1] + std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
    double total = along.back();
    auto scale = [&](size_t i) {
      if (nib.taper <= 0 || total <= 0) return 1.0;
      double t = along[i] / total;
      double edge = std::min(t, 1 - t) / 0.25;  // full width beyond a quarter of the way
      return 1 - nib.taper * (1 - std::min(1.0, std::sqrt(std::max(edge, 0.0))));
    };
    if (line.size() == 1) {
      for (auto& h : convexHull(shape(line[0], 1))) out.push_back(h);
      continue;
    }
    for (size_t i = 0; i + 1 < line.size(); ++i) {
      std::vector<Pt> pts = shape(line[i], scale(i));
      std::vector<Pt> more = shape(line[i + 1], scale(i + 1));
      pts.insert(pts.end(), more.begin(), more.end());
      for (auto& h : convexHull(pts)) out.push_back(std::move(h));
    }
  }
  return out;
}

// ---- paints ----

Paint solid(Colour c) {
  return [c](Pt) { return c; };
}

namespace {

Colour sample(const std::vector<Stop>& stops, double t) {
  if (t <= stops.front().at) return stops.front().c;
  for (size_t i = 1; i < stops.size(); ++i)
    if (t <= stops[i].at) {
      double span = stops[i].at - stops[i - 1].at;
      return mix(stops[i - 1].c, stops[i].c, span > 0 ? (t - stops[i - 1].at) / span : 1);
    }
  return stops.back().c;
}

}  // namespace

Paint linear(Pt p0, Pt p1, std::vector<Stop> stops) {
  double dx = p1.x - p0.x, dy = p1.y - p0.y, len2 = dx * dx + dy * dy;
  return [=](Pt p) {
    double t = len2 > 0 ? ((p.x - p0.x) * dx + (p.y - p0.y) * dy) / len2 : 0;
    return sample(stops, t);
  };
}

Paint radial(Pt c, double radius, std::vector<Stop> stops, double squashY) {
  return [=](Pt p) {
    double t = std::hypot(p.x - c.x, (p.y - c.y) / squashY) / radius;
    return sample(stops, t);
  };
}

// ---- canvas ----

Canvas::Canvas(int w, int h, Colour fill) : w_(w), h_(h), px_(size_t(w) * h * 4) {
  for (size_t i = 0; i < size_t(w) * h; ++i) {
    px_[i * 4 + 0] = fill.r * fill.a;
    px_[i * 4 + 1] = fill.g * fill.a;
    px_[i * 4 + 2] = fill.b * fill.a;
    px_[i * 4 + 3] = fill.a;
  }
}

std::vector<Polygon> Canvas::toDevice(const Path& p) const {
  // Flatten in device space so that the tolerance is in pixels.
  return p.transformed(xf).flatten(0.04);
}

void Canvas::paintMask(const Mask& m, const Paint& paint) {
  Affine inv = xf.inverse();
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float cov = m.at(x, y);
      if (cov <= 0.f) continue;
      Colour c = paint(inv.apply({x + 0.5, y + 0.5}));
      float a = c.a * cov;
      float* d = &px_[(size_t(y) * w_ + x) * 4];
      d[0] = c.r * a + d[0] * (1 - a);
      d[1] = c.g * a + d[1] * (1 - a);
      d[2] = c.b * a + d[2] * (1 - a);
      d[3] = a + d[3] * (1 - a);
    }
}

void Canvas::paintPolygons(const std::vector<Polygon>& device, const Paint& paint, FillRule rule) {
  paintMask(rasterize(device, w_, h_, rule), paint);
}

void Canvas::fill(const Path& p, const Paint& paint, FillRule rule) {
  paintPolygons(toDevice(p), paint, rule);
}

void Canvas::stroke(const Path& p, double width, const Paint& paint) {
  double s = std::sqrt(std::fabs(xf.a * xf.d - xf.b * xf.c));
  paintPolygons(strokeRound(toDevice(p), width * s), paint, FillRule::NonZero);
}

void Canvas::nib(const Path& p, const Nib& n, const Paint& paint) {
  // The nib is sized in drawing units like everything else; its angle stays in device space.
  double s = std::sqrt(std::fabs(xf.a * xf.d - xf.b * xf.c));
  Nib scaled = n;
  scaled.width *= s;
  scaled.thin *= s;
  paintPolygons(strokeNib(toDevice(p), scaled), paint, FillRule::NonZero);
}

void Canvas::shadow(const Path& p, double dx, double dy, double blur, Colour c) {
  auto contours = toDevice(p);
  for (auto& poly : contours)
    for (Pt& q : poly) q = {q.x + dx, q.y + dy};
  Mask m = rasterize(contours, w_, h_, FillRule::NonZero);
  boxBlur(m, blur);
  paintMask(m, solid(c));
}

void Canvas::inset(const Path& p, double dx, double dy, double blur, Colour c) {
  // The inverse of the shape, shifted and blurred, painted inside the shape.
  auto shape = toDevice(p);
  Mask inside = rasterize(shape, w_, h_, FillRule::NonZero);
  for (auto& poly : shape)
    for (Pt& q : poly) q = {q.x + dx, q.y + dy};
  Mask shifted = rasterize(shape, w_, h_, FillRule::NonZero);
  for (float& v : shifted.a) v = 1 - v;
  boxBlur(shifted, blur);
  for (size_t i = 0; i < inside.a.size(); ++i) inside.a[i] *= shifted.a[i];
  paintMask(inside, solid(c));
}

void Canvas::draw(const Canvas& src, int ox, int oy) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      int dx = x + ox, dy = y + oy;
      if (dx < 0 || dy < 0 || dx >= w_ || dy >= h_) continue;
      const float* s = &src.px_[(size_t(y) * src.w_ + x) * 4];
      float* d = &px_[(size_t(dy) * w_ + dx) * 4];
      for (int k = 0; k < 4; ++k) d[k] = s[k] + d[k] * (1 - s[3]);
    }
}

Colour Canvas::pixel(int x, int y) const {
  const float* p = &px_[(size_t(y) * w_ + x) * 4];
  if (p[3] <= 0) return {0, 0, 0, 0};
  return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

Canvas Canvas::cropped(int x0, int y0, int w, int h) const {
  Canvas out(w, h);
  out.draw(*this, -x0, -y0);
  return out;
}

std::vector<uint8_t> Canvas::rgb8(bool keyed, Colour key, bool dither) const {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  std::vector<uint8_t> out(size_t(w_) * h_ * 3);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      Colour c = pixel(x, y);
      if (keyed) {
        if (c.a < 0.5f) c = key;
      } else {
        // Opaque pictures: anything left transparent shows as black.
        c = {c.r * c.a, c.g * c.a, c.b * c.a, 1};
      }
      double off = dither && !(keyed && c.a < 0.5f) ? (bayer[y & 3][x & 3] + 0.5) / 16 - 0.5 : 0;
      uint8_t* o = &out[(size_t(y) * w_ + x) * 3];
      o[0] = uint8_t(std::clamp(std::lround(c.r * 255 + off), 0L, 255L));
      o[1] = uint8_t(std::clamp(std::lround(c.g * 255 + off), 0L, 255L));
      o[2] = uint8_t(std::clamp(std::lround(c.b * 255 + off), 0L, 255L));
    }
  return out;
}

std::vector<uint8_t> Canvas::rgba8() const {
  std::vector<uint8_t> out(size_t(w_) * h_ * 4);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      Colour c = pixel(x, y);
      uint8_t* o = &out[(size_t(y) * w_ + x) * 4];
      o[0] = uint8_t(std::clamp(std::lround(c.r * 255), 0L, 255L));
      o[1] = uint8_t(std::clamp(std::lround(c.g * 255), 0L, 255L));
      o[2] = uint8_t(std::clamp(std::lround(c.b * 255), 0L, 255L));
      o[3] = uint8_t(std::clamp(std::lround(c.a * 255), 0L, 255L));
    }
  return out;
}

}  // namespace assetgen
