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
  const SlotRow* slot = SlotOf(tree, row);
  if (slot == nullptr) return EditResult::Nothing;
  if (slot->backspaceAtStart == SlotStartBackspace::RemoveIfAllEmpty &&
      AllSlotsEmpty(tree, structure)) {
    const int32_t outer = tree.Parent(structure);
    caret = Caret{outer, tree.IndexInParent(structure)};
    RemoveItem(tree, structure);
    return EditResult::Changed;
  }
  if (slot->backspaceAtStart == SlotStartBackspace::ToPreviousSlotIfEmpty &&
      IsEmptySlot(tree, row)) {
    const int32_t previous = tree.Child(structure, slot->previous);
    caret = Caret{previous, tree.ChildCount(previous)};
    return EditResult::CaretMoved;
  }
  return EditResult::Nothing;
}

}  // namespace

EditResult DeleteBackward(EquationTree& tree, Caret& caret) {
  const int32_t before = ItemAt(tree, caret.node, caret.position - 1);
  if (caret.position > 0 && before >= 0 && tree.CodeAt(before) != code::Placeholder) {
    const SymbolCode c = tree.CodeAt(before);
    const ConstructRow* structure = FindConstruct(c);
    const bool remove = structure != nullptr
                            ? structure->backspaceAfter == BackspaceAfter::Remove
                            : IsLetterCode(c);
    if (remove) {
      RemoveItem(tree, before);
      --caret.position;
      return EditResult::Changed;
    }
    if (structure != nullptr) {
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
  const ConstructRow* structure = FindConstruct(tree.CodeAt(item));
  const bool removable =
      structure == nullptr ? IsLetterCode(tree.CodeAt(item))
                           : structure->deleteOn == DeleteOn::Remove ||
                                 (structure->deleteOn == DeleteOn::RemoveIfAllEmpty &&
                                  AllSlotsEmpty(tree, item));
  if (!removable) return EditResult::Nothing;
  RemoveItem(tree, item);
  return EditResult::Changed;
}

}  // namespace kav
