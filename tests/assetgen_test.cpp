// The picture generator: file formats, the rasterizer's coverage, and the
// catalogue of pictures that the program loads by id.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "assetgen/files.h"
#include "assetgen/font.h"
#include "assetgen/pictures.h"
#include "assetgen/raster.h"

using namespace assetgen;

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

double area(const Mask& m) {
  double s = 0;
  for (float v : m.a) s += v;
  return s;
}

}  // namespace

TEST(AssetFiles, BmpIsBottomUpBgrWithPaddedRows) {
  // 3 x 2 pixels: rows of 9 bytes padded to 12. Distinct colours catch swapped
  // channels and rows.
  std::vector<uint8_t> rgb = {1,  2,  3,  4,  5,  6,  7,  8,  9,  // top row
                              10, 11, 12, 13, 14, 15, 16, 17, 18};
  auto b = bmpFile(3, 2, rgb);
  ASSERT_EQ(b.size(), 54u + 24u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(le32(b, 2), 78u);   // file size
  EXPECT_EQ(le32(b, 10), 54u);  // pixel offset
  EXPECT_EQ(le32(b, 14), 40u);  // info header size
  EXPECT_EQ(le32(b, 18), 3u);
  EXPECT_EQ(le32(b, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(le16(b, 28), 24u);
  EXPECT_EQ(le32(b, 30), 0u);  // uncompressed
  EXPECT_EQ(le32(b, 34), 24u);
  // First stored row is the bottom one, each pixel as B, G, R.
  std::vector<uint8_t> bottom(b.begin() + 54, b.begin() + 66);
  EXPECT_EQ(bottom, (std::vector<uint8_t>{12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0}));
  std::vector<uint8_t> top(b.begin() + 66, b.end());
  EXPECT_EQ(top, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));
}

TEST(AssetFiles, IcoDirectoryPointsAtEachDibWithAlphaAndMask) {
  std::vector<IconImage> images;
  for (int n : {16, 256}) {
    IconImage im{n, std::vector<uint8_t>(size_t(n) * n * 4, 0)};
    // Top-left pixel opaque red, everything else fully transparent.
    im.rgba[0] = 255;
    im.rgba[3] = 255;
    images.push_back(im);
  }
  auto b = icoFile(images);
  EXPECT_EQ(le16(b, 0), 0u);
  EXPECT_EQ(le16(b, 2), 1u);  // icon
  ASSERT_EQ(le16(b, 4), 2u);
  size_t end = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    const size_t e = 6 + 16 * size_t(i);
    const uint32_t n = i == 0 ? 16 : 256;
    EXPECT_EQ(b[e], n == 256 ? 0 : n) << "width byte (0 means 256)";
    EXPECT_EQ(b[e + 1], n == 256 ? 0 : n);
    EXPECT_EQ(le16(b, e + 6), 32u);
    const uint32_t bytes = le32(b, e + 8), at = le32(b, e + 12);
    EXPECT_EQ(at, end) << "images follow one another";
    const uint32_t maskStride = ((n + 31) / 32) * 4;
    EXPECT_EQ(bytes, 40 + n * n * 4 + maskStride * n);
    EXPECT_EQ(le32(b, at + 4), n);
    EXPECT_EQ(le32(b, at + 8), 2 * n) << "DIB height covers colour and mask";
    EXPECT_EQ(le16(b, at + 14), 32u);
    // Rows are stored bottom-up: the top-left pixel is the first of the last row.
    const size_t topLeft = at + 40 + size_t(n - 1) * n * 4;
    EXPECT_EQ(b[topLeft + 2], 255) << "red";
    EXPECT_EQ(b[topLeft + 3], 255) << "alpha";
    EXPECT_EQ(b[at + 40 + 3], 0) << "bottom-left alpha";
    // AND mask: transparent pixels set, the opaque one clear.
    const size_t mask = at + 40 + size_t(n) * n * 4;
    EXPECT_EQ(b[mask], 0xFF);
    EXPECT_EQ(b[mask + size_t(n - 1) * maskStride], 0x7F);
    end = at + bytes;
  }
  EXPECT_EQ(b.size(), end);
}

TEST(AssetFiles, ResourceNamesAndScript) {
  EXPECT_EQ(resourceName("drive.0"), "DRIVE_0");
  EXPECT_EQ(resourceName("tree.mycomputer"), "TREE_MYCOMPUTER");
  EXPECT_EQ(resourceName("main.background"), "MAIN_BACKGROUND");
  std::string rc = rcScript({{"DRIVE_0", "BITMAP", "C:\\out\\drive.0.bmp"},
                             {"NORVANE", "ICON", "/b/assets/norvane.ico"}});
  EXPECT_NE(rc.find("DRIVE_0 BITMAP \"C:\\\\out\\\\drive.0.bmp\"\n"), std::string::npos) << rc;
  // The icon can be left to the program's own resources, which would otherwise
  // clash with it at link time.
  EXPECT_NE(
      rc.find("#ifndef NORVANE_ICON_ELSEWHERE\nNORVANE ICON \"/b/assets/norvane.ico\"\n#endif\n"),
      std::string::npos)
      << rc;
}

TEST(Rasterizer, CoverageOfShapes) {
  // A square on half-pixel edges: a quarter at the corners, half at the sides.
  Mask sq = rasterize(Path().rect(1.5, 1.5, 2, 2).flatten(), 5, 5, FillRule::NonZero);
  EXPECT_NEAR(sq.at(1, 1), 0.25, 0.01);
  EXPECT_NEAR(sq.at(2, 1), 0.5, 0.01);
  EXPECT_NEAR(sq.at(1, 2), 0.5, 0.04);  // vertical edge: sampled on 16 rows
  EXPECT_NEAR(sq.at(2, 2), 1.0, 0.01);
  EXPECT_EQ(sq.at(0, 0), 0.f);
  EXPECT_EQ(sq.at(4, 4), 0.f);
  EXPECT_NEAR(area(sq), 4.0, 0.01);

  // A circle's area, and shapes partly outside the canvas are clipped.
  Mask disc = rasterize(Path().circle(20, 20, 12).flatten(), 40, 40, FillRule::NonZero);
  EXPECT_NEAR(area(disc), std::numbers::pi * 144, 2.0);
  Mask clipped = rasterize(Path().rect(-10, -10, 15, 15).flatten(), 10, 10, FillRule::NonZero);
  EXPECT_NEAR(area(clipped), 25.0, 0.01);

  // Nested squares wound the same way: the non-zero rule fills the hole, even-odd keeps it.
  Path nested;
  nested.rect(0, 0, 10, 10).rect(3, 3, 4, 4);
  EXPECT_NEAR(area(rasterize(nested.flatten(), 10, 10, FillRule::NonZero)), 100.0, 0.01);
  EXPECT_NEAR(area(rasterize(nested.flatten(), 10, 10, FillRule::EvenOdd)), 84.0, 0.01);
}

TEST(Rasterizer, StrokesCoverTheirWidth) {
  // A round-capped line 20 long and 4 wide: a rectangle and two half discs.
  Path line;
  line.moveTo(10, 10).lineTo(30, 10);
  Mask round = rasterize(strokeRound(line.flatten(), 4), 40, 20, FillRule::NonZero);
  EXPECT_NEAR(area(round), 20 * 4 + std::numbers::pi * 4, 1.0);

  // A flat nib across a vertical line draws its full width; along a line
  // parallel to it, only its thin side.
  Nib nib{6, 1, 0, 0};  // horizontal nib
  Path down;
  down.moveTo(20, 5).lineTo(20, 25);
  Path across;
  across.moveTo(10, 15).lineTo(30, 15);
  double wide = area(rasterize(strokeNib(down.flatten(), nib), 40, 30, FillRule::NonZero));
  double thin = area(rasterize(strokeNib(across.flatten(), nib), 40, 30, FillRule::NonZero));
  EXPECT_NEAR(wide / 20, 6.0, 0.5);
  EXPECT_NEAR(thin / 26, 1.0, 0.3);  // 20 long plus the nib's own 6
}

TEST(Rasterizer, CanvasCompositesAndKeys) {
  Canvas c(4, 1);
  c.fill(Path().rect(0, 0, 2, 1), rgb(255, 0, 0));
  c.fill(Path().rect(1, 0, 2, 1), rgb(0, 0, 255, 0.5));
  auto keyed = c.rgb8(true, rgb(255, 0, 255), false);
  EXPECT_EQ(std::vector<uint8_t>(keyed.begin(), keyed.begin() + 3),
            (std::vector<uint8_t>{255, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(keyed.begin() + 3, keyed.begin() + 6),
            (std::vector<uint8_t>{128, 0, 128}))
      << "half blue over red";
  EXPECT_EQ(std::vector<uint8_t>(keyed.begin() + 6, keyed.begin() + 9),
            (std::vector<uint8_t>{0, 0, 255}))
      << "half transparent shows its own colour, not the key";
  EXPECT_EQ(std::vector<uint8_t>(keyed.begin() + 9, keyed.end()),
            (std::vector<uint8_t>{255, 0, 255}));
}

TEST(Lettering, CoversTheWordsOnTheBanner) {
  for (std::string_view text : {"Norvane", "keeps your drives clean"}) {
    for (char ch : text) EXPECT_TRUE(hasGlyph(ch)) << ch;
    double w = 0;
    Path p = lettering(text, 0.0, &w);
    EXPECT_GT(w, 0.25 * double(text.size()));
    // Every letter lies between the descender and the ascender, within the advance.
    for (const Polygon& c : p.flatten())
      for (Pt q : c) {
        EXPECT_GE(q.y, -0.8);
        EXPECT_LE(q.y, 0.3);
        EXPECT_GE(q.x, -0.05);
        EXPECT_LE(q.x, w + 0.05);
      }
  }
}

TEST(Catalogue, EveryPictureTheProgramLoads) {
  struct Want {
    int w, h;
    bool keyed, twice;
  };
  std::map<std::string, Want> want = {
      {"main.background", {878, 596, false, false}}, {"splash.banner", {348, 105, false, true}},
      {"main.bar", {384, 24, false, false}},         {"main.success", {24, 24, false, false}},
      {"main.failure", {24, 24, false, false}},      {"cleaner.skin", {470, 296, false, false}},
      {"cleaner.bar", {6, 30, false, false}},        {"about.banner", {586, 26, false, false}},
  };
  for (int i = 0; i <= 5; ++i) want["drive." + std::to_string(i)] = {16, 16, true, true};
  for (const char* k :
       {"mycomputer", "genericfile", "removabledrive", "mydocs", "cdrom", "closedfolder", "desktop",
        "openfolder", "unknowndrive", "floppydrive", "harddrive", "netdrive"})
    want[std::string("tree.") + k] = {16, 16, true, true};
  for (int i = 1; i <= 12; ++i) want["result." + std::to_string(i)] = {16, 16, true, true};
  for (const char* k : {"remove", "deleteall", "properties"})
    want[std::string("toolbar.") + k] = {24, 24, true, true};

  std::set<std::string> seen;
  for (const Picture& p : catalogue()) {
    EXPECT_TRUE(seen.insert(p.id).second) << "duplicate " << p.id;
    auto it = want.find(p.id);
    ASSERT_NE(it, want.end()) << "unexpected " << p.id;
    EXPECT_EQ(p.w, it->second.w) << p.id;
    EXPECT_EQ(p.h, it->second.h) << p.id;
    EXPECT_EQ(p.keyed, it->second.keyed) << p.id;
    EXPECT_EQ(p.twice, it->second.twice) << p.id;
  }
  EXPECT_EQ(seen.size(), want.size());
}

TEST(Catalogue, PicturesAreDrawnAtBothScales) {
  // Each picture has content (more than one colour), small icons keep some
  // transparent key around a body that is mostly drawn, and the large version
  // of an icon shows the same design (its colours match the small one when
  // shrunk).
  for (const Picture& p : catalogue()) {
    for (int scale : {1, 2}) {
      if (scale == 2 && !p.twice) continue;
      auto px = renderRgb(p, scale);
      ASSERT_EQ(px.size(), size_t(p.w) * p.h * 3 * scale * scale) << p.id;
      std::set<uint32_t> colours;
      size_t key = 0;
      for (size_t i = 0; i < px.size(); i += 3) {
        colours.insert(px[i] << 16 | px[i + 1] << 8 | px[i + 2]);
        key += px[i] == 255 && px[i + 1] == 0 && px[i + 2] == 255;
      }
      EXPECT_GT(colours.size(), 2u) << p.id << " at " << scale << "x";
      if (p.keyed) {
        size_t n = px.size() / 3;
        EXPECT_GT(key, 0u) << p.id;
        EXPECT_LT(key, n * 3 / 4) << p.id << " is mostly empty";
      } else {
        EXPECT_EQ(key, 0u) << p.id << " is opaque and never shows the key";
      }
    }
    if (p.twice) {
      auto one = renderRgb(p, 1), two = renderRgb(p, 2);
      double diff = 0;
      for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
          for (int k = 0; k < 3; ++k) {
            int sum = 0;
            for (int dy = 0; dy < 2; ++dy)
              for (int dx = 0; dx < 2; ++dx)
                sum += two[((2 * y + dy) * 2 * p.w + 2 * x + dx) * 3 + k];
            diff += std::abs(sum / 4.0 - one[(y * p.w + x) * 3 + k]);
          }
      EXPECT_LT(diff / (p.w * p.h * 3), 24.0) << p.id << ": the 2x version differs from the 1x";
    }
  }
}

TEST(Catalogue, ProgramIconSizesHaveAlpha) {
  auto icon = programIcon();
  std::vector<int> sizes;
  for (const IconImage& im : icon) {
    sizes.push_back(im.size);
    ASSERT_EQ(im.rgba.size(), size_t(im.size) * im.size * 4);
    int transparent = 0, opaque = 0, partial = 0;
    for (size_t i = 3; i < im.rgba.size(); i += 4) {
      transparent += im.rgba[i] == 0;
      opaque += im.rgba[i] == 255;
      partial += im.rgba[i] > 0 && im.rgba[i] < 255;
    }
    // The shield leaves the corners clear and is smoothed at its edge.
    EXPECT_GT(transparent, 0) << im.size;
    EXPECT_GT(opaque, im.size * im.size / 2) << im.size;
    EXPECT_GT(partial, 0) << im.size;
    EXPECT_EQ(im.rgba[3], 0) << "top-left corner of " << im.size;
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
}
