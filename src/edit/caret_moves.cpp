#include "edit/caret_moves.h"

#include <algorithm>

#include "edit/tree_queries.h"

namespace kav {
namespace {

void SetCaret(Caret& caret, int32_t row, int32_t position) {
  caret.node = row;
  caret.position = position;
}

void ToRowEnd(const EquationTree& tree, Caret& caret, int32_t row) {
  SetCaret(caret, row, tree.ChildCount(row));
}

// Leaves the structure that holds `row`: just after it, or just before it.
void LeaveStructure(const EquationTree& tree, Caret& caret, int32_t row, bool after) {
  const int32_t structure = tree.Parent(row);
  const int32_t outer = tree.Parent(structure);
  SetCaret(caret, outer, tree.IndexInParent(structure) + (after ? 1 : 0));
}

// The slot of `item` that Up (or Down) enters from beside it, or -1: a big operator's limit,
// unless it starts with none and is switched off.
int32_t SlotEnteredVertically(const EquationTree& tree, int32_t item, bool up) {
  const ConstructRow* row = item >= 0 ? FindConstruct(tree.CodeAt(item)) : nullptr;
  if (row == nullptr) return -1;
  const int32_t slot = up ? row->upEnters : row->downEnters;
  return slot >= 0 && LimitShown(tree, tree.Child(item, slot)) ? slot : -1;
}

// Up and Down differ in the limit they look into (upper 1, lower 0), in which part of a fraction
// they leave, and in the limit they leave towards the operand: Up leaves the lower limit and Down
// the upper one to just after their operator, from where the same key goes on into the other
// limit. Neither leaves a limit the other way: just after the operator Down would enter the lower
// limit again, and the caret would cycle there for ever, so for Down a lower limit has no exit of
// its own (as an upper limit has none for Up) and the caret moves on below.
bool MoveVertically(const EquationTree& tree, Caret& caret, bool up) {
  const int32_t row = caret.node;
  const int32_t p = caret.position;
  const int32_t before = p > 0 ? ItemAt(tree, row, p - 1) : -1;
  if (const int32_t slot = SlotEnteredVertically(tree, before, up); slot >= 0) {
    ToRowEnd(tree, caret, tree.Child(before, slot));
    return true;
  }
  const int32_t at = ItemAt(tree, row, p);
  if (const int32_t slot = SlotEnteredVertically(tree, at, up); slot >= 0) {
    SetCaret(caret, tree.Child(at, slot), 0);
    return true;
  }
  for (int32_t child = row, a = tree.Parent(row); a >= 0; child = a, a = tree.Parent(a)) {
    const SlotRow* slot = SlotOf(tree, child);
    const int8_t move = slot == nullptr ? kPassOn : up ? slot->up : slot->down;
    if (move >= 0) {
      ToRowEnd(tree, caret, tree.Child(a, move));
      return true;
    }
    if (move == kLeaveAfter) {
      SetCaret(caret, tree.Parent(a), tree.IndexInParent(a) + 1);
      return true;
    }
  }
  return false;
}

// Pre-order search of JumpToSlot; `passed` turns on once the walk is past the caret.
struct SlotSearch {
  const EquationTree& tree;
  int32_t row;
  int32_t position;
  bool passed = false;
  bool done = false;
  Caret found;

  void Visit(int32_t node) {
    Test(node);
    for (int32_t child : tree.Children(node)) Visit(child);
  }

