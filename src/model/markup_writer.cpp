// Writing a tree back to native markup, whole or only its selected parts.
#include "model/constructs.h"
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

// "\frac{", first slot, "}{", second slot, "}": a missing slot is written empty.
void WriteConstruct(const EquationTree& tree, int32_t node, const ConstructRow& row,
                    ExportTextBuffer& out) {
  if (tree.Data(node).style & StyleRed) out.Append(u"\\red");
  out.AppendChar(u'\\');
  out.Append(row.escape);
  out.AppendChar(u'{');
  for (int8_t slot = 0; slot < row.slotCount; ++slot) {
    if (slot > 0) out.Append(u"}{");
    WriteMarkupNode(tree, tree.Child(node, slot), out);
  }
  out.AppendChar(u'}');
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
    default:
      break;
  }
  if (const ConstructRow* row = FindConstruct(data.code)) {
    return WriteConstruct(tree, node, *row, out);
  }
  RequireKnownCode(data.code, u"Markup");
  WriteLetter(data.code, data.style, out);
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
