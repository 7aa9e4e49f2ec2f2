// The two measuring questions layout asks: the extent of one symbol, and the letter height
// that scales every vertical proportion. Answered over any GlyphMetrics.
#pragma once
#include <cstdint>
#include <unordered_map>

#include "model/symbols.h"
#include "platform/glyph_metrics.h"

namespace kav {

// The extent of one symbol in the font SelectGlyphFont chooses, with the style as given (the
// upright rule is painting's business).
GlyphExtent MeasureGlyph(const GlyphMetrics& metrics, SymbolCode code, StyleFlags style,
                         int32_t size);

// The height of "a" with no style: the font's cell height.
int32_t LetterHeight(const GlyphMetrics& metrics, int32_t size);
// Where the baseline of "a" with no style stands below the top of its cell.
int32_t LetterAscent(const GlyphMetrics& metrics, int32_t size);

// Remembers every extent and ink it has asked for, per (font, unit) and per (font, glyph index).
// Fonts never change while the program runs, so the answers are exactly those of the wrapped
// metrics; ascent, em and the MATH table are the platform's own, passed through.
class CachedGlyphMetrics final : public GlyphMetrics {
 public:
  explicit CachedGlyphMetrics(const GlyphMetrics& platform) : platform_(platform) {}
  GlyphExtent Extent(FontKey font, char16_t unit) const override;
  GlyphInk Ink(FontKey font, char16_t unit) const override;
  int32_t Ascent(FontKey font) const override { return platform_.Ascent(font); }
  double PixelsPerEm(FontKey font) const override { return platform_.PixelsPerEm(font); }
  // The platform's table: it is read once per font already.
  const MathTable* Math() const override { return platform_.Math(); }
  GlyphExtent ExtentById(FontKey font, uint16_t glyph) const override;
  GlyphInk InkById(FontKey font, uint16_t glyph) const override;

 private:
  const GlyphMetrics& platform_;
  mutable std::unordered_map<uint64_t, GlyphExtent> cache_;
  mutable std::unordered_map<uint64_t, GlyphInk> inkCache_;
  mutable std::unordered_map<uint64_t, GlyphExtent> extentByIdCache_;
  mutable std::unordered_map<uint64_t, GlyphInk> inkByIdCache_;
};

}  // namespace kav
