// Scripts that end by themselves: after x^2 the user types + and means x²+, not x^(2+).
#include "edit/edit_ops.h"
#include "edit/typing_roles.h"
#include "model/constructs.h"

namespace kav {
namespace {

bool IsDigit(SymbolCode c) {
  return c >= '0' && c <= '9';
}

// Past the number that starts at `first`: digits with at most one decimal point among them.
int32_t NumberEnd(const EquationTree& tree, int32_t row, int32_t first) {
  bool point = false;
  int32_t i = first;
  for (; i < tree.ChildCount(row); ++i) {
    const SymbolCode c = tree.CodeAt(tree.Child(row, i));
    if (c == '.' && !point) {
      point = true;
    } else if (!IsDigit(c)) {
      break;
    }
  }
  return i;
}

// One number, letter or named symbol, followed by nothing but its own scripts.
bool HoldsSingleItem(const EquationTree& tree, int32_t row) {
  const int32_t count = tree.ChildCount(row);
  if (count == 0) return false;
  const SymbolCode first = tree.CodeAt(tree.Child(row, 0));
  int32_t i = 1;
  if (IsDigit(first)) {
    i = NumberEnd(tree, row, 0);
  } else if (RoleOf(first) != TypingRole::Operand || first == '.' || first == '!') {
    return false;
  }
  for (; i < count; ++i) {
    if (!IsScriptCode(tree.CodeAt(tree.Child(row, i)))) return false;
  }
  return true;
}

}  // namespace

void LeaveFinishedScripts(EquationTree& tree, Caret& caret) {
  for (;;) {
    const int32_t row = caret.node;
    const int32_t script = row >= 0 ? tree.Parent(row) : -1;
    if (script < 0 || !IsScriptCode(tree.CodeAt(script))) return;
    if (caret.position != tree.ChildCount(row) || !HoldsSingleItem(tree, row)) return;
    caret = Caret{tree.Parent(script), tree.IndexInParent(script) + 1};
  }
}

}  // namespace kav
