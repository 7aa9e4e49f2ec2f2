// Metrics from a fixed table, so layout numbers can be worked out by hand: every glyph is half
// as wide as its font size unless a width is set, and as tall as the size (the cell height). Ink
// is unknown (empty) unless set, so layout keeps its table positions.
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
  void SetWidth(char16_t unit, int32_t size, int32_t width) { widths[{unit, size}] = width; }
  void SetInk(char16_t unit, int32_t size, GlyphInk ink) { inks[{unit, size}] = ink; }

  std::map<std::pair<char16_t, int32_t>, int32_t> widths;
  std::map<std::pair<char16_t, int32_t>, GlyphInk> inks;
  mutable int calls = 0;
  mutable std::vector<std::pair<FontKey, char16_t>> asked;
};

}  // namespace kav
