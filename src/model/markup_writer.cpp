// Writing a tree back to native markup, whole or only its selected parts.
#include "model/line.h"
#include "model/markup_escapes.h"

namespace kav {
namespace {

void WriteLetter(SymbolCode c, StyleFlags style, ExportTextBuffer& out) {
  if (style & StyleRed) out.Append(u"\\red");
  out.AppendChar(u'<');
  if (Contains(c)) {
    out.Append(NameOf(c));
  } else {
    out.AppendChar(static_cast<char16_t>(c));
  }
  for (const MarkupAttribute& attribute : kMarkupAttributes) {
    if (style & attribute.bit) out.Append(attribute.text);
  }
  out.AppendChar(u'>');
}

}  // namespace

void WriteMarkupNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  if (tree.root < 0 || node < 0) return;
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::Placeholder:
      return;
    case code::Group:
      for (int32_t child : tree.Children(node)) WriteMarkupNode(tree, child, out);
      return;
    case code::None:
      out.Append(u"\\none");
      return;
    case code::Frac: case code::Sum: case code::Prod: case code::Integral:
      if (data.style & StyleRed) out.Append(u"\\red");
      out.Append(MarkupOpening(data.code));
      WriteMarkupNode(tree, tree.Child(node, 0), out);
      out.Append(u"}{");
      WriteMarkupNode(tree, tree.Child(node, 1), out);
      out.AppendChar(u'}');
      return;
    case code::Super: case code::Sub: case code::Sqrt:
      if (data.style & StyleRed) out.Append(u"\\red");
      out.Append(MarkupOpening(data.code));
      WriteMarkupNode(tree, tree.Child(node, 0), out);
      out.AppendChar(u'}');
      return;
    default:
      WriteLetter(data.code, data.style, out);
  }
}

void EquationLine::Serialize(ExportTextBuffer& buffer) {
  buffer.Clear();
  WriteMarkupNode(tree, tree.root, buffer);
  markup.assign(buffer.View());
}

void EquationLine::SerializeSelection(int32_t node, ExportTextBuffer& buffer) const {
  if (node < 0 || tree.root < 0) return;
  const int32_t selection = tree.Data(node).selection;
  if (selection == 3) {
    WriteMarkupNode(tree, node, buffer);
  } else if (selection == 2) {
    for (int32_t child : tree.Children(node)) SerializeSelection(child, buffer);
  }
}

}  // namespace kav
