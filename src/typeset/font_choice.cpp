#include "typeset/font_choice.h"

#include "model/symbol_facts.h"
#include "typeset/font_coverage.h"

namespace kav {
namespace {

constexpr int32_t kBigOperatorSize = 57;

bool IsLowercaseGreek(SymbolCode code) { return code >= 0x3B1 && code <= 0x3C9; }

// Unicode's mathematical Greek blocks hold alpha to omega, partial, then these variant letters,
// at the same distances from their alpha in the bold and the italic block.
struct VariantRow {
  char16_t unit;
  char32_t fromAlpha;
};
constexpr VariantRow kGreekVariants[] = {
    {u'\u03F5', 0x1A},  // lunate epsilon
    {u'\u03D1', 0x1B},  // theta symbol
    {u'\u03F0', 0x1C},  // kappa symbol
    {u'\u03D5', 0x1D},  // phi symbol
    {u'\u03F1', 0x1E},  // rho symbol
    {u'\u03D6', 0x1F},  // pi symbol
};

// The CMU faces draw theta, kappa and rho as their variant letters in every style, so every
// face choice takes lowercase Greek from the math face: its italic letters, its upright ones,
// or its bold ones.
FontFace FaceByStyle(SymbolCode code, StyleFlags style) {
  const bool greek = IsLowercaseGreek(code);
  switch (style & StyleFaceMask) {
    case 0:
      return greek ? FontFace::MathItalic : FontFace::Italic;
    case StyleRoman:
      if (greek) return FontFace::Math;
      return UsesSymbolFont(code) ? FontFace::Symbol : FontFace::Roman;
    default:
      return greek ? FontFace::MathBold : FontFace::Bold;
  }
}

}  // namespace

int32_t FontSizeOf(int32_t size) {
  if (size == 40 || size == 28 || size == kBigOperatorSize) return size;
  return 20;
}

char16_t GlyphUnit(SymbolCode code) {
  if (code <= 0xFFFF) return static_cast<char16_t>(code);
  const SymbolFacts* facts = FactsOf(code);
  return facts ? facts->unicode : static_cast<char16_t>(code);
}

char32_t DrawnCodePoint(FontFace face, char16_t unit) {
  char32_t alpha = 0;
  if (face == FontFace::MathItalic) alpha = U'\U0001D6FC';
  if (face == FontFace::MathBold) alpha = U'\U0001D6C2';
  if (alpha == 0) return unit;
  if (IsLowercaseGreek(unit)) return alpha + (unit - u'\u03B1');
  for (const VariantRow& row : kGreekVariants) {
    if (row.unit == unit) return alpha + row.fromAlpha;
  }
  return unit;
}

FontKey SelectGlyphFont(SymbolCode code, int32_t size, StyleFlags style) {
  const int32_t fontSize = FontSizeOf(size);
  const FontFace face = fontSize == kBigOperatorSize ? FontFace::Roman : FaceByStyle(code, style);
  if (!FaceHasGlyph(face, GlyphUnit(code))) return FontKey{FontFace::Math, fontSize};
  return FontKey{face, fontSize};
}

}  // namespace kav
