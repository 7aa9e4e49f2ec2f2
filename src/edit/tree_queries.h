// Questions about rows, items and slots that caret moves, edits and selection share.
#pragma once
#include <cstdint>

#include "model/constructs.h"
#include "model/line.h"

namespace kav {

// Structures whose slot the caret enters by Left, Right and Backspace.
inline bool IsEnterable(SymbolCode c) {
  const ConstructRow* row = FindConstruct(c);
  return row != nullptr && row->entersSideways;
}

// What the construct table says of the slot `row` fills in its parent structure; nullptr for
// the root, a row whose parent is no structure, or a child past the structure's slots.
const SlotRow* SlotOf(const EquationTree& tree, int32_t row);

// Whether every slot of the structure `node` is empty.
bool AllSlotsEmpty(const EquationTree& tree, int32_t node);

// The row's first child is the placeholder: positions 0 and 1 are then one caret place.
bool HasLeadingPlaceholder(const EquationTree& tree, int32_t row);

// The placeholder itself, a group without children, or a group holding only the placeholder.
bool IsEmptySlot(const EquationTree& tree, int32_t node);

// The item at `position` of `row`, or -1 past the end (or before the start).
int32_t ItemAt(const EquationTree& tree, int32_t row, int32_t position);

// The code of the item at `position`, or 0 when there is none.
SymbolCode CodeAtPosition(const EquationTree& tree, int32_t row, int32_t position);

// The opening bracket that pairs with the closing one at index `close` of `row`, or -1 when the
// pair opened before the row began.
int32_t MatchingOpen(const EquationTree& tree, int32_t row, int32_t close);

// Whether `node` lies in the subtree of `ancestor` (a node lies in its own subtree).
bool IsWithin(const EquationTree& tree, int32_t node, int32_t ancestor);

// Structures (non-group nodes) from `node` up to the root, `node` included.
int32_t NestingOf(const EquationTree& tree, int32_t node);

// The deepest structure nesting inside the subtree of `node`, counted from `node`'s children.
int32_t NestingBelow(const EquationTree& tree, int32_t node);

}  // namespace kav
