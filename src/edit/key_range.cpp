#include "edit/key_range.h"

#include <algorithm>
#include <vector>

#include "edit/caret_moves.h"
#include "edit/selection.h"
#include "edit/tree_queries.h"

namespace kav {
namespace {

bool ValidNode(const EquationTree& tree, int32_t node) {
  return node >= 0 && node < static_cast<int32_t>(tree.nodes.size());
}

// The deepest row that holds both nodes.
int32_t CommonRow(const EquationTree& tree, int32_t a, int32_t b) {
  for (int32_t row = a; row >= 0; row = tree.Parent(row)) {
    if (tree.CodeAt(row) == code::Group && IsWithin(tree, b, row)) return row;
  }
  return -1;
}

// What one end of the selection covers in `row`: its position there, or the item holding it.
ItemRun SpanInRow(const EquationTree& tree, int32_t row, const Caret& caret) {
  if (caret.node == row) return {row, caret.position, caret.position};
  int32_t item = caret.node;
  while (item >= 0 && tree.Parent(item) != row) item = tree.Parent(item);
  const int32_t index = item >= 0 ? tree.IndexInParent(item) : 0;
  return {row, index, index + 1};
}

}  // namespace

ItemRun RunBetween(const EquationTree& tree, const Caret& anchor, const Caret& focus) {
  if (!ValidNode(tree, anchor.node) || !ValidNode(tree, focus.node)) return {};
  const int32_t row = CommonRow(tree, anchor.node, focus.node);
  if (row < 0) return {};
  const ItemRun a = SpanInRow(tree, row, anchor);
  const ItemRun b = SpanInRow(tree, row, focus);
  const int32_t count = tree.ChildCount(row);
  ItemRun run{row, std::clamp(std::min(a.start, b.start), 0, count),
              std::clamp(std::max(a.end, b.end), 0, count)};
  if (run.end - run.start == 1 && run.start > 0 &&
      IsScriptCode(tree.CodeAt(tree.Child(row, run.start)))) {
    --run.start;
  }
  return run;
}

void MarkRun(EquationLine& line, const ItemRun& run) {
  ClearMarks(line);
  const EquationTree& tree = line.tree;
  if (!IsEmptyRun(run)) {
    std::vector<bool> inRun(tree.nodes.size(), false);
    for (int32_t i = run.start; i < run.end; ++i) {
      tree.CollectSubtree(tree.Child(run.row, i), [&](int32_t node) { inRun[node] = true; });
    }
    for (size_t i = 0; i < line.boxes.size(); ++i) {
      const int32_t node = line.boxes[i].node;
      line.selection.marks[i] = ValidNode(tree, node) && inRun[node];
    }
  }
  CloseSelection(line);
}

void StepSelectionEnd(const EquationTree& tree, const Caret* anchor, Caret& caret, bool left) {
  const int32_t item = ItemAt(tree, caret.node, caret.position - (left ? 1 : 0));
  const bool structure = item >= 0 && tree.ChildCount(item) > 0;
  if (structure && (anchor == nullptr || !IsWithin(tree, anchor->node, item))) {
    caret.position += left ? -1 : 1;
  } else if (left) {
    MoveLeft(tree, caret);
  } else {
    MoveRight(tree, caret);
  }
}

}  // namespace kav
