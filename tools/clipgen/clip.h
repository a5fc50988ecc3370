// The cleaner window's clip, Kit\Brisa.bmp: a broom sweeping dust across a
// parchment card, 20 frames, drawn with the program's picture rasterizer and
// written as an uncompressed 8-bit AVI, the format the system's animation
// control plays without any codec (the file name is historical).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace clipgen {

// The panel colour around the card, RGB(200, 216, 216), the cleaner's progress
// panel. It is the colour of every frame's top-left pixel, which a
// transparent animation control replaces by its background, and no other
// palette entry has it.
constexpr uint32_t kPanel = 0xC8D8D8;  // 0xRRGGBB

struct Clip {
  int width = 0, height = 0;
  int microsPerFrame = 0;
  std::vector<uint32_t> palette;             // 256 entries, 0xRRGGBB
  std::vector<std::vector<uint8_t>> frames;  // palette indexes, rows top first
};

// Draws the clip: `frames` frames of width x height pixels.
Clip broomClip(int width = 240, int height = 44, int frames = 20);

// The clip as an AVI file: one video stream ('vids', 'DIB '), a 256-colour
// BITMAPINFO, one '00db' chunk per frame (rows bottom first, padded to four
// bytes) and an 'idx1' index.
std::string aviFile(const Clip& clip);

}  // namespace clipgen
