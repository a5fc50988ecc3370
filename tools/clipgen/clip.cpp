#include "clipgen/clip.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "assetgen/palette.h"
#include "assetgen/raster.h"

namespace clipgen {

using namespace assetgen;

namespace {

constexpr double kPi = std::numbers::pi;


Pt lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

double frac(double v) { return v - std::floor(v); }

// One frame at phase t (0..1) of the sweep.
void drawFrame(Canvas& c, double t) {
  const double W = c.width(), H = c.height(), floorY = H - 9;
  auto footX = [](double phase) { return 82 + 22 * std::sin(2 * kPi * phase); };

  // The card.
  Path card;
  card.roundRect(1, 1, W - 2, H - 2, 7);
  c.fill(card, linear({0, 0}, {0, H}, {{0, pal::parchmentLight}, {1, pal::sand}}));
  c.stroke(card, 1, withAlpha(pal::walnut, 0.85));
  // The floor.
  c.fill(Path().rect(10, floorY, W - 20, 1.6), pal::teal);
  c.fill(Path().rect(10, floorY - 1, W - 20, 1), withAlpha(pal::tealLight, 0.6));

  // Dust kicked to the right: each speck leaves the bristles at its own
  // moment of the cycle, so the loop has no seam.
  const int specks = 16;
  for (int i = 0; i < specks; ++i) {
    double u = frac(t + double(i) / specks);
    double born = t - u;
    double x0 = footX(born) + 12;
    double reach = 70 + 9 * (i % 5);
    double lift = 7 + 3 * (i % 3);
    Pt p{x0 + reach * u, floorY - 1.5 - lift * std::sin(kPi * std::min(1.0, u * 1.15))};
    double r = 0.9 + 0.35 * (i % 4);
    Colour col = i % 3 == 0 ? pal::orange : (i % 3 == 1 ? pal::brown : pal::copper);
    c.fill(Path().circle(p.x, p.y, r), withAlpha(col, 0.9 * std::pow(1 - u, 1.1)));
  }

  // The broom: the hand at the top sways a little, the bristles sweep the
  // floor and trail behind their motion.
  double s = std::sin(2 * kPi * t), v = std::cos(2 * kPi * t);
  Pt top{68 + 12 * s, 4};
  Pt foot{footX(t), floorY};
  Pt bind = lerp(top, foot, 0.52);
  double len = std::hypot(foot.x - top.x, foot.y - top.y);
  Pt along{(foot.x - top.x) / len, (foot.y - top.y) / len};
  Pt across{-along.y, along.x};

  // A faint swoosh behind the moving bristles.
  double side = v >= 0 ? -1 : 1;
  Path swoosh;
  swoosh.moveTo(foot.x + side * 30, floorY - 2)
      .quadTo(foot.x + side * 20, floorY - 9, foot.x + side * 12, floorY - 6);
  c.stroke(swoosh, 1.4, withAlpha(pal::teal, 0.45 * std::abs(v)));

  // Bristles: a fan from the binding down to the floor.
  double drag = -5 * v;  // the tips trail the motion
  Pt tl{bind.x - across.x * 5, bind.y - across.y * 5},
      tr{bind.x + across.x * 5, bind.y + across.y * 5};
  Pt bl{foot.x - 14 + drag, floorY}, br{foot.x + 14 + drag, floorY};
  Path head;
  head.moveTo(tl.x, tl.y).lineTo(tr.x, tr.y).lineTo(br.x, br.y).lineTo(bl.x, bl.y).close();
  c.fill(head, linear(bind, foot, {{0, pal::amber}, {0.55, pal::orange}, {1, pal::copper}}));
  for (int k = 0; k <= 6; ++k) {
    double q = k / 6.0;
    Pt a = lerp(tl, tr, q), b = lerp(bl, br, q);
    Path straw;
    straw.moveTo(a.x, a.y).lineTo(b.x, b.y);
    c.stroke(straw, 0.7, withAlpha(k % 2 ? pal::brown : pal::copper, 0.55));
  }
  c.stroke(head, 0.8, withAlpha(pal::walnut, 0.7));

  // Handle, binding and grip.
  Path handle;
  handle.moveTo(top.x, top.y).lineTo(bind.x, bind.y);
  c.stroke(handle, 3.2, pal::walnut);
  Path shine;
  shine.moveTo(top.x - across.x * 0.7, top.y - across.y * 0.7)
      .lineTo(bind.x - across.x * 0.7, bind.y - across.y * 0.7);
  c.stroke(shine, 0.8, withAlpha(pal::copper, 0.8));
  Pt b0{bind.x - along.x * 1.5, bind.y - along.y * 1.5},
      b1{bind.x + along.x * 2, bind.y + along.y * 2};
  Path band;
  band.moveTo(b0.x - across.x * 5, b0.y - across.y * 5)
      .lineTo(b0.x + across.x * 5, b0.y + across.y * 5)
      .lineTo(b1.x + across.x * 5, b1.y + across.y * 5)
      .lineTo(b1.x - across.x * 5, b1.y - across.y * 5)
      .close();
  c.fill(band, pal::teal);
  c.fill(Path().circle(top.x, top.y, 2.2), pal::walnutDeep);
}

uint32_t packed(const uint8_t* rgb) {
  return (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
}

int channel(uint32_t c, int k) { return int((c >> (16 - 8 * k)) & 0xFF); }

// Median cut over the colours that occur (weighted by how often), giving at
// most `count` entries.
std::vector<uint32_t> medianCut(const std::map<uint32_t, long>& histogram, int count) {
  std::vector<std::pair<uint32_t, long>> colours(histogram.begin(), histogram.end());
  struct Box {
    size_t begin, end;
  };
  std::vector<Box> boxes{{0, colours.size()}};
  auto spread = [&](const Box& b, int& widest) {
    int best = -1;
    for (int k = 0; k < 3; ++k) {
      int lo = 255, hi = 0;
      for (size_t i = b.begin; i < b.end; ++i) {
        lo = std::min(lo, channel(colours[i].first, k));
        hi = std::max(hi, channel(colours[i].first, k));
      }
      if (hi - lo > best) {
        best = hi - lo;
        widest = k;
      }
    }
    return best;
  };
  while (int(boxes.size()) < count) {
    int pick = -1, pickChannel = 0, pickSpread = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      int k = 0, sp = spread(boxes[i], k);
      if (sp > pickSpread) {
        pick = int(i);
        pickChannel = k;
        pickSpread = sp;
      }
    }
    if (pick < 0) break;
    Box b = boxes[pick];
    std::sort(colours.begin() + long(b.begin), colours.begin() + long(b.end),
              [&](auto& x, auto& y) {
                return channel(x.first, pickChannel) < channel(y.first, pickChannel);
              });
    long total = 0;
    for (size_t i = b.begin; i < b.end; ++i) total += colours[i].second;
    long run = 0;
    size_t cut = b.begin + 1;
    for (size_t i = b.begin; i < b.end - 1; ++i) {
      run += colours[i].second;
      cut = i + 1;
      if (run * 2 >= total) break;
    }
    boxes[pick] = {b.begin, cut};
    boxes.push_back({cut, b.end});
  }
  std::vector<uint32_t> out;
  for (const Box& b : boxes) {
    double sum[3] = {0, 0, 0}, weight = 0;
    for (size_t i = b.begin; i < b.end; ++i) {
      for (int k = 0; k < 3; ++k)
        sum[k] += double(channel(colours[i].first, k)) * colours[i].second;
      weight += colours[i].second;
    }
    uint32_t c = 0;
    for (int k = 0; k < 3; ++k) c = (c << 8) | uint32_t(std::lround(sum[k] / weight));
    out.push_back(c);
  }
  return out;
}

int distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int k = 0; k < 3; ++k) {
    int e = channel(a, k) - channel(b, k);
    d += e * e;
  }
  return d;
}

