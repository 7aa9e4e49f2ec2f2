// A fraction: numerator and denominator centred over each other, shifted from the rule on the
// math axis by the font's shifts and gaps (the display ones on the top row), with a null
// delimiter's room on either side, as LaTeX's \frac has.
#include <algorithm>

#include "typeset/layout_passes.h"

namespace kav {

void MeasureFraction(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& d = tree.Data(node);
  const MathUnits u(context.metrics, d.size);
  const bool display = context.styles[node].IsDisplay();
  const ChildBox num = ChildBoxOf(tree, node, 0);
  const ChildBox den = ChildBoxOf(tree, node, 1);
  const int32_t thickness = std::max(1, u(MathConstant::FractionRuleThickness));
  const int32_t ruleTop = -u(MathConstant::AxisHeight) - thickness / 2;
  using C = MathConstant;
  const int32_t raise = std::max(
      u(display ? C::FractionNumeratorDisplayStyleShiftUp : C::FractionNumeratorShiftUp),
      num.depth - ruleTop + u(display ? C::FractionNumDisplayStyleGapMin : C::FractionNumeratorGapMin));
  const int32_t drop = std::max(
      u(display ? C::FractionDenominatorDisplayStyleShiftDown : C::FractionDenominatorShiftDown),
      den.ascent + ruleTop + thickness +
          u(display ? C::FractionDenomDisplayStyleGapMin : C::FractionDenominatorGapMin));
  const int32_t room = u.Px(u.Table().UnitsPerEm() * 12 / 100);
  const int32_t inner = std::max(num.width, den.width);
  PutChild(tree, num.node, room + (inner - num.width) / 2, raise);
  PutChild(tree, den.node, room + (inner - den.width) / 2, -drop);
  SetExtent(d, inner + 2 * room, std::max(raise + num.ascent, -ruleTop),
            std::max(drop + den.depth, 0));
  context.AddOwn(OwnRule(node, d, room, room + inner, ruleTop, thickness));
}

}  // namespace kav
