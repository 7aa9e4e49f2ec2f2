// Backspace and Delete without a selection: remove a symbol, enter a structure, or remove an
// empty structure.
#include "edit/edit_ops.h"
#include "edit/tree_queries.h"

namespace kav {
namespace {

void RemoveItem(EquationTree& tree, int32_t item) {
  tree.Detach(item);
}

// Backspace at the start of a row: leave or remove the structure that holds it.
EditResult DeleteAtRowStart(EquationTree& tree, Caret& caret) {
  const int32_t row = caret.node;
  const int32_t structure = tree.Parent(row);
  if (structure < 0) return EditResult::Nothing;
  const SymbolCode c = tree.CodeAt(structure);
  const bool removable = (c == code::Frac && row == tree.Child(structure, 0) &&
                          IsEmptySlot(tree, row) && IsEmptySlot(tree, tree.Child(structure, 1))) ||
                         (IsScriptOrRoot(c) && IsEmptySlot(tree, row));
  if (removable) {
    const int32_t outer = tree.Parent(structure);
    caret = Caret{outer, tree.IndexInParent(structure)};
    RemoveItem(tree, structure);
    return EditResult::Changed;
  }
  if (c == code::Frac && row == tree.Child(structure, 1) && IsEmptySlot(tree, row)) {
    const int32_t numerator = tree.Child(structure, 0);
    caret = Caret{numerator, tree.ChildCount(numerator)};
    return EditResult::CaretMoved;
  }
  return EditResult::Nothing;
}

}  // namespace

EditResult DeleteBackward(EquationTree& tree, Caret& caret) {
  const int32_t before = ItemAt(tree, caret.node, caret.position - 1);
  if (caret.position > 0 && before >= 0 && tree.CodeAt(before) != code::Placeholder) {
    const SymbolCode c = tree.CodeAt(before);
    if (IsLetterCode(c)) {  // ordinary symbols and the big operators
      RemoveItem(tree, before);
      --caret.position;
      return EditResult::Changed;
    }
    if (IsEnterable(c)) {
      const int32_t slot = tree.Child(before, tree.ChildCount(before) - 1);
      if (slot < 0) return EditResult::Nothing;
      caret = Caret{slot, tree.ChildCount(slot)};
      return EditResult::CaretMoved;
    }
  }
  return DeleteAtRowStart(tree, caret);
}

EditResult DeleteForward(EquationTree& tree, Caret& caret) {
  const int32_t item = ItemAt(tree, caret.node, caret.position);
  if (caret.position < 0 || item < 0) return EditResult::Nothing;
  const SymbolCode c = tree.CodeAt(item);
  const bool removable = IsLetterCode(c) ||
                         (c == code::Frac && IsEmptySlot(tree, tree.Child(item, 0)) &&
                          IsEmptySlot(tree, tree.Child(item, 1))) ||
                         (c == code::Sqrt && IsEmptySlot(tree, tree.Child(item, 0)));
  if (!removable) return EditResult::Nothing;
  RemoveItem(tree, item);
  return EditResult::Changed;
}

}  // namespace kav
