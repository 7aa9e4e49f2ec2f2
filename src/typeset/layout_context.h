// What the layout walks share: the metrics, the math table, each node's style and italic
// correction, and the boxes each structure draws for itself (rules and signs), kept relative
// to the node's top-left corner until the node's place is known.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "base/math_table.h"
#include "model/line.h"
#include "platform/glyph_metrics.h"
#include "typeset/math_style.h"

namespace kav {

struct LayoutContext {
  LayoutContext(const GlyphMetrics& glyphMetrics, size_t nodeCount);

  const GlyphMetrics& metrics;
  std::vector<MathStyle> styles;  // by node
  std::vector<int32_t> italic;    // by node: the italic correction of its right edge
  std::vector<LayoutBox> own;     // every node's own boxes, relative to its top-left corner
  std::vector<std::pair<uint32_t, uint32_t>> ownRange;  // by node: first own box and count

  // Starts `node`'s own boxes; those added until the next Begin belong to it.
  void BeginOwn(int32_t node);
  void AddOwn(const LayoutBox& box);
};

}  // namespace kav
