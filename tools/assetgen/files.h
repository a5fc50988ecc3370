// File formats of the generated pictures: 24-bit BMP, a multi-size 32-bit
// icon, and the resource script that lists them for the Windows build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// A 24-bit bottom-up BMP file of `rgb` rows (top first, 3 bytes a pixel).
std::vector<uint8_t> bmpFile(int w, int h, const std::vector<uint8_t>& rgb);

struct IconImage {
  int size;                   // square, 1..256
  std::vector<uint8_t> rgba;  // straight RGBA rows, top first
};
// An ICO file whose images are 32-bit DIBs with alpha and an AND mask.
std::vector<uint8_t> icoFile(const std::vector<IconImage>& images);

// "drive.0" -> "DRIVE_0"
std::string resourceName(const std::string& id);

struct RcEntry {
  std::string name;  // resource name
  std::string type;  // BITMAP or ICON
  std::string path;  // absolute
};
std::string rcScript(const std::vector<RcEntry>& entries);

}  // namespace assetgen
