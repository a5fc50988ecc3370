// The catalogue of Norvane's pictures: each id with its size and drawing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "assetgen/files.h"
#include "assetgen/raster.h"

namespace assetgen {

// The transparent colour of the small icons (magenta).
inline const Colour kKeyColour = rgb(255, 0, 255);

struct Picture {
  std::string id;
  int w, h;
  bool keyed;   // small icon: transparent parts become kKeyColour
  bool twice;   // also made at twice the size, for screens of 144 DPI and more
  bool dither;  // large gradients: dither against banding
  std::function<void(Canvas&)> draw;  // in 1x units; the canvas transform scales
};

const std::vector<Picture>& catalogue();
const Picture* findPicture(const std::string& id);
Canvas render(const Picture& p, int scale);
std::vector<uint8_t> renderRgb(const Picture& p, int scale);

// The program icon at 16, 24, 32, 48 and 256 pixels.
std::vector<IconImage> programIcon();

}  // namespace assetgen
