// The / key: the items just before the caret become the numerator of a new fraction.
#include <algorithm>

#include "edit/edit_ops.h"
#include "edit/tree_queries.h"

namespace kav {
namespace {

// Operators, brackets, named symbols, big operators and the placeholder end the numerator;
// letters, digits, ! * . ] and structures are taken into it.
bool StopsNumerator(SymbolCode c) {
  switch (c) {
    case '(':
    case ')':
    case '+':
    case ',':
    case '-':
    case '=':
    case '[':
    case code::Placeholder:
    case code::Sum:
    case code::Prod:
    case code::Integral: return true;
    default: return Contains(c);
  }
}

// The index of the first item of the run that the numerator takes, ending just before `end`.
int32_t NumeratorStart(const EquationTree& tree, int32_t row, int32_t end) {
  int32_t start = end;
  while (start > 0 && !StopsNumerator(tree.CodeAt(tree.Child(row, start - 1)))) --start;
  return start;
}

// Moves items [start, end) of `row`, with their subtrees, to the front of `target`.
void MoveItems(EquationTree& tree, int32_t row, int32_t start, int32_t end, int32_t target) {
  std::vector<int32_t>& items = tree.nodes[row].children;
  std::vector<int32_t>& into = tree.nodes[target].children;
  into.insert(into.begin(), items.begin() + start, items.begin() + end);
  items.erase(items.begin() + start, items.begin() + end);
  for (int32_t i = 0; i < end - start; ++i) tree.nodes[into[i]].parent = target;
}

int32_t DeepestIn(const EquationTree& tree, int32_t row, int32_t start, int32_t end) {
  int32_t deepest = 0;
  for (int32_t i = start; i < end; ++i) {
    const int32_t item = tree.Child(row, i);
    const int32_t own = tree.CodeAt(item) == code::Group ? 0 : 1;
    deepest = std::max(deepest, own + NestingBelow(tree, item));
  }
  return deepest;
}

}  // namespace

EditResult FractionOfPreceding(EquationTree& tree, Caret& caret) {
  const int32_t row = caret.node;
  const int32_t p = caret.position;
  if (p == 0 || (p == 1 && HasLeadingPlaceholder(tree, row))) return InsertFraction(tree, caret);
  const int32_t before = ItemAt(tree, row, p - 1);
  if (before >= 0 && tree.CodeAt(before) == code::Frac) {
    const int32_t denominator = tree.Child(before, 1);
    caret = Caret{denominator, tree.ChildCount(denominator)};
    return EditResult::CaretMoved;
  }
  const int32_t start = NumeratorStart(tree, row, p);
  if (NestingOf(tree, row) + 1 + DeepestIn(tree, row, start, p) > kMaxStructureNesting) {
    return EditResult::TooDeep;
  }
  const int32_t fraction = tree.InsertChild(row, p, MakeNode(code::Frac));
  const int32_t numerator = tree.AddChild(fraction, MakeNode(code::Group));
  MoveItems(tree, row, start, p, numerator);
  const int32_t denominator = tree.AddChild(fraction, MakeNode(code::Group));
  caret = Caret{denominator, 0};
  return EditResult::Changed;
}

}  // namespace kav
