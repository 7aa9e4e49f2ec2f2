// How a leaf symbol is drawn: its font, the style painting honours, and where an accent stands
// over it.
#pragma once
#include <cstdint>
#include <optional>

#include "model/symbols.h"
#include "platform/glyph_metrics.h"

namespace kav {

// The font that draws a leaf: SelectGlyphFont after the upright rule of painting (digits,
// punctuation and operators without a face bit are roman).
FontKey DrawnGlyphFont(SymbolCode code, int32_t size, StyleFlags style);

// The style painting honours on a leaf's box: accents and faces on letters, digits and Greek
// only; other symbols keep just red.
StyleFlags DrawnStyle(SymbolCode code, StyleFlags style);

// True when the style asks for exactly one accent, the only case in which one is drawn.
bool HasOneAccent(StyleFlags style);

// An accent placed over its base glyph, relative to the glyph's cell corner: strokes are drawn
// from the reference (x, y) in fortieths of the size as ever, the tilde glyph with its cell
// corner at (x, y). `top` is the accent's highest row.
struct AccentPlace {
  int32_t x = 0;
  int32_t y = 0;
  int32_t top = 0;
};

// The gap between an accent's lowest row and its base glyph's highest row.
int32_t AccentGap(int32_t size);

// The accent of `style` (exactly one accent bit) a gap above the base glyph's ink, centred at
// `centre` from the cell's left edge where the font gives the glyph an accent attachment, else
// on the ink, leaning with an italic face. No place when either ink is unknown.
std::optional<AccentPlace> PlaceAccent(StyleFlags style, int32_t size, FontFace face, GlyphInk base,
                                       GlyphInk tilde, std::optional<int32_t> centre = {});

}  // namespace kav
