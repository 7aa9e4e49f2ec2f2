// The walks of LayoutLine, shared between its source files. Measuring leaves every node's x the
// distance of its left edge from its parent's left edge and its y the distance of its top from
// its parent's baseline; placing turns both into line coordinates, parents first.
#pragma once
#include <cstdint>
#include <vector>

#include "model/line.h"
#include "model/tree.h"
#include "typeset/layout_context.h"
#include "typeset/math_units.h"

namespace kav {

// The font size of a script level: 40, 28, then 20 for every deeper level.
int32_t SizeOfLevel(int32_t level);

inline int32_t AscentOf(const NodeData& data) { return data.height - data.depth; }
void SetExtent(NodeData& data, int32_t width, int32_t ascent, int32_t depth);

// A child's extent, all zero when the tree lacks it.
struct ChildBox {
  int32_t node = -1;
  int32_t width = 0;
  int32_t ascent = 0;
  int32_t depth = 0;
};
ChildBox ChildBoxOf(const EquationTree& tree, int32_t node, int32_t index);
// Puts `child` (if any) with its left edge at x and its baseline `raise` above its parent's.
void PutChild(EquationTree& tree, int32_t child, int32_t x, int32_t raise);
// One of the node's own boxes, relative to its left edge and baseline. A glyph's box is its
// cell: advance wide, `cellHeight` tall.
LayoutBox OwnGlyph(int32_t node, const NodeData& data, uint16_t glyph, int32_t x, int32_t cellTop,
                   GlyphExtent cell);
LayoutBox OwnRule(int32_t node, const NodeData& data, int32_t x1, int32_t x2, int32_t top,
                  int32_t thickness);

// Pass 1, pre-order: script levels, sizes and styles.
void AssignLevels(EquationTree& tree, int32_t node, int32_t level, MathStyle style,
                  LayoutContext& context);
// Pass 2, post-order: extents, children's relative places and own boxes; throws for an
// unknown code.
void MeasureNode(EquationTree& tree, int32_t node, LayoutContext& context);
void MeasureRow(EquationTree& tree, int32_t node, LayoutContext& context);
void MeasureFraction(EquationTree& tree, int32_t node, LayoutContext& context);
void MeasureRadical(EquationTree& tree, int32_t node, LayoutContext& context);
void MeasureBigOperator(EquationTree& tree, int32_t node, LayoutContext& context);
// Pass 3, pre-order: line coordinates.
void PlaceChildren(EquationTree& tree, int32_t node);
// Pass 4: every node's own boxes moved from its baseline to the line. Pass 2 made them in
// post-order, children before their parent and each node's consecutive, which is the order the
// line keeps, so they are moved where they stand and become the line's boxes.
std::vector<LayoutBox> LineBoxes(const EquationTree& tree, LayoutContext& context);

}  // namespace kav
