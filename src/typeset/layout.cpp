#include "typeset/layout.h"

#include <utility>

#include "typeset/layout_passes.h"

namespace kav {

int32_t SizeOfLevel(int32_t level) {
  if (level == 0) return 40;
  if (level == 1) return 28;
  return 20;
}

int32_t BigOperatorSize(int32_t size) {
  if (size == 40) return 57;
  if (size == 28) return 40;
  return 28;
}

SymbolCode BigOperatorGlyph(SymbolCode code) {
  return code == code::Prod ? CodeOf(u"Pi") : CodeOf(u"Sigma");
}

ChildExtent ExtentOfChild(const EquationTree& tree, int32_t node, int32_t index) {
  const int32_t child = tree.Child(node, index);
  if (child < 0) return ChildExtent{};
  const NodeData& data = tree.Data(child);
  return ChildExtent{data.width, data.height, data.depth};
}

void AssignLevels(EquationTree& tree, int32_t node, int32_t level) {
  NodeData& data = tree.Data(node);
  data.level = level;
  data.size = SizeOfLevel(level);
  const SymbolCode code = data.code;
  const bool scripts = code == code::Super || code == code::Sub || IsBigOperator(code);
  for (int32_t child : tree.Children(node)) AssignLevels(tree, child, level + (scripts ? 1 : 0));
}

void LayoutLine(EquationLine& line, const GlyphMetrics& metrics) {
  EquationTree& tree = line.tree;
  if (tree.root < 0) {
    line.boxes.clear();
    return;
  }
  AssignLevels(tree, tree.root, 0);
  MeasureNode(tree, tree.root, metrics);
  PlaceChildren(tree, tree.root);
  std::vector<LayoutBox> boxes;
  boxes.reserve(BoxCountOfSubtree(tree, tree.root));
  AppendBoxes(tree, tree.root, metrics, boxes);
  line.boxes = std::move(boxes);
}

}  // namespace kav
