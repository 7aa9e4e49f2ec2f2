// Pass 3 of the layout: from positions relative to the parent's left edge and baseline to line
// coordinates, parents first.
#include "typeset/layout_passes.h"

namespace kav {

void PlaceChildren(EquationTree& tree, int32_t node) {
  const NodeData& data = tree.Data(node);
  const int32_t left = data.x;
  const int32_t baseline = data.y + AscentOf(data);
  for (int32_t child : tree.Children(node)) {
    NodeData& childData = tree.Data(child);
    childData.x += left;
    childData.y += baseline;
    PlaceChildren(tree, child);
  }
}

}  // namespace kav
