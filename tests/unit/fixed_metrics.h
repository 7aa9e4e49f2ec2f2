// Metrics from a fixed table, so layout numbers can be worked out by hand: every glyph is half
// as wide as its font size unless a width is set, and as tall as the size (the cell height). Ink
// is unknown (empty) unless set, so layout keeps its table positions. Glyphs by index follow the
// same rules with tables of their own; the baseline lies 3/4 of the size down and the em is 4/5
// of the size, about where the embedded faces have them.
// The math table holds round constants (FixedMathConstants) over 800 units per em, so that a
// unit is a thousandth of the size in pixels, and no glyphs: signs are glyph 0.
#pragma once
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "platform/glyph_metrics.h"

namespace kav {

// With the em at 4/5 of the size and 800 units to the em, a unit at size 40 is 0.04 pixel.
inline std::array<int32_t, kMathConstantCount> FixedMathConstants() {
  std::array<int32_t, kMathConstantCount> c{};
  auto set = [&c](MathConstant k, int32_t v) { c[static_cast<size_t>(k)] = v; };
  set(MathConstant::AxisHeight, 250);
  set(MathConstant::SubscriptShiftDown, 250);
  set(MathConstant::SubscriptTopMax, 400);
  set(MathConstant::SubscriptBaselineDropMin, 200);
  set(MathConstant::SuperscriptShiftUp, 350);
  set(MathConstant::SuperscriptShiftUpCramped, 300);
  set(MathConstant::SuperscriptBottomMin, 100);
  set(MathConstant::SuperscriptBaselineDropMax, 250);
  set(MathConstant::SubSuperscriptGapMin, 150);
  set(MathConstant::SuperscriptBottomMaxWithSubscript, 400);
  set(MathConstant::SpaceAfterScript, 50);
  set(MathConstant::UpperLimitGapMin, 200);
  set(MathConstant::UpperLimitBaselineRiseMin, 100);
  set(MathConstant::LowerLimitGapMin, 150);
  set(MathConstant::LowerLimitBaselineDropMin, 600);
  set(MathConstant::FractionNumeratorShiftUp, 400);
  set(MathConstant::FractionNumeratorDisplayStyleShiftUp, 700);
  set(MathConstant::FractionDenominatorShiftDown, 350);
  set(MathConstant::FractionDenominatorDisplayStyleShiftDown, 700);
  set(MathConstant::FractionNumeratorGapMin, 50);
  set(MathConstant::FractionNumDisplayStyleGapMin, 150);
  set(MathConstant::FractionRuleThickness, 50);
  set(MathConstant::FractionDenominatorGapMin, 50);
  set(MathConstant::FractionDenomDisplayStyleGapMin, 150);
  set(MathConstant::RadicalVerticalGap, 50);
  set(MathConstant::RadicalDisplayStyleVerticalGap, 150);
  set(MathConstant::RadicalRuleThickness, 50);
  set(MathConstant::RadicalExtraAscender, 50);
  set(MathConstant::DisplayOperatorMinHeight, 1300);
  return c;
}

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
  const MathTable* Math() const override { return &math; }
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
  MathTable math = MathTable::FromConstants(FixedMathConstants(), 800);
  std::map<std::pair<uint16_t, int32_t>, int32_t> widthsById;
  std::map<std::pair<uint16_t, int32_t>, GlyphInk> inksById;
  mutable int calls = 0;
  mutable int byIdCalls = 0;
  mutable std::vector<std::pair<FontKey, char16_t>> asked;
};

}  // namespace kav
