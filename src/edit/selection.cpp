#include "edit/selection.h"

#include <algorithm>

#include "edit/tree_queries.h"
#include "model/constructs.h"

namespace kav {
namespace {

int32_t BoxCount(const EquationLine& line) {
  return static_cast<int32_t>(line.boxes.size());
}

bool ValidNode(const EquationTree& tree, int32_t node) {
  return node >= 0 && node < static_cast<int32_t>(tree.nodes.size());
}

void MarkSubtree(EquationTree& tree, int32_t node) {
  tree.CollectSubtree(node, [&](int32_t n) { tree.Data(n).marked = 1; });
}

bool Overlaps(int32_t a1, int32_t a2, int32_t b1, int32_t b2) {
  return std::min(a1, a2) <= std::max(b1, b2) && std::min(b1, b2) <= std::max(a1, a2);
}

bool BoxHit(const LayoutBox& box, const LineRect& rect) {
  return Overlaps(box.x, box.x + box.width, rect.x1, rect.x2) &&
         Overlaps(box.y, box.y + box.height, rect.y1, rect.y2);
}

// Widens a row's selection to the run from its first to its last selected item.
int32_t CloseGroup(EquationTree& tree, int32_t node) {
  const std::vector<int32_t>& items = tree.Children(node);
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t i = 0; i < static_cast<int32_t>(items.size()); ++i) {
    if (tree.Data(items[i]).selection <= SelNone) continue;
    if (first < 0) first = i;
    last = i;
  }
  if (first < 0) return SelNone;
  if (first == last) return SelPartial;
  for (int32_t i = first; i <= last; ++i) {
    MarkSubtree(tree, items[i]);
    tree.Data(items[i]).selection = SelFull;
  }
  return first == 0 && last == static_cast<int32_t>(items.size()) - 1 ? SelFull : SelPartial;
}

int32_t SelectionOf(const EquationTree& tree, int32_t node) {
  return node >= 0 ? tree.Data(node).selection : SelNone;
}

// A structure with two slots is taken whole once both slots hold something selected.
int32_t CloseTwoSlots(EquationTree& tree, int32_t node) {
  const int32_t first = SelectionOf(tree, tree.Child(node, 0));
  const int32_t second = SelectionOf(tree, tree.Child(node, 1));
  if ((first > SelNone && second > SelNone) || tree.Data(node).marked) {
    MarkSubtree(tree, node);
    return SelFull;
  }
  return first == SelNone && second == SelNone ? SelNone : SelPartial;
}

int32_t CloseNode(EquationTree& tree, int32_t node) {
  for (int32_t child : tree.Children(node)) tree.Data(child).selection = CloseNode(tree, child);
  const SymbolCode c = tree.CodeAt(node);
  if (c == code::Group) return CloseGroup(tree, node);
  const ConstructRow* row = FindConstruct(c);
  if (row == nullptr) return tree.Data(node).marked ? SelFull : SelNone;
  if (row->slotCount == 2) return CloseTwoSlots(tree, node);
  // A one-slot structure is taken whole through its own boxes (a script has none).
  if (tree.Data(node).marked) {
    MarkSubtree(tree, node);
    return SelFull;
  }
  return SelectionOf(tree, tree.Child(node, 0)) == SelNone ? SelNone : SelPartial;
}

// The first row in pre-order that holds a wholly selected item.
int32_t FirstRowWithFullItem(const EquationTree& tree, int32_t node) {
  if (node < 0) return -1;
  if (tree.CodeAt(node) == code::Group) {
    for (int32_t child : tree.Children(node)) {
      if (tree.Data(child).selection == SelFull) return node;
    }
  }
  for (int32_t child : tree.Children(node)) {
    const int32_t row = FirstRowWithFullItem(tree, child);
    if (row >= 0) return row;
  }
  return -1;
}

void RemoveSelectedBelow(EquationTree& tree, int32_t node) {
  const NodeData& data = tree.Data(node);
  if (data.selection == SelNone) return;
  if (data.selection == SelFull && data.code != code::Group) {
    if (data.code == code::Placeholder) return;
    const int32_t parent = tree.Parent(node);
    if (parent >= 0 && tree.CodeAt(parent) == code::Group) {
      tree.Detach(node);
    } else {
      tree.Data(node).code = code::Placeholder;
      tree.nodes[node].children.clear();
    }
    return;
  }
  // Walk a copy: removals change the child list under us.
  const std::vector<int32_t> children = tree.Children(node);
  for (int32_t child : children) RemoveSelectedBelow(tree, child);
}

}  // namespace

