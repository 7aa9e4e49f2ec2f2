#include "typeset/font_choice.h"

#include "typeset/font_coverage.h"

namespace kav {
namespace {

constexpr int32_t kBigOperatorSize = 57;

FontFace FaceByStyle(SymbolCode code, StyleFlags style) {
  switch (style & StyleFaceMask) {
    case 0:
      return FontFace::Italic;
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

FontKey SelectGlyphFont(SymbolCode code, int32_t size, StyleFlags style) {
  const int32_t fontSize = FontSizeOf(size);
  const FontFace face = fontSize == kBigOperatorSize ? FontFace::Roman : FaceByStyle(code, style);
  if (!FaceHasGlyph(face, GlyphUnit(code))) return FontKey{FontFace::Math, fontSize};
  return FontKey{face, fontSize};
}

}  // namespace kav
