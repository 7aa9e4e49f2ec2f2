#include "typeset/glyph_place.h"

#include <algorithm>

#include "typeset/font_choice.h"
#include "typeset/fortieths.h"

namespace kav {
namespace {

// Each accent's strokes span these fortieths from their reference point (end points included).
struct StrokeBounds {
  int32_t left, top, right, bottom;
};

StrokeBounds BoundsOf(StyleFlags accent) {
  switch (accent) {
    case StyleVector: return {3, 1, 17, 9};
    case StyleBar: return {3, 4, 17, 4};
    default: return {2, 1, 16, 8};  // hat
  }
}

bool IsSlanted(FontFace face) {
  return face == FontFace::Italic || face == FontFace::MathItalic;
}

}  // namespace

FontKey DrawnGlyphFont(SymbolCode code, int32_t size, StyleFlags style) {
  if ((style & StyleFaceMask) == 0 && IsUprightByDefault(code)) style |= StyleRoman;
  return SelectGlyphFont(code, size, style);
}

StyleFlags DrawnStyle(SymbolCode code, StyleFlags style) {
  const bool letterLike = (code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'Z') ||
                          (code >= u'a' && code <= u'z') || IsGreek(code);
  return letterLike ? style : style & StyleRed;
}

bool HasOneAccent(StyleFlags style) {
  const StyleFlags accents = style & StyleAccentMask;
  return accents == StyleVector || accents == StyleHat || accents == StyleBar ||
         accents == StyleTilde;
}

int32_t AccentGap(int32_t size) {
  return std::max(2, Fortieths(3, size));
}

std::optional<AccentPlace> PlaceAccent(StyleFlags style, int32_t size, FontFace face, GlyphInk base,
                                       GlyphInk tilde, std::optional<int32_t> centre) {
  const StyleFlags accent = style & StyleAccentMask;
  if (base.Empty() || (accent == StyleTilde && tilde.Empty())) return std::nullopt;
  // An italic glyph's top stands right of its ink's middle by about a quarter of half its height.
  const int32_t lean = IsSlanted(face) ? (base.bottom - base.top) / 8 : 0;
  const int32_t centre2 =  // twice the centre, kept exact
      centre ? 2 * *centre : base.left + base.right + 2 * lean;
  const int32_t bottom = base.top - AccentGap(size) - 1;      // the accent's lowest row
  if (accent == StyleTilde) {
    const int32_t y = bottom + 1 - tilde.bottom;
    return AccentPlace{(centre2 - tilde.left - tilde.right) / 2, y, y + tilde.top};
  }
  const StrokeBounds b = BoundsOf(accent);
  auto f = [size](int32_t k) { return Fortieths(k, size); };
  const int32_t y = bottom - f(b.bottom);
  return AccentPlace{(centre2 - f(b.left) - f(b.right)) / 2, y, y + f(b.top)};
}

}  // namespace kav
