#include "typeset/glyph_measure.h"

#include "typeset/font_choice.h"

namespace kav {

GlyphExtent MeasureGlyph(const GlyphMetrics& metrics, SymbolCode code, StyleFlags style,
                         int32_t size) {
  return metrics.Extent(SelectGlyphFont(code, size, style), GlyphUnit(code));
}

int32_t LetterHeight(const GlyphMetrics& metrics, int32_t size) {
  return MeasureGlyph(metrics, u'a', 0, size).height;
}

int32_t LetterAscent(const GlyphMetrics& metrics, int32_t size) {
  return metrics.Ascent(SelectGlyphFont(u'a', size, 0));
}

namespace {

// A unit and a glyph index are both 16 bits; each kind has maps of its own.
uint64_t CacheKey(FontKey font, uint16_t unitOrGlyph) {
  return (uint64_t{static_cast<uint8_t>(font.face)} << 48) |
         (uint64_t{static_cast<uint32_t>(font.size)} << 16) | unitOrGlyph;
}

// The value kept under `key`, measured by `measure` the first time it is asked for.
template <typename Value, typename Measure>
Value Remembered(std::unordered_map<uint64_t, Value>& cache, uint64_t key, Measure measure) {
  if (const auto found = cache.find(key); found != cache.end()) return found->second;
  return cache.emplace(key, measure()).first->second;
}

}  // namespace

GlyphInk CachedGlyphMetrics::Ink(FontKey font, char16_t unit) const {
  return Remembered(inkCache_, CacheKey(font, unit), [&] { return platform_.Ink(font, unit); });
}

GlyphExtent CachedGlyphMetrics::Extent(FontKey font, char16_t unit) const {
  return Remembered(cache_, CacheKey(font, unit), [&] { return platform_.Extent(font, unit); });
}

GlyphExtent CachedGlyphMetrics::ExtentById(FontKey font, uint16_t glyph) const {
  return Remembered(extentByIdCache_, CacheKey(font, glyph),
                    [&] { return platform_.ExtentById(font, glyph); });
}

GlyphInk CachedGlyphMetrics::InkById(FontKey font, uint16_t glyph) const {
  return Remembered(inkByIdCache_, CacheKey(font, glyph),
                    [&] { return platform_.InkById(font, glyph); });
}

}  // namespace kav
