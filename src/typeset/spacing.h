// Per-symbol spacing of drawn glyphs, in fortieths of the font size.
#pragma once
#include <cstdint>

#include "model/symbols.h"

namespace kav {

// Pixel spacing of one symbol at one size. tail widens only; lead widens and moves the glyph
// right; pad widens and moves the glyph right by half; shift moves without widening; drop moves
// the glyph down.
struct GlyphSpacing {
  int32_t tail = 0;
  int32_t lead = 0;
  int32_t pad = 0;
  int32_t shift = 0;
  int32_t drop = 0;
};

// Each entry truncated by itself at `size`; all zero for symbols without an entry.
GlyphSpacing SpacingOf(SymbolCode code, int32_t size);

}  // namespace kav
