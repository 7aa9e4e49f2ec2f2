// Metrics from a fixed table, so layout numbers can be worked out by hand: every glyph is half
// as wide as its font size unless a width is set, and as tall as the size (the cell height). Ink
// is unknown (empty) unless set, so layout keeps its table positions. Glyphs by index follow the
// same rules with tables of their own; the baseline lies 3/4 of the size down and the em is 4/5
// of the size, about where the embedded faces have them.
#pragma once
#include <map>
#include <utility>
#include <vector>

#include "platform/glyph_metrics.h"

namespace kav {

class FixedMetrics final : public GlyphMetrics {
 public:
  GlyphExtent Extent(FontKey font, char16_t unit) const override {
    ++calls;
    asked.push_back({font, unit});
    auto found = widths.find({unit, font.size});
    return {found != widths.end() ? found->second : font.size / 2, font.size};
  }
  GlyphInk Ink(FontKey font, char16_t unit) const override {
    auto found = inks.find({unit, font.size});
    return found != inks.end() ? found->second : GlyphInk{};
  }
  int32_t Ascent(FontKey font) const override { return font.size * 3 / 4; }
  double PixelsPerEm(FontKey font) const override { return font.size * 0.8; }
  GlyphExtent ExtentById(FontKey font, uint16_t glyph) const override {
    ++byIdCalls;
    auto found = widthsById.find({glyph, font.size});
    return {found != widthsById.end() ? found->second : font.size / 2, font.size};
  }
  GlyphInk InkById(FontKey font, uint16_t glyph) const override {
    ++byIdCalls;
    auto found = inksById.find({glyph, font.size});
    return found != inksById.end() ? found->second : GlyphInk{};
  }
  void SetWidth(char16_t unit, int32_t size, int32_t width) { widths[{unit, size}] = width; }
  void SetInk(char16_t unit, int32_t size, GlyphInk ink) { inks[{unit, size}] = ink; }

  std::map<std::pair<char16_t, int32_t>, int32_t> widths;
  std::map<std::pair<char16_t, int32_t>, GlyphInk> inks;
  std::map<std::pair<uint16_t, int32_t>, int32_t> widthsById;
  std::map<std::pair<uint16_t, int32_t>, GlyphInk> inksById;
  mutable int calls = 0;
  mutable int byIdCalls = 0;
  mutable std::vector<std::pair<FontKey, char16_t>> asked;
};

}  // namespace kav