void put16(std::string& s, uint32_t v) {
  s += char(v & 0xFF);
  s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
  put16(s, v & 0xFFFF);
  put16(s, v >> 16);
}
void fourcc(std::string& s, const char* f) { s.append(f, 4); }

// A chunk: its id, its size and its data (padded to an even length).
std::string chunk(const char* id, const std::string& data) {
  std::string s;
  fourcc(s, id);
  put32(s, uint32_t(data.size()));
  s += data;
  if (data.size() % 2) s += '\0';
  return s;
}

std::string list(const char* type, const std::string& data) {
  std::string body;
  fourcc(body, type);
  return chunk("LIST", body + data);
}

}  // namespace

Clip broomClip(int width, int height, int frames) {
  Clip clip;
  clip.width = width;
  clip.height = height;
  clip.microsPerFrame = 80000;  // 12.5 frames a second: one sweep in 1.6 s

  std::vector<std::vector<uint8_t>> rgb;
  for (int f = 0; f < frames; ++f) {
    Canvas c(width, height, pal::panel);
    drawFrame(c, double(f) / frames);
    rgb.push_back(c.rgb8(false, {}, false));
  }

  // Entry 0 is the panel colour, kept for the pixels that are exactly it;
  // everything else shares the other 255 entries.
  std::map<uint32_t, long> histogram;
  for (auto& frame : rgb)
    for (size_t i = 0; i < frame.size(); i += 3) {
      uint32_t c = packed(&frame[i]);
      if (c != kPanel) ++histogram[c];
    }
  clip.palette = {kPanel};
  for (uint32_t c : medianCut(histogram, 255)) clip.palette.push_back(c == kPanel ? c ^ 1 : c);
  clip.palette.resize(256, 0);

  std::map<uint32_t, uint8_t> nearest;
  for (auto& frame : rgb) {
    std::vector<uint8_t> indexes(size_t(width) * height);
    for (size_t p = 0; p < indexes.size(); ++p) {
      uint32_t c = packed(&frame[p * 3]);
      if (c == kPanel) continue;  // entry 0
      auto it = nearest.find(c);
      if (it == nearest.end()) {
        int best = 1;
        for (int e = 2; e < 256; ++e)
          if (distance(c, clip.palette[e]) < distance(c, clip.palette[best])) best = e;
        it = nearest.emplace(c, uint8_t(best)).first;
      }
      indexes[p] = it->second;
    }
    clip.frames.push_back(std::move(indexes));
  }
  return clip;
}

