// Norvane's own lettering: a small italic hand whose letters are pen paths
// (centre lines), turned into outlines by a broad or round nib when drawn.
// Units are ems with the baseline at y = 0, y growing downwards; the x-height
// is 0.5 em, capitals and ascenders reach 0.74 em.
#pragma once

#include <string_view>

#include "assetgen/raster.h"

namespace assetgen {

bool hasGlyph(char c);

// The pen paths of `text`, laid out from x = 0 with `tracking` ems between
// letters; `width` receives the advance of the whole line in ems. Letters
// that the hand lacks are laid out as blanks.
Path lettering(std::string_view text, double tracking = 0.0, double* width = nullptr);

}  // namespace assetgen
