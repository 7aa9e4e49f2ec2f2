// TeX text of an equation tree, for "Copy as TeX" and the converter's tex format.
#pragma once
#include <cstdint>

#include "model/export_buffer.h"
#include "model/tree.h"

namespace kav {

// Appends the TeX of the subtree at `node` (nothing for an empty tree or a negative node). Never
// fails: a code TeX cannot express is left out.
void WriteTexNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out);

}  // namespace kav
