// Metrics from a fixed table, so layout numbers can be worked out by hand: every glyph is half
// as wide as its font size unless a width is set, and as tall as the size (the cell height).
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
  void SetWidth(char16_t unit, int32_t size, int32_t width) { widths[{unit, size}] = width; }

  std::map<std::pair<char16_t, int32_t>, int32_t> widths;
  mutable int calls = 0;
  mutable std::vector<std::pair<FontKey, char16_t>> asked;
};

}  // namespace kav
