// A square root: the font's radical sign in the first size that covers the radicand with its
// gap and rule (the largest when none does), the rule over the radicand level with the sign's
// top.
#include <algorithm>

#include "typeset/font_choice.h"
#include "typeset/layout_passes.h"

namespace kav {
namespace {

uint16_t CoveringVariant(const MathUnits& u, uint16_t glyph, int32_t height) {
  const std::span<const MathGlyphVariant> variants = u.Table().Variants(glyph, true);
  for (const MathGlyphVariant& variant : variants) {
    if (u.Px(variant.advance) >= height) return variant.glyph;
  }
  return variants.empty() ? glyph : variants.back().glyph;
}

}  // namespace

void MeasureRadical(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& d = tree.Data(node);
  const MathUnits u(context.metrics, d.size);
  const bool display = context.styles[node].IsDisplay();
  const ChildBox radicand = ChildBoxOf(tree, node, 0);
  const int32_t thickness = std::max(1, u(MathConstant::RadicalRuleThickness));
  int32_t gap = u(display ? MathConstant::RadicalDisplayStyleVerticalGap
                          : MathConstant::RadicalVerticalGap);
  const int32_t needed = radicand.ascent + radicand.depth + gap + thickness;
  const uint16_t sign = CoveringVariant(u, u.Table().GlyphOf(U'\u221A'), needed);
  const FontKey font{FontFace::Math, FontSizeOf(d.size)};
  const GlyphExtent cell = context.metrics.ExtentById(font, sign);
  const int32_t advance = cell.width;
  GlyphInk ink = context.metrics.InkById(font, sign);
  if (ink.Empty()) ink = GlyphInk{0, 0, advance, font.size};
  const int32_t signHeight = ink.bottom - ink.top;
  if (signHeight > needed) gap += (signHeight - needed) / 2;
  const int32_t signTop = -(radicand.ascent + gap + thickness);
  PutChild(tree, radicand.node, advance, 0);
  SetExtent(d, advance + radicand.width,
            -signTop + u(MathConstant::RadicalExtraAscender),
            std::max(radicand.depth, signTop + signHeight));
  context.AddOwn(OwnGlyph(node, d, sign, 0, signTop - ink.top, cell));
  context.AddOwn(OwnRule(node, d, advance, advance + radicand.width, signTop, thickness));
}

}  // namespace kav
