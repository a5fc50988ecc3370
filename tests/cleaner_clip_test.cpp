// The cleaner's clip Kit\Brisa.bmp, read back as an animation control reads
// it: an AVI with one uncompressed 8-bit video stream, its frames in 'movi'
// and an index that points at them.
#include <gtest/gtest.h>

#include <set>

#include "clipgen/clip.h"

namespace {

uint32_t u32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(s.at(at + i));
  return v;
}
uint16_t u16(const std::string& s, size_t at) { return uint16_t(u32(s, at) & 0xFFFF); }

struct Chunk {
  std::string id;  // for a LIST, "LIST:" and its type
  size_t data, size;
};

// The chunks directly inside [begin, end), as a RIFF reader walks them.
std::vector<Chunk> chunks(const std::string& f, size_t begin, size_t end) {
  std::vector<Chunk> out;
  for (size_t at = begin; at < end;) {
    std::string id = f.substr(at, 4);
    size_t size = u32(f, at + 4);
    EXPECT_LE(at + 8 + size, end) << id << " runs past its parent";
    if (id == "LIST")
      out.push_back({"LIST:" + f.substr(at + 8, 4), at + 12, size - 4});
    else
      out.push_back({id, at + 8, size});
    at += 8 + size + (size & 1);
  }
  return out;
}

const Chunk& find(const std::vector<Chunk>& in, const std::string& id) {
  for (const Chunk& c : in)
    if (c.id == id) return c;
  throw std::runtime_error("no " + id);
}

TEST(CleanerClip, IsAnUncompressed8BitAviThatAnAnimationControlPlays) {
  clipgen::Clip clip = clipgen::broomClip();
  std::string f = clipgen::aviFile(clip);
  ASSERT_EQ(f.substr(0, 4), "RIFF");
  ASSERT_EQ(f.substr(8, 4), "AVI ");
  ASSERT_EQ(u32(f, 4), f.size() - 8);
  auto top = chunks(f, 12, f.size());

  auto hdrl = find(top, "LIST:hdrl");
  auto inHdrl = chunks(f, hdrl.data, hdrl.data + hdrl.size);
  auto avih = find(inHdrl, "avih");
  EXPECT_EQ(u32(f, avih.data + 16), 20u);  // frames
  EXPECT_EQ(u32(f, avih.data + 24), 1u);   // streams
  const uint32_t w = u32(f, avih.data + 32), h = u32(f, avih.data + 36);
  EXPECT_EQ(w, 240u);
  EXPECT_EQ(h, 44u);

  auto strl = find(inHdrl, "LIST:strl");
  auto inStrl = chunks(f, strl.data, strl.data + strl.size);
  auto strh = find(inStrl, "strh");
  EXPECT_EQ(f.substr(strh.data, 8), "vidsDIB ");
  auto strf = find(inStrl, "strf");
  EXPECT_EQ(u16(f, strf.data + 14), 8);   // bits per pixel
  EXPECT_EQ(u32(f, strf.data + 16), 0u);  // BI_RGB
  ASSERT_EQ(strf.size, 40u + 256 * 4);
  auto colour = [&](int i) {
    size_t at = strf.data + 40 + size_t(i) * 4;
    return (uint32_t(uint8_t(f[at + 2])) << 16) | (uint32_t(uint8_t(f[at + 1])) << 8) |
           uint8_t(f[at]);
  };
  // Entry 0 is the panel colour, and only entry 0.
  EXPECT_EQ(colour(0), clipgen::kPanel);
  for (int i = 1; i < 256; ++i) EXPECT_NE(colour(i), clipgen::kPanel) << i;

  auto movi = find(top, "LIST:movi");
  auto frames = chunks(f, movi.data, movi.data + movi.size);
  ASSERT_EQ(frames.size(), 20u);
  const size_t stride = (w + 3) & ~3u;
  std::set<std::string> distinct;
  for (const Chunk& c : frames) {
    EXPECT_EQ(c.id, "00db");
    ASSERT_EQ(c.size, stride * h);
    // Rows are stored bottom first: the top-left pixel opens the last row.
    EXPECT_EQ(uint8_t(f[c.data + (h - 1) * stride]), 0);
    distinct.insert(f.substr(c.data, c.size));
  }
  EXPECT_EQ(distinct.size(), 20u);  // every frame moves on

  // The index names each frame chunk by its offset from the 'movi' type.
  auto idx1 = find(top, "idx1");
  ASSERT_EQ(idx1.size, 20u * 16);
  for (size_t i = 0; i < 20; ++i) {
    size_t entry = idx1.data + i * 16;
    EXPECT_EQ(f.substr(entry, 4), "00db");
    size_t chunkAt = movi.data - 4 + u32(f, entry + 8);
    EXPECT_EQ(chunkAt + 8, frames[i].data);
    EXPECT_EQ(u32(f, entry + 12), frames[i].size);
  }
}

}  // namespace
