// Insertions at the caret: symbols, big operators, scripts, fractions and roots.
#include "edit/edit_ops.h"
#include "edit/tree_queries.h"
#include "model/function_names.h"

namespace kav {
namespace {

// A new structure at the caret must stay within the nesting the reader accepts.
bool RoomForStructure(const EquationTree& tree, const Caret& caret) {
  return NestingOf(tree, caret.node) + 1 <= kMaxStructureNesting;
}

// Inserts a structure with its slots as empty groups at the caret and steps past it.
int32_t InsertStructure(EquationTree& tree, Caret& caret, SymbolCode c) {
  const int32_t node = tree.InsertChild(caret.node, caret.position, MakeNode(c));
  ++caret.position;
  const int32_t slots = FindConstruct(c)->slotCount;
  for (int32_t i = 0; i < slots; ++i) tree.AddChild(node, MakeNode(code::Group));
  return node;
}

// Letters that end a recognised function name are set in roman, the rest of their style cleared.
void SetFunctionNameRoman(EquationTree& tree, int32_t node) {
  const size_t letters = TrailingFunctionName(LowercaseRunBefore(tree, node)).size();
  if (letters == 0) return;
  const int32_t row = tree.Parent(node);
  const int32_t last = tree.IndexInParent(node);
  for (int32_t k = 0; k < static_cast<int32_t>(letters); ++k) {
    tree.Data(tree.Child(row, last - k)).style = StyleRoman;
  }
}

// ^ and _: enter a script of the same kind next to the caret, or make a new one.
EditResult InsertScript(EquationTree& tree, Caret& caret, SymbolCode script) {
  const int32_t before = ItemAt(tree, caret.node, caret.position - 1);
  if (caret.position > 0 && before >= 0 && tree.CodeAt(before) == script) {
    const int32_t slot = tree.Child(before, 0);
    caret = Caret{slot, tree.ChildCount(slot)};
    return EditResult::CaretMoved;
  }
  const int32_t at = ItemAt(tree, caret.node, caret.position);
  if (at >= 0 && tree.CodeAt(at) == script) {
    caret = Caret{tree.Child(at, 0), 0};
    return EditResult::CaretMoved;
  }
  if (!RoomForStructure(tree, caret)) return EditResult::TooDeep;
  if (script == code::Super) {
    // The leading placeholder stays and becomes the superscript's base.
    if (caret.position == 0 && HasLeadingPlaceholder(tree, caret.node)) caret.position = 1;
  } else {
    DropLeadingPlaceholder(tree, caret);
  }
  const int32_t node = InsertStructure(tree, caret, script);
  caret = Caret{tree.Child(node, 0), 0};
  return EditResult::Changed;
}

// A fraction, root or big operator in place of a leading placeholder, the caret in its first
// slot.
EditResult InsertAndEnter(EquationTree& tree, Caret& caret, SymbolCode c) {
  if (!RoomForStructure(tree, caret)) return EditResult::TooDeep;
  DropLeadingPlaceholder(tree, caret);
  const int32_t node = InsertStructure(tree, caret, c);
  caret = Caret{tree.Child(node, 0), 0};
  return EditResult::Changed;
}

}  // namespace

void DropLeadingPlaceholder(EquationTree& tree, Caret& caret) {
  if (caret.position > 1 || !HasLeadingPlaceholder(tree, caret.node)) return;
  tree.Detach(tree.Child(caret.node, 0));
  caret.position = 0;
}

EditResult InsertSymbol(EquationTree& tree, Caret& caret, SymbolCode c,
                        const StyleStatistics& statistics) {
  // The limits come first, as they are written: the caret goes into the lower one.
  if (IsBigOperator(c)) return InsertAndEnter(tree, caret, c);
  DropLeadingPlaceholder(tree, caret);
  const int32_t node = tree.InsertChild(caret.node, caret.position, MakeNode(c));
  ++caret.position;
  tree.Data(node).style = statistics.StyleFor(c);
  SetFunctionNameRoman(tree, node);
  return EditResult::Changed;
}

EditResult InsertSuperscript(EquationTree& tree, Caret& caret) {
  return InsertScript(tree, caret, code::Super);
}

EditResult InsertSubscript(EquationTree& tree, Caret& caret) {
  return InsertScript(tree, caret, code::Sub);
}

EditResult InsertFraction(EquationTree& tree, Caret& caret) {
  return InsertAndEnter(tree, caret, code::Frac);
}

EditResult InsertRoot(EquationTree& tree, Caret& caret) {
  return InsertAndEnter(tree, caret, code::Sqrt);
}

}  // namespace kav
