// The / key: the operand just before the caret becomes the numerator of a new fraction.
#include "edit/edit_ops.h"
#include "edit/tree_queries.h"
#include "edit/typing_roles.h"

namespace kav {
namespace {

SymbolCode CodeBefore(const EquationTree& tree, int32_t row, int32_t index) {
  return index > 0 ? tree.CodeAt(tree.Child(row, index - 1)) : 0;
}

// The index of the item that the scripts ending just before `end` are attached to, plus one.
int32_t SkipScripts(const EquationTree& tree, int32_t row, int32_t end) {
  while (end > 0 && IsScriptCode(CodeBefore(tree, row, end))) --end;
  return end;
}

// Letters, digits, named symbols and the structures that stand as one operand.
bool TakenIntoOperand(SymbolCode c) {
  const ConstructRow* row = FindConstruct(c);
  return RoleOf(c) == TypingRole::Operand ||
         (row != nullptr && row->attachment == Attachment::Alone);
}

// Where the operand ending just before `end` starts: a bracketed group with its scripts, or a run
// of letters, digits and named symbols with theirs. An operator, relation, comma, big operator or
// the start of the row ends it.
int32_t OperandStart(const EquationTree& tree, int32_t row, int32_t end) {
  const int32_t base = SkipScripts(tree, row, end);
  if (RoleOf(CodeBefore(tree, row, base)) == TypingRole::Close) {
    // A pair opened before the row began holds the whole row (after a leading placeholder).
    const int32_t open = MatchingOpen(tree, row, base - 1);
    return open >= 0 ? open : HasLeadingPlaceholder(tree, row) ? 1 : 0;
  }
  int32_t start = end;
  for (int32_t next = base; next > 0 && TakenIntoOperand(CodeBefore(tree, row, next));) {
    start = next - 1;
    next = SkipScripts(tree, row, start);
  }
  return start;
}

}  // namespace

EditResult FractionOfPreceding(EquationTree& tree, Caret& caret) {
  LeaveFinishedScripts(tree, caret);
  const int32_t row = caret.node;
  const int32_t p = caret.position;
  if (p == 0 || (p == 1 && HasLeadingPlaceholder(tree, row))) return InsertFraction(tree, caret);
  const int32_t before = ItemAt(tree, row, p - 1);
  if (before >= 0 && tree.CodeAt(before) == code::Frac) {
    const int32_t denominator = tree.Child(before, 1);
    caret = Caret{denominator, tree.ChildCount(denominator)};
    return EditResult::CaretMoved;
  }
  return WrapInFraction(tree, caret, ItemRun{row, OperandStart(tree, row, p), p});
}

}  // namespace kav
