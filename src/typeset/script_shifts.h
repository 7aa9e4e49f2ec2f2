// How far a superscript rises and a subscript drops from their base's baseline, by TeX's rules
// on the MATH constants of the base's size.
#pragma once
#include <cstdint>

#include "typeset/math_units.h"

namespace kav {

struct VerticalExtent {
  int32_t ascent = 0;
  int32_t depth = 0;
};

struct ScriptBase {
  VerticalExtent extent;
  bool symbol = false;  // a single symbol: no drop below its top or its bottom
  bool cramped = false;
};

struct ScriptShifts {
  int32_t raise = 0;  // the superscript's baseline above the base's
  int32_t drop = 0;   // the subscript's baseline below the base's
};

// Either script may be missing (null).
ScriptShifts ShiftScripts(const MathUnits& u, const ScriptBase& base, const VerticalExtent* sup,
                          const VerticalExtent* sub);

// How far limits set above and below a base of this extent stand from its baseline: the upper
// one's baseline `raise` above, the lower one's `drop` below. Either may be missing.
ScriptShifts StackLimits(const MathUnits& u, VerticalExtent base, const VerticalExtent* upper,
                         const VerticalExtent* lower);

}  // namespace kav
