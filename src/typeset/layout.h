// Box layout of one line: sizes by script level, width/height/depth per node, positions, and
// the drawn boxes in post-order. Integer pixels throughout.
#pragma once
#include "model/line.h"
#include "platform/glyph_metrics.h"

namespace kav {

// Lays out the whole tree of `line` and replaces its boxes; a line without a root gets no
// boxes. Throws "WidthHeightDepth: Unknown token" for a node it cannot size, leaving the
// previous boxes in place.
void LayoutLine(EquationLine& line, const GlyphMetrics& metrics);

// What EquationLine::Reparse calls: LayoutLine over one set of metrics.
class BoxLayouter final : public LineLayouter {
 public:
  explicit BoxLayouter(const GlyphMetrics& metrics) : metrics_(metrics) {}
  void Layout(EquationLine& line) const override { LayoutLine(line, metrics_); }

 private:
  const GlyphMetrics& metrics_;
};

}  // namespace kav
