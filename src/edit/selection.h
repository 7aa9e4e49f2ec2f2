// Selection inside the current line: the per-box marks a drag sets, widened to whole items and
// reflected in every node's `marked` and `selection` fields.
#pragma once
#include <cstdint>
#include <vector>

#include "model/line.h"

namespace kav {

inline constexpr int32_t SelNone = 1;
inline constexpr int32_t SelPartial = 2;
inline constexpr int32_t SelFull = 3;

// A rectangle in line coordinates, corners in any order.
struct LineRect {
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
};

// All marks cleared, one per layout box.
void ClearMarks(EquationLine& line);
// The index just past the run of consecutive boxes that draw the same node as boxes[first]
// (a placeholder's four frame lines, a root's strokes); a box without a node is a run alone.
int32_t NodeBoxesEnd(const std::vector<LayoutBox>& boxes, int32_t first);
// Sets the marks of the boxes the rectangle touches; the boxes of one node are decided together
// by the first of them.
void MarkBoxesInRect(EquationLine& line, const LineRect& rect);
// `marked` from the marks, widened to whole items (a row's selection is one run of items), then
// the marks again from `marked`.
void CloseSelection(EquationLine& line);
// The caret before the first, or after the last, wholly selected item of the first row (in
// pre-order) that has one. False, caret unchanged, when nothing is wholly selected.
bool CaretToSelectionStart(const EquationTree& tree, Caret& caret);
bool CaretToSelectionEnd(const EquationTree& tree, Caret& caret);
// Removes the wholly selected items; a wholly selected row keeps its group and loses its items.
void RemoveSelected(EquationTree& tree);
// Number of nodes whose `marked` is set, and the last such node (or -1).
int32_t CountMarked(const EquationTree& tree, int32_t* lastMarked);

}  // namespace kav
