// The font that draws a symbol, as a pure function of (code, size, style), so that measuring
// and drawing always agree.
#pragma once
#include <cstdint>

#include "model/symbols.h"
#include "platform/glyph_metrics.h"

namespace kav {

// The font size a node size stands for: 40, 28, 57 (the big sigma and pi), else 20.
int32_t FontSizeOf(int32_t size);

// The UTF-16 unit that draws `code`: "{" and "}" for the brace codes, otherwise the code.
char16_t GlyphUnit(SymbolCode code);

// The code point a platform draws for `unit` in `face`: in the math italic and math bold faces,
// lowercase Greek and its variant letters become Latin Modern Math's mathematical italic
// (alpha U+03B1 is U+1D6FC) or bold (U+1D6C2) letters; everything else is the unit itself.
char32_t DrawnCodePoint(FontFace face, char16_t unit);

// Size 57 is the roman face; no face bit is italic; rm alone is the symbol face for the rows
// marked for it and roman otherwise; rmbold (with or without rm) is bold. A CMU face without a
// glyph for the unit gives way to the math face at the same size. Lowercase Greek is always
// drawn from the math face (math italic, upright math, math bold by the same bits), since the
// CMU faces draw theta, kappa and rho as their variant letters.
FontKey SelectGlyphFont(SymbolCode code, int32_t size, StyleFlags style);

}  // namespace kav
