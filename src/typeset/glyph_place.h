// Where a drawn symbol stands in its box. CMU glyphs follow the spacing table; glyphs of the
// fallback face are placed by their ink, so that ink stays inside the box with the table's air
// around it; a letter with an accent gets room above for the accent's ink.
#pragma once
#include <cstdint>
#include <optional>

#include "model/symbols.h"
#include "platform/glyph_metrics.h"

namespace kav {

struct GlyphPlace {
  int32_t width = 0;    // the node's width
  int32_t height = 0;   // the node's height: the cell, plus the room an accent needs above it
  int32_t offsetX = 0;  // the glyph cell's left edge from the node's left edge
  int32_t offsetY = 0;  // the glyph cell's top edge from the node's top edge
};

// The font that draws a leaf: SelectGlyphFont after the upright rule of painting (digits,
// punctuation and operators without a face bit are roman).
FontKey DrawnGlyphFont(SymbolCode code, int32_t size, StyleFlags style);

// The style painting honours on a leaf's box: accents and faces on letters, digits and Greek
// only; other symbols keep just red.
StyleFlags DrawnStyle(SymbolCode code, StyleFlags style);

// True when the style asks for exactly one accent, the only case in which one is drawn.
bool HasOneAccent(StyleFlags style);

// The box of a leaf symbol other than the minus rule, measured through `metrics`.
GlyphPlace PlaceGlyph(const GlyphMetrics& metrics, SymbolCode code, StyleFlags style, int32_t size);

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

// The accent of `style` (exactly one accent bit) centred on the base glyph's ink, leaning with
// an italic face, and the gap above the ink's top. No place when either ink is unknown.
std::optional<AccentPlace> PlaceAccent(StyleFlags style, int32_t size, FontFace face, GlyphInk base,
                                       GlyphInk tilde);

}  // namespace kav
