// Pass 4 of the layout: the drawn boxes, children before their parent, all boxes of a node
// consecutive, each node's own boxes moved from its baseline to the line.
#include "typeset/layout_passes.h"

namespace kav {

void AppendBoxes(const EquationTree& tree, int32_t node, const LayoutContext& context,
                 std::vector<LayoutBox>& boxes) {
  for (int32_t child : tree.Children(node)) AppendBoxes(tree, child, context, boxes);
  const NodeData& data = tree.Data(node);
  const int32_t baseline = data.y + AscentOf(data);
  const auto [first, count] = context.ownRange[node];
  for (uint32_t k = first; k < first + count; ++k) {
    LayoutBox box = context.own[k];
    box.x += data.x;
    box.y += baseline;
    if (box.code == code::ThickLine || box.code == code::ThinLine) {
      box.x2 += data.x;
      box.y2 += baseline;
    }
    boxes.push_back(box);
  }
}

}  // namespace kav
