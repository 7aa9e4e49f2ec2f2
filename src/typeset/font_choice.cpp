#include "typeset/font_choice.h"

#include "typeset/font_coverage.h"

namespace kav {
namespace {

constexpr int32_t kBigOperatorSize = 57;

bool IsLowercaseGreek(char16_t unit) { return unit >= u'\u03B1' && unit <= u'\u03C9'; }

// The variant letters that Unicode's mathematical italic block holds after omega and partial.
struct VariantRow {
  char16_t unit;
  char32_t mathItalic;
};
constexpr VariantRow kGreekVariants[] = {
    {u'\u03F5', U'\U0001D716'},  // lunate epsilon
    {u'\u03D1', U'\U0001D717'},  // theta symbol
    {u'\u03F0', U'\U0001D718'},  // kappa symbol
    {u'\u03D5', U'\U0001D719'},  // phi symbol
    {u'\u03F1', U'\U0001D71A'},  // rho symbol
    {u'\u03D6', U'\U0001D71B'},  // pi symbol
};

FontFace FaceByStyle(SymbolCode code, StyleFlags style) {
  switch (style & StyleFaceMask) {
    case 0:
      return code >= 0x3B1 && code <= 0x3C9 ? FontFace::MathItalic : FontFace::Italic;
    case StyleRoman:
      return UsesSymbolFont(code) ? FontFace::Symbol : FontFace::Roman;
    default:
      return FontFace::Bold;
  }
}

}  // namespace

int32_t FontSizeOf(int32_t size) {
  if (size == 40 || size == 28 || size == kBigOperatorSize) return size;
  return 20;
}

char16_t GlyphUnit(SymbolCode code) {
  if (code == code::LBrace) return u'{';
  if (code == code::RBrace) return u'}';
  return static_cast<char16_t>(code);
}

char32_t DrawnCodePoint(FontFace face, char16_t unit) {
  if (face != FontFace::MathItalic) return unit;
  if (IsLowercaseGreek(unit)) return U'\U0001D6FC' + (unit - u'\u03B1');
  for (const VariantRow& row : kGreekVariants) {
    if (row.unit == unit) return row.mathItalic;
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
