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
                        bool red, std::span<const std::u16string_view> tokens,
                        ExportTextBuffer& out) {
  if (red) out.Append(groups.redOpen);
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0) WriteArgument(groups, tree, tree.Child(node, static_cast<int32_t>(i) - 1), red, out);
    out.Append(tokens[i]);
  }
  if (red) out.AppendChar(u'}');
}

void WriteLimit(const ColourGroups& groups, const EquationTree& tree, int32_t group,
                std::u16string_view opening, bool red, ExportTextBuffer& out) {
  if (!LimitShown(tree, group)) return;
  out.Append(opening);
  WriteArgument(groups, tree, group, red, out);
  out.AppendChar(u'}');
}

}  // namespace kav
