// clipgen OUTFILE [FRAMEDIR]: draws the cleaner's clip and writes it as an
// AVI to OUTFILE (Brisa.bmp); with FRAMEDIR, also every frame as a BMP file
// for looking at the pictures.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen/files.h"
#include "clipgen/clip.h"

namespace fs = std::filesystem;

namespace {

bool write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUTFILE [FRAMEDIR]\n", argv[0]);
    return 2;
  }
  clipgen::Clip clip = clipgen::broomClip();
  fs::path out = fs::absolute(argv[1]);
  std::error_code ec;
  fs::create_directories(out.parent_path(), ec);
  if (!write(out, clipgen::aviFile(clip))) {
    std::fprintf(stderr, "clipgen: cannot write %s\n", out.string().c_str());
    return 1;
  }
  if (argc == 3) {
    fs::path dir = fs::absolute(argv[2]);
    fs::create_directories(dir, ec);
    for (size_t f = 0; f < clip.frames.size(); ++f) {
      std::vector<uint8_t> rgb;
      for (uint8_t i : clip.frames[f]) {
        uint32_t c = clip.palette[i];
        rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
      }
      std::vector<uint8_t> bmp = assetgen::bmpFile(clip.width, clip.height, rgb);
      char name[32];
      std::snprintf(name, sizeof name, "frame%02zu.bmp", f);
      write(dir / name, std::string(bmp.begin(), bmp.end()));
    }
  }
  std::printf("clipgen: %zu frames of %dx%d in %s\n", clip.frames.size(), clip.width, clip.height,
              out.string().c_str());
  return 0;
}
