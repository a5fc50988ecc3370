// assetgen OUTDIR: draws every picture of Norvane into OUTDIR as BMP files,
// the program icon norvane.ico, and assets.rc that lists them all.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen/files.h"
#include "assetgen/pictures.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

bool write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

bool write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  return write(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  std::error_code ec;
  fs::path dir = fs::absolute(argv[1]);
  fs::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "assetgen: cannot create %s: %s\n", dir.string().c_str(),
                 ec.message().c_str());
    return 1;
  }

  std::vector<RcEntry> rc;
  bool ok = true;
  for (const Picture& p : catalogue()) {
    for (int scale : {1, 2}) {
      if (scale == 2 && !p.twice) continue;
      std::string file = p.id + (scale == 2 ? "_2x" : "") + ".bmp";
      ok &= write(dir / file, bmpFile(p.w * scale, p.h * scale, renderRgb(p, scale)));
      rc.push_back(
          {resourceName(p.id) + (scale == 2 ? "_2X" : ""), "BITMAP", (dir / file).string()});
    }
  }
  ok &= write(dir / "norvane.ico", icoFile(programIcon()));
  rc.push_back({"NORVANE", "ICON", (dir / "norvane.ico").string()});
  ok &= write(dir / "assets.rc", rcScript(rc));
  if (!ok) {
    std::fprintf(stderr, "assetgen: cannot write into %s\n", dir.string().c_str());
    return 1;
  }
  std::printf("assetgen: %zu pictures and norvane.ico in %s\n", rc.size() - 1,
              dir.string().c_str());
  return 0;
}
