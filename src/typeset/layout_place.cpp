// Pass 3 of the layout: every node places its children from its own position, top-down.
#include "typeset/fortieths.h"
#include "typeset/glyph_measure.h"
#include "typeset/layout_passes.h"

namespace kav {
namespace {

void MoveTo(EquationTree& tree, int32_t node, int32_t x, int32_t y) {
  if (node < 0) return;
  NodeData& data = tree.Data(node);
  data.x = x;
  data.y = y;
}

// The wider part starts 5 pixels in; the narrower one is centred on it.
void PlaceFraction(EquationTree& tree, int32_t node, const NodeData& data) {
  const ChildExtent numerator = ExtentOfChild(tree, node, 0);
  const ChildExtent denominator = ExtentOfChild(tree, node, 1);
  int32_t numeratorX = data.x + 5;
  int32_t denominatorX = data.x + 5;
  if (numerator.width > denominator.width) {
    denominatorX += numerator.width / 2 - denominator.width / 2;
  } else {
    numeratorX += denominator.width / 2 - numerator.width / 2;
  }
  MoveTo(tree, tree.Child(node, 0), numeratorX, data.y);
  MoveTo(tree, tree.Child(node, 1), denominatorX, data.y + numerator.height + 5);
}

// Side by side, every child's axis on the row's axis.
void PlaceGroup(EquationTree& tree, int32_t node, const NodeData& data) {
  int32_t x = data.x;
  const int32_t axis = data.y + data.height - data.depth;
  for (int32_t child : tree.Children(node)) {
    const NodeData& childData = tree.Data(child);
    MoveTo(tree, child, x, axis - (childData.height - childData.depth));
    x += childData.width;
  }
}

// Limits centred on the sign, the lower one resting on the bottom edge.
void PlaceBigOperator(EquationTree& tree, int32_t node, const NodeData& data) {
  const ChildExtent lower = ExtentOfChild(tree, node, 0);
  const ChildExtent upper = ExtentOfChild(tree, node, 1);
  MoveTo(tree, tree.Child(node, 0), data.x + data.width / 2 - lower.width / 2,
         data.y + data.height - lower.height);
  MoveTo(tree, tree.Child(node, 1), data.x + data.width / 2 - upper.width / 2, data.y);
}

void PlaceIntegral(EquationTree& tree, int32_t node, const NodeData& data) {
  const GlyphExtent image = IntegralExtent(data.size);
  const ChildExtent lower = ExtentOfChild(tree, node, 0);
  MoveTo(tree, tree.Child(node, 0), data.x + Fortieths(16, image.width),
         data.y + data.height - lower.height);
  MoveTo(tree, tree.Child(node, 1), data.x + image.width, data.y);
}

}  // namespace

void PlaceChildren(EquationTree& tree, int32_t node) {
  const NodeData data = tree.Data(node);
  switch (data.code) {
    case code::Frac:
      PlaceFraction(tree, node, data);
      break;
    case code::Group:
      PlaceGroup(tree, node, data);
      break;
    case code::Super:
    case code::Sub:
      MoveTo(tree, tree.Child(node, 0), data.x, data.y);
      break;
    case code::Sqrt:
      MoveTo(tree, tree.Child(node, 0), data.x + 25, data.y + 5);
      break;
    case code::Sum:
    case code::Prod:
      PlaceBigOperator(tree, node, data);
      break;
    case code::Integral:
      PlaceIntegral(tree, node, data);
      break;
    default:
      break;  // leaves place nothing
  }
  for (int32_t child : tree.Children(node)) PlaceChildren(tree, child);
}

}  // namespace kav
