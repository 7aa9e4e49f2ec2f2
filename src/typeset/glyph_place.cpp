#include "typeset/glyph_place.h"

#include <algorithm>

#include "typeset/font_choice.h"
#include "typeset/fortieths.h"
#include "typeset/glyph_measure.h"
#include "typeset/spacing.h"

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

// The math face stands in for symbols the CMU faces lack; Greek drawn from it is a letter.
bool IsFallback(SymbolCode code, FontFace face) {
  return (face == FontFace::Math || face == FontFace::Symbol) && !IsGreek(code);
}

bool IsSlanted(FontFace face) {
  return face == FontFace::Italic || face == FontFace::MathItalic;
}

// The ink with the table's air on each side, never less than 3/40 of the size: the table's
// negative tails were tuned to pull other faces' wide boxes in and must not cut into this face's
// ink, and an italic neighbour's ink may lean a pixel or two past its own box.
GlyphPlace PlaceByInk(const GlyphSpacing& s, int32_t advance, int32_t height, GlyphInk ink,
                      int32_t size) {
  const int32_t least = std::max(1, Fortieths(3, size));
  const int32_t left = std::max(least, ink.left + s.lead + s.pad / 2 + s.shift);
  const int32_t right =
      std::max(least, advance - ink.right + s.tail + (s.pad - s.pad / 2) - s.shift);
  int32_t top = s.drop;
  top = std::min(top, height - ink.bottom);
  top = std::max(top, -ink.top);
  return GlyphPlace{left + (ink.right - ink.left) + right, height, left - ink.left, top};
}

// Grows the box upward when the accent reaches above the glyph's cell.
void MakeAccentRoom(const GlyphMetrics& metrics, FontKey font, char16_t unit, StyleFlags style,
                    GlyphPlace& place) {
  const std::optional<AccentPlace> accent =
      PlaceAccent(style, font.size, font.face, metrics.Ink(font, unit), metrics.Ink(font, u'~'));
  if (!accent || accent->top + place.offsetY >= 0) return;
  const int32_t room = -(accent->top + place.offsetY);
  place.height += room;
  place.offsetY += room;
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

GlyphPlace PlaceGlyph(const GlyphMetrics& metrics, SymbolCode code, StyleFlags style,
                      int32_t size) {
  const GlyphExtent glyph = MeasureGlyph(metrics, code, style, size);
  const GlyphSpacing s = SpacingOf(code, size);
  GlyphPlace place{glyph.width + s.tail + s.lead + s.pad, glyph.height,
                   s.pad / 2 + s.shift + s.lead, s.drop};
  const FontKey drawn = DrawnGlyphFont(code, size, style);
  const char16_t unit = GlyphUnit(code);
  if (IsFallback(code, drawn.face)) {
    const GlyphInk ink = metrics.Ink(drawn, unit);
    if (!ink.Empty()) {
      place = PlaceByInk(s, metrics.Extent(drawn, unit).width, glyph.height, ink, size);
    }
  }
  const StyleFlags drawnStyle = DrawnStyle(code, style);
  if (HasOneAccent(drawnStyle)) MakeAccentRoom(metrics, drawn, unit, drawnStyle, place);
  return place;
}

int32_t AccentGap(int32_t size) {
  return std::max(2, Fortieths(3, size));
}

std::optional<AccentPlace> PlaceAccent(StyleFlags style, int32_t size, FontFace face, GlyphInk base,
                                       GlyphInk tilde) {
  const StyleFlags accent = style & StyleAccentMask;
  if (base.Empty() || (accent == StyleTilde && tilde.Empty())) return std::nullopt;
  // An italic glyph's top stands right of its ink's middle by about a quarter of half its height.
  const int32_t lean = IsSlanted(face) ? (base.bottom - base.top) / 8 : 0;
  const int32_t centre2 = base.left + base.right + 2 * lean;  // twice the centre, kept exact
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
