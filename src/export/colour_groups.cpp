#include "export/colour_groups.h"

namespace kav {
namespace {

// The subtree at `node`, inside a black group when it is an argument of a red structure.
void WriteArgument(const ColourGroups& groups, const EquationTree& tree, int32_t node, bool red,
                   ExportTextBuffer& out) {
  if (red) out.Append(groups.blackOpen);
  groups.writeNode(tree, node, out);
  if (red) out.AppendChar(u'}');
}

}  // namespace

void WriteBetweenTokens(const ColourGroups& groups, const EquationTree& tree, int32_t node,
                        bool red, const FormatTokens& tokens, int32_t slotCount,
                        ExportTextBuffer& out) {
  if (red) out.Append(groups.redOpen);
  out.Append(tokens.opening);
  for (int32_t slot = 0; slot < slotCount; ++slot) {
    if (slot > 0) out.Append(tokens.between);
    WriteArgument(groups, tree, tree.Child(node, slot), red, out);
  }
  out.Append(tokens.closing);
  if (red) out.AppendChar(u'}');
}

void WriteConstructTokens(const ColourGroups& groups, const EquationTree& tree, int32_t node,
                          const ConstructRow& row, const FormatTokens& tokens,
                          ExportTextBuffer& out) {
  const bool red = (tree.Data(node).style & StyleRed) != 0;
  switch (row.family) {
    case LayoutFamily::Script:
      return WriteBetweenTokens(groups, tree, node, false, tokens, row.slotCount, out);
    case LayoutFamily::BigOperator:
      if (red) out.Append(groups.redOpen);
      out.Append(tokens.opening);
      WriteLimit(groups, tree, tree.Child(node, 0), u"_{", red, out);
      WriteLimit(groups, tree, tree.Child(node, 1), u"^{", red, out);
      if (red) out.AppendChar(u'}');
      return;
    default:
      return WriteBetweenTokens(groups, tree, node, red, tokens, row.slotCount, out);
  }
}

void WriteLimit(const ColourGroups& groups, const EquationTree& tree, int32_t group,
                std::u16string_view opening, bool red, ExportTextBuffer& out) {
  if (!LimitShown(tree, group)) return;
  out.Append(opening);
  WriteArgument(groups, tree, group, red, out);
  out.AppendChar(u'}');
}

}  // namespace kav
