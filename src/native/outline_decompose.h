// FreeType outlines turned into the platform's Outline, mapped into layout pixels on the way.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/glyph_outlines.h"

namespace kav {

// Maps outline units to pixels: x' = x * scale + dx, y' = dy - y * scale (the font's y grows
// upward, the picture's downward).
struct OutlineMapping {
  double scale = 1;
  double dx = 0;
  double dy = 0;
};

// Throws a Failure when FreeType cannot walk the outline.
Outline DecomposeOutline(const FT_Outline& outline, const OutlineMapping& mapping);

}  // namespace kav
