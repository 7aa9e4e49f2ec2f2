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

// The math font's italic letter sets the advance; the text glyph's ink starts where its would.
// Returns that letter's glyph, 0 for none.
uint16_t SetAsMathItalic(const GlyphMetrics& metrics, const MathUnits& units, FontKey font,
                         SymbolCode code, LeafBox& box) {
  const MathTable& math = units.Table();
  const char32_t letter = MathItalicCodePoint(font.face, code);
  const uint16_t glyph = letter != 0 ? math.GlyphOf(letter) : 0;
  if (glyph == 0) return 0;
  const FontKey mathFont{FontFace::Math, font.size};
  const int32_t advance = metrics.ExtentById(mathFont, glyph).width;
  const GlyphInk mathInk = metrics.InkById(mathFont, glyph);
  const GlyphInk ink = metrics.Ink(font, GlyphUnit(code));
  box.offset = mathInk.Empty() || ink.Empty() ? (advance - box.width) / 2 : mathInk.left - ink.left;
  box.italic = std::max(0, units.Px(math.ItalicCorrection(glyph)));
  box.width = advance + box.italic;
  return glyph;
}

// TeX sets scripts in fonts designed for their size, about 15 % (7 point) and 40 % (5 point)
// wider for their em than the 10 point design; the one design here is scaled down, so its
// advances widen by as much, the glyph in the middle.
void SpreadForSize(int32_t size, LeafBox& box) {
  const int32_t percent = size == 28 ? 15 : size == 20 ? 40 : 0;
  const int32_t extra = (box.width - box.italic) * percent / 100;
  box.width += extra;
  box.offset += extra / 2;
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
  // A pixel more on either side: a glyph painted from its outline, or at a larger scale, may
  // shade a row past the ink measured at this size.
  ascent = std::max(0, baseline - ink.top + 1);
  depth = std::max(0, ink.bottom - baseline + 1);
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
  const uint16_t glyph =
      IsSlanted(font.face) ? SetAsMathItalic(metrics, units, font, code, box) : math.GlyphOf(code);
  if (HasOneAccent(drawn) && glyph != 0) {
    const std::optional<int32_t> attachment = math.TopAccentAttachment(glyph);
    if (attachment) box.accentCentre = units.Px(*attachment) - box.offset;
  }
  SpreadForSize(font.size, box);
  return box;
}

}  // namespace kav
