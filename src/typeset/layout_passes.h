// The four walks of LayoutLine, shared between its source files.
#pragma once
#include <cstdint>
#include <vector>

#include "model/line.h"
#include "model/tree.h"
#include "platform/glyph_metrics.h"

namespace kav {

// The font size of a script level: 40, 28, then 20 for every deeper level.
int32_t SizeOfLevel(int32_t level);
// The size the sigma or pi of a sum or product is drawn at, for the node's size.
int32_t BigOperatorSize(int32_t size);
// Sigma for a sum, Pi for a product.
SymbolCode BigOperatorGlyph(SymbolCode code);

// Width, height and depth of a child, all zero for a child the tree lacks.
struct ChildExtent {
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;
};
ChildExtent ExtentOfChild(const EquationTree& tree, int32_t node, int32_t index);

// Pass 1, pre-order: script levels and sizes.
void AssignLevels(EquationTree& tree, int32_t node, int32_t level);
// Pass 2, post-order: width, height and depth; throws for an unknown code.
void MeasureNode(EquationTree& tree, int32_t node, const GlyphMetrics& metrics);
// Pass 3, pre-order: places the children of every node from the node's own position.
void PlaceChildren(EquationTree& tree, int32_t node);
// How many boxes pass 4 draws for the subtree, so that the box list is sized once.
size_t BoxCountOfSubtree(const EquationTree& tree, int32_t node);
// Pass 4, post-order: the boxes of the subtree.
void AppendBoxes(const EquationTree& tree, int32_t node, const GlyphMetrics& metrics,
                 std::vector<LayoutBox>& boxes);

}  // namespace kav
