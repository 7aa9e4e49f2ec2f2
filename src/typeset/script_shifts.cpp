#include "typeset/script_shifts.h"

#include <algorithm>

namespace kav {
namespace {

int32_t Raise(const MathUnits& u, const ScriptBase& base, const VerticalExtent& sup) {
  const int32_t drop = base.symbol ? 0 : base.extent.ascent - u(MathConstant::SuperscriptBaselineDropMax);
  const int32_t shift = base.cramped ? u(MathConstant::SuperscriptShiftUpCramped)
                                     : u(MathConstant::SuperscriptShiftUp);
  return std::max({drop, shift, sup.depth + u(MathConstant::SuperscriptBottomMin)});
}

int32_t Drop(const MathUnits& u, const ScriptBase& base) {
  const int32_t drop = base.symbol ? 0 : base.extent.depth + u(MathConstant::SubscriptBaselineDropMin);
  return std::max(drop, u(MathConstant::SubscriptShiftDown));
}

}  // namespace

ScriptShifts ShiftScripts(const MathUnits& u, const ScriptBase& base, const VerticalExtent* sup,
                          const VerticalExtent* sub) {
  ScriptShifts shifts;
  if (sup) shifts.raise = Raise(u, base, *sup);
  if (!sub) return shifts;
  shifts.drop = Drop(u, base);
  if (!sup) {
    shifts.drop = std::max(shifts.drop, sub->ascent - u(MathConstant::SubscriptTopMax));
    return shifts;
  }
  const int32_t gap = (shifts.raise - sup->depth) - (sub->ascent - shifts.drop);
  const int32_t gapMin = u(MathConstant::SubSuperscriptGapMin);
  if (gap < gapMin) shifts.drop += gapMin - gap;
  const int32_t lift =
      u(MathConstant::SuperscriptBottomMaxWithSubscript) - (shifts.raise - sup->depth);
  if (lift > 0) {
    shifts.raise += lift;
    shifts.drop -= lift;
  }
  return shifts;
}

ScriptShifts StackLimits(const MathUnits& u, VerticalExtent base, const VerticalExtent* upper,
                         const VerticalExtent* lower) {
  using C = MathConstant;
  ScriptShifts shifts;
  if (upper) {
    shifts.raise = base.ascent + std::max(u(C::UpperLimitBaselineRiseMin),
                                          u(C::UpperLimitGapMin) + upper->depth);
  }
  if (lower) {
    shifts.drop = base.depth + std::max(u(C::LowerLimitBaselineDropMin),
                                        u(C::LowerLimitGapMin) + lower->ascent);
  }
  return shifts;
}

}  // namespace kav