  void Test(int32_t node) {
    const int32_t parent = tree.Parent(node);
    if (parent < 0) return;
    const int32_t index = tree.IndexInParent(node);
    if (parent == row) {
      const int32_t k = index == 0 && HasLeadingPlaceholder(tree, row) ? 1 : index;
      if (k >= position) {
        passed = true;
        return;
      }
    }
    const int32_t previous = index > 0 ? tree.Child(parent, index - 1) : -1;
    if (previous >= 0 && previous == row) passed = true;
    if (previous >= 0 && tree.Parent(row) >= 0 && previous == tree.Parent(row)) passed = true;
    if (passed && !done && tree.CodeAt(node) == code::Placeholder) {
      done = true;
      found = Caret{parent, index};
    }
  }
};

// Tab in a limit of a big operator: from the lower limit into the upper one (before its
// placeholder, or at its end), from the upper limit to the operand just after the operator.
bool JumpThroughLimits(const EquationTree& tree, Caret& caret) {
  const int32_t row = caret.node;
  const int32_t op = tree.Parent(row);
  if (op < 0 || !IsBigOperator(tree.CodeAt(op))) return false;
  const int32_t upper = tree.Child(op, 1);
  if (row == tree.Child(op, 0) && LimitShown(tree, upper)) {
    SetCaret(caret, upper, IsEmptySlot(tree, upper) ? 0 : tree.ChildCount(upper));
  } else {
    SetCaret(caret, tree.Parent(op), tree.IndexInParent(op) + 1);
  }
  return true;
}

}  // namespace

void MoveHome(const EquationTree& tree, Caret& caret) {
  SetCaret(caret, tree.root, 0);
}

void MoveEnd(const EquationTree& tree, Caret& caret) {
  SetCaret(caret, tree.root, tree.root >= 0 ? tree.ChildCount(tree.root) : 0);
}

void MoveRight(const EquationTree& tree, Caret& caret) {
  const int32_t row = caret.node;
  int32_t p = caret.position;
  // Positions 0 and 1 before a leading placeholder are one place; step from the second.
  if (p == 0 && HasLeadingPlaceholder(tree, row)) p = 1;
  const int32_t item = ItemAt(tree, row, p);
  if (item >= 0 && IsEnterable(tree.CodeAt(item)) && tree.ChildCount(item) > 0) {
    SetCaret(caret, tree.Child(item, 0), 0);
    return;
  }
  if (p + 1 <= tree.ChildCount(row)) {
    caret.position = p + 1;
    return;
  }
  caret.position = p;
  const int32_t structure = tree.Parent(row);
  if (structure < 0) return;
  const SlotRow* slot = SlotOf(tree, row);
  if (slot != nullptr && slot->next >= 0) {
    SetCaret(caret, tree.Child(structure, slot->next), 0);
    return;
  }
  LeaveStructure(tree, caret, row, true);
}

void MoveLeft(const EquationTree& tree, Caret& caret) {
  const int32_t row = caret.node;
  const int32_t p = caret.position;
  const int32_t before = p > 0 ? ItemAt(tree, row, p - 1) : -1;
  if (before >= 0 && IsEnterable(tree.CodeAt(before)) && tree.ChildCount(before) > 0) {
    ToRowEnd(tree, caret, tree.Child(before, tree.ChildCount(before) - 1));
    return;
  }
  const bool atStart = p <= 0 || (p == 1 && HasLeadingPlaceholder(tree, row));
  if (!atStart) {
    caret.position = p - 1;
    return;
  }
  const int32_t structure = tree.Parent(row);
  if (structure < 0) {
    caret.position = 0;
    return;
  }
  const SlotRow* slot = SlotOf(tree, row);
  if (slot != nullptr && slot->previous >= 0) {
    ToRowEnd(tree, caret, tree.Child(structure, slot->previous));
    return;
  }
  LeaveStructure(tree, caret, row, false);
}

bool MoveUp(const EquationTree& tree, Caret& caret) {
  return MoveVertically(tree, caret, true);
}

bool MoveDown(const EquationTree& tree, Caret& caret) {
  return MoveVertically(tree, caret, false);
}

void JumpToSlot(const EquationTree& tree, Caret& caret) {
  if (tree.root < 0 || JumpThroughLimits(tree, caret)) return;
  SlotSearch search{tree, caret.node, caret.position, false, false, Caret{}};
  search.Visit(tree.root);
  if (search.done) {
    caret = search.found;
    ClampCaret(tree, caret);
  } else {
    MoveEnd(tree, caret);
  }
}

void ClampCaret(const EquationTree& tree, Caret& caret) {
  if (caret.node < 0) return;
  caret.position = std::clamp(caret.position, 0, tree.ChildCount(caret.node));
}

}  // namespace kav
