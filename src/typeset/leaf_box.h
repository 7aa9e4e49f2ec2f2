// The box of one drawn symbol as TeX uses it: its advance, and its ink above and below the
// baseline. An italic letter takes the advance and italic correction of the matching letter of
// the math font, whose italic is wider set than the text face's (the faces share their design),
// and its glyph stands where the math font's would; the minus is the math font's own sign.
#pragma once
#include <cstdint>
#include <optional>

#include "model/symbols.h"
#include "platform/glyph_metrics.h"
#include "typeset/math_units.h"

namespace kav {

struct LeafBox {
  int32_t width = 0;     // advance, with the italic correction of an italic letter
  int32_t ascent = 0;    // ink (or an accent over it) above the baseline
  int32_t depth = 0;     // ink below the baseline
  int32_t baseline = 0;  // the baseline's distance below the top of the glyph's cell
  int32_t offset = 0;    // the glyph's cell from the box's left edge
  int32_t italic = 0;    // the italic correction included in the width
  int32_t glyph = -1;    // the math font's glyph index when the symbol is drawn by index
  std::optional<int32_t> accentCentre;  // from the cell's left edge: the font's attachment
};

// The code point of the math font's italic letter for a letter drawn slanted; 0 for others.
char32_t MathItalicCodePoint(FontFace face, SymbolCode code);

// Ascent and depth of ink drawn with its baseline `baseline` below the cell top, with a pixel
// to spare on either side; the cell itself (size tall) when the ink is unknown.
void InkAroundBaseline(GlyphInk ink, int32_t baseline, int32_t size, int32_t& ascent,
                       int32_t& depth);

LeafBox MeasureLeaf(const GlyphMetrics& metrics, const MathUnits& units, SymbolCode code,
                    StyleFlags style, int32_t size);

}  // namespace kav
