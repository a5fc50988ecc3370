#include "assetgen/files.h"

#include <cctype>

namespace assetgen {

namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

// BITMAPINFOHEADER; `dibHeight` is twice the image height inside an icon.
void infoHeader(std::vector<uint8_t>& b, int w, int dibHeight, int bits, uint32_t imageBytes) {
  put32(b, 40);
  put32(b, uint32_t(w));
  put32(b, uint32_t(dibHeight));
  put16(b, 1);
  put16(b, uint32_t(bits));
  put32(b, 0);  // BI_RGB
  put32(b, imageBytes);
  put32(b, 3780);  // 96 DPI in pixels per metre
  put32(b, 3780);
  put32(b, 0);
  put32(b, 0);
}

}  // namespace

std::vector<uint8_t> bmpFile(int w, int h, const std::vector<uint8_t>& rgb) {
  const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
  const uint32_t imageBytes = stride * uint32_t(h);
  std::vector<uint8_t> b;
  b.reserve(54 + imageBytes);
  b.push_back('B');
  b.push_back('M');
  put32(b, 54 + imageBytes);
  put32(b, 0);
  put32(b, 54);
  infoHeader(b, w, h, 24, imageBytes);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = &rgb[size_t(y) * w * 3];
    for (int x = 0; x < w; ++x) {
      b.push_back(row[x * 3 + 2]);
      b.push_back(row[x * 3 + 1]);
      b.push_back(row[x * 3 + 0]);
    }
    for (uint32_t pad = uint32_t(w) * 3; pad < stride; ++pad) b.push_back(0);
  }
  return b;
}

std::vector<uint8_t> icoFile(const std::vector<IconImage>& images) {
  std::vector<std::vector<uint8_t>> dibs;
  for (const IconImage& im : images) {
    const int n = im.size;
    const uint32_t maskStride = ((uint32_t(n) + 31) / 32) * 4;
    std::vector<uint8_t> d;
    infoHeader(d, n, 2 * n, 32, uint32_t(n) * n * 4 + maskStride * n);
    for (int y = n - 1; y >= 0; --y)
      for (int x = 0; x < n; ++x) {
        const uint8_t* p = &im.rgba[(size_t(y) * n + x) * 4];
        d.push_back(p[2]);
        d.push_back(p[1]);
        d.push_back(p[0]);
        d.push_back(p[3]);
      }
    // AND mask: set where the pixel is fully transparent, for systems that ignore alpha.
    for (int y = n - 1; y >= 0; --y) {
      std::vector<uint8_t> row(maskStride, 0);
      for (int x = 0; x < n; ++x)
        if (im.rgba[(size_t(y) * n + x) * 4 + 3] == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
      d.insert(d.end(), row.begin(), row.end());
    }
    dibs.push_back(std::move(d));
  }
  std::vector<uint8_t> b;
  put16(b, 0);
  put16(b, 1);  // icon
  put16(b, uint32_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].size;
    b.push_back(uint8_t(n >= 256 ? 0 : n));
    b.push_back(uint8_t(n >= 256 ? 0 : n));
    b.push_back(0);  // no palette
    b.push_back(0);
    put16(b, 1);   // planes
    put16(b, 32);  // bits per pixel
    put32(b, uint32_t(dibs[i].size()));
    put32(b, offset);
    offset += uint32_t(dibs[i].size());
  }
  for (const auto& d : dibs) b.insert(b.end(), d.begin(), d.end());
  return b;
}

std::string resourceName(const std::string& id) {
  std::string out;
  for (char c : id) out += c == '.' ? '_' : char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string rcScript(const std::vector<RcEntry>& entries) {
  std::string s =
      "// Norvane's pictures, drawn by assetgen. Generated file: do not edit.\n"
      "// Small icons use RGB(255,0,255) as their transparent colour; names ending\n"
      "// in _2X are the same pictures at twice the size, for high-DPI screens.\n";
  for (const RcEntry& e : entries) {
    std::string path;
    for (char c : e.path) path += c == '\\' ? std::string("\\\\") : std::string(1, c);
    std::string line = e.name + " " + e.type + " \"" + path + "\"\n";
    // The program's own resources may carry the icon; then the build defines
    // NORVANE_ICON_ELSEWHERE and the icon is left out here.
    if (e.type == "ICON") line = "#ifndef NORVANE_ICON_ELSEWHERE\n" + line + "#endif\n";
    s += line;
  }
  return s;
}

}  // namespace assetgen