int32_t NodeBoxesEnd(const std::vector<LayoutBox>& boxes, int32_t first) {
  const auto count = static_cast<int32_t>(boxes.size());
  const int32_t node = boxes[first].node;
  int32_t end = first + 1;
  if (node < 0) return end;
  while (end < count && boxes[end].node == node) ++end;
  return end;
}

void ClearMarks(EquationLine& line) {
  line.selection.marks.assign(line.boxes.size(), false);
}

void MarkBoxesInRect(EquationLine& line, const LineRect& rect) {
  std::vector<bool>& marks = line.selection.marks;
  marks.resize(line.boxes.size(), false);
  int32_t i = 0;
  while (i < BoxCount(line)) {
    const LayoutBox& box = line.boxes[i];
    const int32_t end = NodeBoxesEnd(line.boxes, i);
    if (BoxHit(box, rect)) std::fill(marks.begin() + i, marks.begin() + end, true);
    i = end;
  }
}

void CloseSelection(EquationLine& line) {
  EquationTree& tree = line.tree;
  for (NodeData& data : tree.payloads) data.marked = 0;
  std::vector<bool>& marks = line.selection.marks;
  const int32_t count = std::min(BoxCount(line), static_cast<int32_t>(marks.size()));
  for (int32_t i = 0; i < count; ++i) {
    if (marks[i] && ValidNode(tree, line.boxes[i].node)) tree.Data(line.boxes[i].node).marked = 1;
  }
  if (tree.root >= 0) tree.Data(tree.root).selection = CloseNode(tree, tree.root);
  marks.assign(line.boxes.size(), false);
  for (int32_t i = 0; i < BoxCount(line); ++i) {
    const int32_t node = line.boxes[i].node;
    marks[i] = ValidNode(tree, node) && tree.Data(node).marked != 0;
  }
}

bool CaretToSelectionStart(const EquationTree& tree, Caret& caret) {
  const int32_t row = FirstRowWithFullItem(tree, tree.root);
  if (row < 0) return false;
  const std::vector<int32_t>& items = tree.Children(row);
  for (int32_t i = 0; i < static_cast<int32_t>(items.size()); ++i) {
    if (tree.Data(items[i]).selection == SelFull) {
      caret = Caret{row, i};
      break;
    }
  }
  return true;
}

bool CaretToSelectionEnd(const EquationTree& tree, Caret& caret) {
  const int32_t row = FirstRowWithFullItem(tree, tree.root);
  if (row < 0) return false;
  const std::vector<int32_t>& items = tree.Children(row);
  for (int32_t i = static_cast<int32_t>(items.size()) - 1; i >= 0; --i) {
    if (tree.Data(items[i]).selection == SelFull) {
      caret = Caret{row, i + 1};
      break;
    }
  }
  return true;
}

void RemoveSelected(EquationTree& tree) {
  if (tree.root >= 0) RemoveSelectedBelow(tree, tree.root);
}

int32_t CountMarked(const EquationTree& tree, int32_t* lastMarked) {
  int32_t count = 0;
  if (lastMarked) *lastMarked = -1;
  tree.CollectSubtree(tree.root, [&](int32_t node) {
    if (!tree.Data(node).marked) return;
    ++count;
    if (lastMarked) *lastMarked = node;
  });
  return count;
}

}  // namespace kav
