#include "export/colour_groups.h"

namespace kav {

void WriteArgument(const ColourGroups& groups, const EquationTree& tree, int32_t node, bool red,
                   ExportTextBuffer& out) {
  if (red) out.Append(groups.blackOpen);
  groups.writeNode(tree, node, out);
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
