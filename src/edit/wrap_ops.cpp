// Structures built around a run of items that already stand in a row: the selection when the user
// types a structure over it, and the operand that / takes.
#include <algorithm>

#include "edit/edit_ops.h"
#include "edit/tree_queries.h"
#include "edit/typing_roles.h"

namespace kav {
namespace {

// Moves the run's items, with their subtrees, to the front of `target`.
void MoveItems(EquationTree& tree, const ItemRun& run, int32_t target) {
  std::vector<int32_t>& items = tree.nodes[run.row].children;
  std::vector<int32_t>& into = tree.nodes[target].children;
  into.insert(into.begin(), items.begin() + run.start, items.begin() + run.end);
  items.erase(items.begin() + run.start, items.begin() + run.end);
  for (int32_t i = 0; i < run.end - run.start; ++i) tree.nodes[into[i]].parent = target;
}

// The deepest structure nesting among the run's items, each counted from the row.
int32_t DeepestIn(const EquationTree& tree, const ItemRun& run) {
  int32_t deepest = 0;
  for (int32_t i = run.start; i < run.end; ++i) {
    const int32_t item = tree.Child(run.row, i);
    const int32_t own = tree.CodeAt(item) == code::Group ? 0 : 1;
    deepest = std::max(deepest, own + NestingBelow(tree, item));
  }
  return deepest;
}

// A structure with its empty slots in place of the run, the run in its first slot; -1 when the
// run would then nest deeper than the reader accepts.
int32_t WrapInSlot(EquationTree& tree, const ItemRun& run, SymbolCode c) {
  if (NestingOf(tree, run.row) + 1 + DeepestIn(tree, run) > kMaxStructureNesting) return -1;
  const int32_t node = tree.InsertChild(run.row, run.end, MakeNode(c));
  const int32_t slots = FindConstruct(c)->slotCount;
  for (int32_t i = 0; i < slots; ++i) tree.AddChild(node, MakeNode(code::Group));
  MoveItems(tree, run, tree.Child(node, 0));
  return node;
}

// A run that is one bracketed group already.
bool Bracketed(const EquationTree& tree, const ItemRun& run) {
  return run.end - run.start > 1 && MatchingOpen(tree, run.row, run.end - 1) == run.start;
}

EditResult WrapAsScriptBase(EquationTree& tree, Caret& caret, const ItemRun& run,
                            SymbolCode script) {
  if (NestingOf(tree, run.row) + 1 > kMaxStructureNesting) return EditResult::TooDeep;
  const bool several = run.end - run.start > 1 && !Bracketed(tree, run);
  caret = Caret{run.row, run.end};
  if (several) WrapInBrackets(tree, caret, run, '(');
  const EditResult entered =
      script == code::Super ? InsertSuperscript(tree, caret) : InsertSubscript(tree, caret);
  return several ? EditResult::Changed : entered;
}

}  // namespace

EditResult WrapInFraction(EquationTree& tree, Caret& caret, const ItemRun& run) {
  const int32_t fraction = WrapInSlot(tree, run, code::Frac);
  if (fraction < 0) return EditResult::TooDeep;
  caret = Caret{tree.Child(fraction, 1), 0};
  return EditResult::Changed;
}

EditResult WrapInRoot(EquationTree& tree, Caret& caret, const ItemRun& run) {
  const int32_t root = WrapInSlot(tree, run, code::Sqrt);
  if (root < 0) return EditResult::TooDeep;
  const int32_t body = tree.Child(root, 0);
  caret = Caret{body, tree.ChildCount(body)};
  return EditResult::Changed;
}

EditResult WrapAsSuperscriptBase(EquationTree& tree, Caret& caret, const ItemRun& run) {
  return WrapAsScriptBase(tree, caret, run, code::Super);
}

EditResult WrapAsSubscriptBase(EquationTree& tree, Caret& caret, const ItemRun& run) {
  return WrapAsScriptBase(tree, caret, run, code::Sub);
}

// The caret goes after the closing bracket.
EditResult WrapInBrackets(EquationTree& tree, Caret& caret, const ItemRun& run, SymbolCode open) {
  tree.InsertChild(run.row, run.end, MakeNode(ClosingPartner(open)));
  tree.InsertChild(run.row, run.start, MakeNode(open));
  caret = Caret{run.row, run.end + 2};
  return EditResult::Changed;
}

}  // namespace kav
