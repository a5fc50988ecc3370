// The program's palette: walnut and parchment, teal panes, copper and orange
// accents. The pictures and the cleaner's clip draw with the same colours.
#pragma once

#include "assetgen/raster.h"

namespace assetgen::pal {

inline const Colour walnutDeep = rgb(40, 24, 13);
inline const Colour walnut = rgb(74, 44, 22);
inline const Colour brown = rgb(112, 62, 24);
inline const Colour copper = rgb(184, 112, 52);
inline const Colour amber = rgb(232, 160, 70);
inline const Colour orange = rgb(255, 128, 0);
inline const Colour sand = rgb(208, 191, 159);
inline const Colour parchment = rgb(242, 233, 212);
inline const Colour parchmentLight = rgb(238, 228, 204);
inline const Colour cream = rgb(252, 248, 238);
inline const Colour teal = rgb(54, 116, 98);
inline const Colour tealDeep = rgb(26, 70, 60);
inline const Colour tealLight = rgb(132, 196, 172);
inline const Colour slate = rgb(74, 111, 111);
inline const Colour ink = rgb(44, 30, 22);
inline const Colour red = rgb(200, 60, 40);
inline const Colour redDeep = rgb(140, 32, 22);
inline const Colour green = rgb(84, 176, 96);
inline const Colour greenDeep = rgb(34, 110, 56);
inline const Colour steel = rgb(196, 198, 194);
inline const Colour steelDark = rgb(120, 124, 122);
inline const Colour panel = rgb(200, 216, 216);  // behind the cleaner's clip

}  // namespace assetgen::pal
