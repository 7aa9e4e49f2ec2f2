#include "edit/tree_queries.h"

#include <algorithm>

#include "edit/typing_roles.h"

namespace kav {

bool HasLeadingPlaceholder(const EquationTree& tree, int32_t row) {
  const int32_t first = tree.Child(row, 0);
  return first >= 0 && tree.CodeAt(first) == code::Placeholder;
}

bool IsEmptySlot(const EquationTree& tree, int32_t node) {
  const SymbolCode c = tree.CodeAt(node);
  if (c == code::Placeholder) return true;
  if (c != code::Group) return false;
  const int32_t count = tree.ChildCount(node);
  return count == 0 || (count == 1 && tree.CodeAt(tree.Child(node, 0)) == code::Placeholder);
}

const SlotRow* SlotOf(const EquationTree& tree, int32_t row) {
  const int32_t structure = tree.Parent(row);
  if (structure < 0) return nullptr;
  const ConstructRow* construct = FindConstruct(tree.CodeAt(structure));
  const int32_t slot = tree.IndexInParent(row);
  if (construct == nullptr || slot < 0 || slot >= construct->slotCount) return nullptr;
  return &construct->slots[static_cast<size_t>(slot)];
}

bool AllSlotsEmpty(const EquationTree& tree, int32_t node) {
  const int32_t slots = FindConstruct(tree.CodeAt(node))->slotCount;
  for (int32_t slot = 0; slot < slots; ++slot) {
    if (!IsEmptySlot(tree, tree.Child(node, slot))) return false;
  }
  return true;
}

int32_t ItemAt(const EquationTree& tree, int32_t row, int32_t position) {
  return tree.Child(row, position);
}

SymbolCode CodeAtPosition(const EquationTree& tree, int32_t row, int32_t position) {
  const int32_t item = tree.Child(row, position);
  return item >= 0 ? tree.CodeAt(item) : 0;
}

int32_t MatchingOpen(const EquationTree& tree, int32_t row, int32_t close) {
  int32_t depth = 0;
  for (int32_t i = close; i >= 0; --i) {
    const TypingRole role = RoleOf(tree.CodeAt(tree.Child(row, i)));
    if (role == TypingRole::Close) ++depth;
    if (role == TypingRole::Open && --depth == 0) return i;
  }
  return -1;
}

bool IsWithin(const EquationTree& tree, int32_t node, int32_t ancestor) {
  for (int32_t n = node; n >= 0; n = tree.Parent(n)) {
    if (n == ancestor) return true;
  }
  return false;
}

int32_t NestingOf(const EquationTree& tree, int32_t node) {
  int32_t nesting = 0;
  for (int32_t n = node; n >= 0; n = tree.Parent(n)) {
    if (tree.CodeAt(n) != code::Group) ++nesting;
  }
  return nesting;
}

int32_t NestingBelow(const EquationTree& tree, int32_t node) {
  int32_t deepest = 0;
  for (int32_t child : tree.Children(node)) {
    const int32_t own = tree.CodeAt(child) == code::Group ? 0 : 1;
    deepest = std::max(deepest, own + NestingBelow(tree, child));
  }
  return deepest;
}

}  // namespace kav
