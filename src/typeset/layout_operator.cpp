// Sums, products and integrals: the font's sign (its display size on the top row) centred on
// the math axis. A sum's or product's limits stand centred above and below it on the top row;
// elsewhere, and for the integral always, they stand at its side as scripts, the lower one
// pulled back by the sign's italic correction.
#include <algorithm>

#include "typeset/font_choice.h"
#include "typeset/layout_passes.h"
#include "typeset/script_shifts.h"

namespace kav {
namespace {

struct Sign {
  uint16_t glyph = 0;
  int32_t width = 0;
  int32_t cellHeight = 0;
  int32_t ascent = 0;  // above the baseline once centred on the axis
  int32_t depth = 0;
  int32_t cellTop = 0;  // relative to the baseline
  int32_t italic = 0;
};

char32_t SignCodePoint(SymbolCode code) {
  if (code == code::Sum) return U'\u2211';
  if (code == code::Prod) return U'\u220F';
  return U'\u222B';
}

uint16_t DisplayVariant(const MathTable& math, uint16_t glyph) {
  const int32_t least = math.Constant(MathConstant::DisplayOperatorMinHeight);
  const std::span<const MathGlyphVariant> variants = math.Variants(glyph, true);
  for (const MathGlyphVariant& variant : variants) {
    if (variant.advance >= least) return variant.glyph;
  }
  return variants.empty() ? glyph : variants.back().glyph;
}

Sign MeasureSign(const LayoutContext& context, const MathUnits& u, SymbolCode code, int32_t size,
                 bool display) {
  const MathTable& math = u.Table();
  Sign sign;
  sign.glyph = math.GlyphOf(SignCodePoint(code));
  if (display) sign.glyph = DisplayVariant(math, sign.glyph);
  const FontKey font{FontFace::Math, FontSizeOf(size)};
  const GlyphExtent cell = context.metrics.ExtentById(font, sign.glyph);
  sign.width = cell.width;
  sign.cellHeight = cell.height;
  const int32_t baseline = context.metrics.Ascent(font);
  const GlyphInk ink = context.metrics.InkById(font, sign.glyph);
  int32_t ascent = 0, depth = 0;
  if (ink.Empty()) {
    ascent = baseline;
    depth = font.size - baseline;
  } else {
    ascent = baseline - ink.top;
    depth = ink.bottom - baseline;
  }
  const int32_t down = (ascent - depth) / 2 - u(MathConstant::AxisHeight);
  sign.ascent = ascent - down;
  sign.depth = depth + down;
  sign.cellTop = down - baseline;
  sign.italic = u.Px(math.ItalicCorrection(sign.glyph));
  return sign;
}

ChildBox ShownLimit(const EquationTree& tree, int32_t node, int32_t index) {
  const ChildBox limit = ChildBoxOf(tree, node, index);
  return LimitShown(tree, limit.node) ? limit : ChildBox{};
}

VerticalExtent Vertical(const ChildBox& box) { return VerticalExtent{box.ascent, box.depth}; }

// Returns the node's width, ascent and depth through `extent`.
void LimitsAboveBelow(EquationTree& tree, const MathUnits& u, const Sign& sign,
                      const ChildBox& lower, const ChildBox& upper, int32_t extent[3],
                      int32_t& signX) {
  const int32_t width = std::max({sign.width, lower.width, upper.width});
  signX = (width - sign.width) / 2;
  const VerticalExtent up = Vertical(upper), low = Vertical(lower);
  const ScriptShifts shifts =
      StackLimits(u, VerticalExtent{sign.ascent, sign.depth}, upper.node >= 0 ? &up : nullptr,
                  lower.node >= 0 ? &low : nullptr);
  const int32_t raise = shifts.raise, drop = shifts.drop;
  PutChild(tree, upper.node, (width - upper.width + sign.italic) / 2, raise);
  PutChild(tree, lower.node, (width - lower.width - sign.italic) / 2, -drop);
  extent[0] = width;
  extent[1] = upper.node >= 0 ? std::max(sign.ascent, raise + upper.ascent) : sign.ascent;
  extent[2] = lower.node >= 0 ? std::max(sign.depth, drop + lower.depth) : sign.depth;
}

void LimitsAtSide(EquationTree& tree, const MathUnits& u, const Sign& sign, bool cramped,
                  const ChildBox& lower, const ChildBox& upper, int32_t extent[3]) {
  const VerticalExtent up = Vertical(upper), low = Vertical(lower);
  const ScriptShifts shifts =
      ShiftScripts(u, ScriptBase{VerticalExtent{sign.ascent, sign.depth}, false, cramped},
                   upper.node >= 0 ? &up : nullptr, lower.node >= 0 ? &low : nullptr);
  PutChild(tree, upper.node, sign.width, shifts.raise);
  PutChild(tree, lower.node, sign.width - sign.italic, -shifts.drop);
  const bool any = upper.node >= 0 || lower.node >= 0;
  extent[0] = sign.width + std::max(upper.width, lower.width - sign.italic) +
              (any ? u(MathConstant::SpaceAfterScript) : 0);
  extent[1] = std::max(sign.ascent, upper.node >= 0 ? shifts.raise + upper.ascent : 0);
  extent[2] = std::max(sign.depth, lower.node >= 0 ? shifts.drop + lower.depth : 0);
}

}  // namespace

void MeasureBigOperator(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& d = tree.Data(node);
  const MathStyle style = context.styles[node];
  const MathUnits u(context.metrics, d.size);
  const Sign sign = MeasureSign(context, u, d.code, d.size, style.IsDisplay());
  for (int32_t child : tree.Children(node)) PutChild(tree, child, 0, 0);  // hidden limits
  const ChildBox lower = ShownLimit(tree, node, 0);
  const ChildBox upper = ShownLimit(tree, node, 1);
  int32_t extent[3] = {0, 0, 0};
  int32_t signX = 0;
  if (style.IsDisplay() && d.code != code::Integral) {
    LimitsAboveBelow(tree, u, sign, lower, upper, extent, signX);
  } else {
    LimitsAtSide(tree, u, sign, style.cramped, lower, upper, extent);
  }
  SetExtent(d, extent[0], extent[1], extent[2]);
  context.AddOwn(OwnGlyph(node, d, sign.glyph, signX, sign.cellTop,
                                 GlyphExtent{sign.width, sign.cellHeight}));
}

}  // namespace kav
