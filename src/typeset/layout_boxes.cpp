// Pass 4 of the layout: the drawn boxes, children before their parent, all boxes of a node
// consecutive, each node's own boxes moved from its baseline to the line.
#include <utility>

#include "typeset/layout_passes.h"

namespace kav {

std::vector<LayoutBox> LineBoxes(const EquationTree& tree, LayoutContext& context) {
  for (size_t node = 0; node < context.ownRange.size(); ++node) {
    const auto [first, count] = context.ownRange[node];
    if (count == 0) continue;
    const NodeData& data = tree.Data(static_cast<int32_t>(node));
    const int32_t baseline = data.y + AscentOf(data);
    for (uint32_t k = first; k < first + count; ++k) {
      LayoutBox& box = context.own[k];
      box.x += data.x;
      box.y += baseline;
      if (box.code == code::ThickLine || box.code == code::ThinLine) {
        box.x2 += data.x;
        box.y2 += baseline;
      }
    }
  }
  return std::move(context.own);
}

}  // namespace kav
