// The font's MATH values in pixels at one node size: constants, per-glyph values and mu.
#pragma once
#include <cmath>
#include <cstdint>

#include "base/math_table.h"
#include "platform/glyph_metrics.h"

namespace kav {

class MathUnits {
 public:
  // Throws when the platform has no math table: layout cannot run without one.
  MathUnits(const GlyphMetrics& metrics, int32_t size);

  const MathTable& Table() const { return table_; }
  // A value in font units, in pixels, rounded.
  int32_t Px(int32_t units) const {
    return static_cast<int32_t>(std::lround(units * pixelsPerEm_ / table_.UnitsPerEm()));
  }
  int32_t operator()(MathConstant constant) const { return Px(table_.Constant(constant)); }
  // Math units: an eighteenth of the em.
  int32_t Mu(int32_t mu) const { return static_cast<int32_t>(std::lround(mu * pixelsPerEm_ / 18)); }

 private:
  const MathTable& table_;
  double pixelsPerEm_ = 0;
};

const MathTable& MathOf(const GlyphMetrics& metrics);

}  // namespace kav
