#include "typeset/layout.h"

#include <utility>

#include "typeset/layout_passes.h"

namespace kav {

int32_t SizeOfLevel(int32_t level) {
  if (level == 0) return 40;
  if (level == 1) return 28;
  return 20;
}

void SetExtent(NodeData& data, int32_t width, int32_t ascent, int32_t depth) {
  data.width = width;
  data.height = ascent + depth;
  data.depth = depth;
}

ChildBox ChildBoxOf(const EquationTree& tree, int32_t node, int32_t index) {
  const int32_t child = tree.Child(node, index);
  if (child < 0) return ChildBox{};
  const NodeData& data = tree.Data(child);
  return ChildBox{child, data.width, AscentOf(data), data.depth};
}

void PutChild(EquationTree& tree, int32_t child, int32_t x, int32_t raise) {
  if (child < 0) return;
  NodeData& data = tree.Data(child);
  data.x = x;
  data.y = -raise - AscentOf(data);
}

LayoutBox OwnGlyph(int32_t node, const NodeData& data, uint16_t glyph, int32_t x, int32_t cellTop,
                   GlyphExtent cell) {
  return LayoutBox{code::MathGlyph,      x, cellTop, glyph, 0, cell.width, cell.height,
                   data.style & StyleRed, static_cast<uint32_t>(data.size), node};
}

// A rule `thickness` pixels thick whose top row is `top`: a two-pixel pen covers the row above
// the segment and the segment's own.
LayoutBox OwnRule(int32_t node, const NodeData& data, int32_t x1, int32_t x2, int32_t top,
                  int32_t thickness) {
  const bool thick = thickness >= 2;
  const int32_t y = thick ? top + 1 : top;
  return LayoutBox{thick ? code::ThickLine : code::ThinLine, x1, y, x2, y, data.width, 0,
                   data.style, 0, node};
}

void AssignLevels(EquationTree& tree, int32_t node, int32_t level, MathStyle style,
                  LayoutContext& context) {
  NodeData& data = tree.Data(node);
  data.level = static_cast<int16_t>(level);
  data.size = static_cast<int16_t>(SizeOfLevel(level));
  context.styles[node] = style;
  const SymbolCode code = data.code;
  const std::vector<int32_t>& children = tree.Children(node);
  for (size_t i = 0; i < children.size(); ++i) {
    MathStyle inner = style;
    int32_t deeper = level;
    if (code == code::Super || ((IsBigOperator(code)) && i == 1)) {
      inner = style.Superscript();
      deeper = level + 1;
    } else if (code == code::Sub || IsBigOperator(code)) {
      inner = style.Subscript();
      deeper = level + 1;
    } else if (code == code::Frac) {
      inner = i == 0 ? style.Numerator() : style.Denominator();
    } else if (code == code::Sqrt) {
      inner = style.Radicand();
    }
    AssignLevels(tree, children[i], deeper, inner, context);
  }
}

void LayoutLine(EquationLine& line, const GlyphMetrics& metrics) {
  EquationTree& tree = line.tree;
  if (tree.root < 0) {
    line.boxes.clear();
    return;
  }
  LayoutContext context(metrics, tree.nodes.size());
  AssignLevels(tree, tree.root, 0, MathStyle{}, context);
  MeasureNode(tree, tree.root, context);
  NodeData& root = tree.Data(tree.root);
  root.x = 0;
  root.y = 0;
  PlaceChildren(tree, tree.root);
  line.boxes = LineBoxes(tree, context);
}

}  // namespace kav
