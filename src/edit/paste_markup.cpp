#include "edit/paste_markup.h"

#include <algorithm>

#include "edit/tree_queries.h"
#include "import/input_bounds.h"

namespace kav {
namespace {

// Structures within structures below `node`; symbols, placeholders and rows do not count.
int32_t StructureDepthBelow(const EquationTree& tree, int32_t node) {
  int32_t deepest = 0;
  for (int32_t child : tree.Children(node)) {
    const bool structure = tree.CodeAt(child) != code::Group && tree.ChildCount(child) > 0;
    deepest = std::max(deepest, (structure ? 1 : 0) + StructureDepthBelow(tree, child));
  }
  return deepest;
}

bool IsPastedItem(const EquationTree& tree, int32_t item) {
  return tree.CodeAt(item) != code::Placeholder;
}

// A row that now starts with a script gets its placeholder base back, in front of the caret.
void RestoreLeadingPlaceholder(EquationTree& tree, Caret& caret) {
  const SymbolCode first = CodeAtPosition(tree, caret.node, 0);
  if (!IsScriptCode(first)) return;
  tree.InsertChild(caret.node, 0, MakeNode(code::Placeholder));
  ++caret.position;
}

}  // namespace

bool PasteLengthAllowed(Host& host, size_t length) {
  if (length <= kMaxFormulaText) return true;
  host.SetStatusText(TooLongText(u"The clipboard's text", length) + u"; nothing was pasted.");
  return false;
}

EquationLine ReadPastedMarkup(std::u16string text) {
  return EquationLine(std::move(text));
}

int32_t PastedItemCount(const EquationLine& pasted) {
  const EquationTree& tree = pasted.tree;
  if (tree.root < 0) return 0;
  int32_t count = 0;
  for (int32_t item : tree.Children(tree.root)) count += IsPastedItem(tree, item) ? 1 : 0;
  return count;
}

bool PasteFits(const EquationTree& tree, int32_t row, const EquationLine& pasted) {
  if (pasted.tree.root < 0) return true;
  return NestingOf(tree, row) + StructureDepthBelow(pasted.tree, pasted.tree.root) <=
         kMaxStructureNesting;
}

EditResult PasteItems(EquationTree& tree, Caret& caret, const EquationLine& pasted) {
  if (PastedItemCount(pasted) == 0) return EditResult::Nothing;
  if (!PasteFits(tree, caret.node, pasted)) return EditResult::TooDeep;
  const EquationTree& source = pasted.tree;
  tree.ReserveMore(source.nodes.size() + 1);
  ReserveMore(tree.nodes[caret.node].children, source.Children(source.root).size() + 1);
  for (int32_t item : source.Children(source.root)) {
    if (!IsPastedItem(source, item)) continue;
    DropLeadingPlaceholder(tree, caret);
    // The copy carries the item's whole payload: code, style and the rest.
    const int32_t copy = tree.InsertChild(caret.node, caret.position, source.Data(item));
    tree.GraftCopy(copy, source, item);
    ++caret.position;
  }
  RestoreLeadingPlaceholder(tree, caret);
  return EditResult::Changed;
}

}  // namespace kav
