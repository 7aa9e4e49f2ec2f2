#include "typeset/math_units.h"

#include "base/failure.h"

namespace kav {

const MathTable& MathOf(const GlyphMetrics& metrics) {
  const MathTable* table = metrics.Math();
  if (table == nullptr || !table->HasTable()) Fail(u"Layout: the math font has no MATH table");
  return *table;
}

MathUnits::MathUnits(const GlyphMetrics& metrics, int32_t size)
    : table_(MathOf(metrics)),
      pixelsPerEm_(metrics.PixelsPerEm(FontKey{FontFace::Math, size})) {}

}  // namespace kav
