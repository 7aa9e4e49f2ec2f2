#include "typeset/glyph_measure.h"

#include "typeset/font_choice.h"

namespace kav {

GlyphExtent IntegralExtent(int32_t size) {
  // The 28 x 68 image scaled by 0.9 and by 1, 0.7 or 0.5, truncated.
  if (size == 40) return {25, 61};
  if (size == 28) return {17, 42};
  return {12, 30};
}

GlyphExtent MeasureGlyph(const GlyphMetrics& metrics, SymbolCode code, StyleFlags style,
                         int32_t size) {
  if (code == code::Integral) return IntegralExtent(size);
  return metrics.Extent(SelectGlyphFont(code, size, style), GlyphUnit(code));
}

int32_t LetterHeight(const GlyphMetrics& metrics, int32_t size) {
  return MeasureGlyph(metrics, u'a', 0, size).height;
}

namespace {

uint64_t CacheKey(FontKey font, char16_t unit) {
  return (uint64_t{static_cast<uint8_t>(font.face)} << 48) |
         (uint64_t{static_cast<uint32_t>(font.size)} << 16) | unit;
}

}  // namespace

GlyphInk CachedGlyphMetrics::Ink(FontKey font, char16_t unit) const {
  const uint64_t key = CacheKey(font, unit);
  auto found = inkCache_.find(key);
  if (found != inkCache_.end()) return found->second;
  const GlyphInk ink = platform_.Ink(font, unit);
  inkCache_.emplace(key, ink);
  return ink;
}

GlyphExtent CachedGlyphMetrics::Extent(FontKey font, char16_t unit) const {
  const uint64_t key = CacheKey(font, unit);
  auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  const GlyphExtent extent = platform_.Extent(font, unit);
  cache_.emplace(key, extent);
  return extent;
}

}  // namespace kav
