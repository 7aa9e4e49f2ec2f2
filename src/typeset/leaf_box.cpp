#include "typeset/leaf_box.h"

#include <algorithm>
#include <optional>

#include "typeset/font_choice.h"
#include "typeset/glyph_place.h"

namespace kav {
namespace {

bool IsSlanted(FontFace face) { return face == FontFace::Italic || face == FontFace::MathItalic; }

// The accent of a letter reaches above its ink: the box grows to hold it.
int32_t AccentAscent(const GlyphMetrics& metrics, FontKey font, char16_t unit, StyleFlags style,
                     int32_t baseline) {
  const std::optional<AccentPlace> accent =
      PlaceAccent(style, font.size, font.face, metrics.Ink(font, unit), metrics.Ink(font, u'~'));
  return accent ? baseline - accent->top : 0;
}

LeafBox MeasureMinus(const GlyphMetrics& metrics, uint16_t glyph, int32_t size) {
  const FontKey font{FontFace::Math, FontSizeOf(size)};
  LeafBox box;
  box.glyph = glyph;
  box.width = metrics.ExtentById(font, glyph).width;
  box.baseline = metrics.Ascent(font);
  InkAroundBaseline(metrics.InkById(font, glyph), box.baseline, font.size, box.ascent, box.depth);
  return box;
}

}  // namespace

char32_t MathItalicCodePoint(FontFace face, SymbolCode code) {
  if (face == FontFace::MathItalic) return DrawnCodePoint(face, static_cast<char16_t>(code));
  if (face != FontFace::Italic) return 0;
  if (code == u'h') return U'\u210E';  // the italic h lives in the letterlike block
  if (code >= u'a' && code <= u'z') return U'\U0001D44E' + (code - u'a');
  if (code >= u'A' && code <= u'Z') return U'\U0001D434' + (code - u'A');
  return 0;
}

void InkAroundBaseline(GlyphInk ink, int32_t baseline, int32_t size, int32_t& ascent,
                       int32_t& depth) {
  if (ink.Empty()) {
    ascent = baseline;
    depth = size - baseline;
    return;
  }
  ascent = std::max(0, baseline - ink.top);
  depth = std::max(0, ink.bottom - baseline);
}

LeafBox MeasureLeaf(const GlyphMetrics& metrics, const MathUnits& units, SymbolCode code,
                    StyleFlags style, int32_t size) {
  const MathTable& math = units.Table();
  if (code == u'-') {
    if (const uint16_t minus = math.GlyphOf(U'\u2212'); minus != 0) {
      return MeasureMinus(metrics, minus, size);
    }
  }
  const FontKey font = DrawnGlyphFont(code, size, style);
  const char16_t unit = GlyphUnit(code);
  LeafBox box;
  box.width = metrics.Extent(font, unit).width;
  box.baseline = metrics.Ascent(font);
  InkAroundBaseline(metrics.Ink(font, unit), box.baseline, font.size, box.ascent, box.depth);
  const StyleFlags drawn = DrawnStyle(code, style);
  if (HasOneAccent(drawn)) {
    box.ascent = std::max(box.ascent, AccentAscent(metrics, font, unit, drawn, box.baseline));
  }
  if (IsSlanted(font.face)) {
    if (const char32_t italic = MathItalicCodePoint(font.face, code); italic != 0) {
      box.italic = std::max(0, units.Px(math.ItalicCorrection(math.GlyphOf(italic))));
      box.width += box.italic;
    }
  }
  return box;
}

}  // namespace kav