std::string aviFile(const Clip& clip) {
  const uint32_t w = uint32_t(clip.width), h = uint32_t(clip.height);
  const uint32_t stride = (w + 3) & ~3u, frameBytes = stride * h;
  const uint32_t n = uint32_t(clip.frames.size());

  std::string avih;
  put32(avih, uint32_t(clip.microsPerFrame));
  put32(avih, uint32_t(uint64_t(frameBytes) * 1000000 / uint32_t(clip.microsPerFrame)));
  put32(avih, 0);     // padding granularity
  put32(avih, 0x10);  // AVIF_HASINDEX
  put32(avih, n);
  put32(avih, 0);  // initial frames
  put32(avih, 1);  // streams
  put32(avih, frameBytes);
  put32(avih, w);
  put32(avih, h);
  for (int i = 0; i < 4; ++i) put32(avih, 0);

  std::string strh;
  fourcc(strh, "vids");
  fourcc(strh, "DIB ");
  put32(strh, 0);  // flags
  put16(strh, 0);  // priority
  put16(strh, 0);  // language
  put32(strh, 0);  // initial frames
  put32(strh, uint32_t(clip.microsPerFrame));
  put32(strh, 1000000);  // rate / scale = frames per second
  put32(strh, 0);        // start
  put32(strh, n);
  put32(strh, frameBytes);
  put32(strh, 0xFFFFFFFF);  // quality: default
  put32(strh, 0);           // sample size
  put16(strh, 0);
  put16(strh, 0);
  put16(strh, uint16_t(w));
  put16(strh, uint16_t(h));

  std::string strf;
  put32(strf, 40);
  put32(strf, w);
  put32(strf, h);  // positive: rows bottom first
  put16(strf, 1);
  put16(strf, 8);
  put32(strf, 0);  // BI_RGB
  put32(strf, frameBytes);
  put32(strf, 0);
  put32(strf, 0);
  put32(strf, 256);
  put32(strf, 0);
  for (uint32_t c : clip.palette) {
    strf += char(c & 0xFF);
    strf += char((c >> 8) & 0xFF);
    strf += char((c >> 16) & 0xFF);
    strf += '\0';
  }

  std::string movi, idx1;
  uint32_t offset = 4;  // from the 'movi' type: the first chunk follows it
  for (const auto& frame : clip.frames) {
    std::string data;
    for (uint32_t y = h; y-- > 0;) {
      data.append(reinterpret_cast<const char*>(&frame[size_t(y) * w]), w);
      data.append(stride - w, '\0');
    }
    fourcc(idx1, "00db");
    put32(idx1, 0x10);  // AVIIF_KEYFRAME
    put32(idx1, offset);
    put32(idx1, frameBytes);
    std::string c = chunk("00db", data);
    offset += uint32_t(c.size());
    movi += c;
  }

  std::string hdrl =
      list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
  std::string body;
  fourcc(body, "AVI ");
  body += hdrl + list("movi", movi) + chunk("idx1", idx1);
  return chunk("RIFF", body);
}

}  // namespace clipgen
