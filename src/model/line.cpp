#include "model/line.h"

#include "model/constructs.h"

namespace kav {
namespace {

// The nodes these tokens make, placeholders included: one per token but the braces, a row per
// opening brace and the root, and a placeholder for each row that is empty or starts with a
// script. The pools are sized once to it, not grown by doubling.
size_t NodesOfTokens(const std::vector<Token>& tokens) {
  size_t nodes = 2;  // the root row and its possible placeholder
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].code == u'}') continue;
    ++nodes;
    if (tokens[i].code != u'{' || i + 1 == tokens.size()) continue;
    const SymbolCode next = tokens[i + 1].code;
    if (next == u'}' || IsScriptCode(next)) ++nodes;
  }
  return nodes;
}

}  // namespace

EquationLine::EquationLine(std::u16string text, const LineLayouter* lineLayouter)
    : markup(std::move(text)), layouter(lineLayouter) {
  Reparse();
}

EquationLine::EquationLine(const EquationLine& other)
    : markup(other.markup), layouter(other.layouter) {
  Reparse();
}

EquationLine& EquationLine::operator=(const EquationLine& other) {
  if (this != &other) {
    markup = other.markup;
    layouter = other.layouter;
  }
  Reparse();
  return *this;
}

void EquationLine::InsertPlaceholders() {
  if (tree.root < 0) tree.SetRoot(MakeNode(code::Group));
  PlaceholderPass(tree.root);
}

void EquationLine::PlaceholderPass(int32_t node) {
  if (node < 0) return;
  for (size_t i = 0; i < tree.nodes[node].children.size(); ++i) {
    PlaceholderPass(tree.nodes[node].children[i]);
  }
  if (tree.CodeAt(node) != code::Group) return;
  if (tree.ChildCount(node) == 0) {
    tree.AddChild(node, MakeNode(code::Placeholder));
    return;
  }
  const SymbolCode first = tree.CodeAt(tree.Child(node, 0));
  if (IsScriptCode(first)) {
    tree.InsertChild(node, 0, MakeNode(code::Placeholder));
  }
}

void EquationLine::Reparse() {
  Tokenize();
  tokenCursor = 0;
  // A fresh tree, so that a line read again gives back what a longer former tree held.
  tree = EquationTree();
  tree.ReserveMore(NodesOfTokens(tokens));
  Parse();
  // The tokens serve only the parse: a line keeps its markup and its tree.
  std::vector<Token>().swap(tokens);
  InsertPlaceholders();
  Layout();
}

void EquationLine::Layout() {
  if (layouter) layouter->Layout(*this);
}

}  // namespace kav
