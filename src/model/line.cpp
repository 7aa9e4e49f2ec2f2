#include "model/line.h"

namespace kav {

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
  if (first == code::Super || first == code::Sub) {
    tree.InsertChild(node, 0, MakeNode(code::Placeholder));
  }
}

void EquationLine::Reparse() {
  Tokenize();
  tokenCursor = 0;
  tree.Clear();
  // A node for each token at most, bar placeholders: the pools grow once, not by doubling.
  tree.nodes.reserve(tokens.size() + 1);
  tree.payloads.reserve(tokens.size() + 1);
  Parse();
  InsertPlaceholders();
  Layout();
}

void EquationLine::Layout() {
  if (layouter) layouter->Layout(*this);
}

}  // namespace kav
