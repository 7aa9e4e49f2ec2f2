// The HWP equation script of an equation tree: the formula text an HWP equation object stores.
#pragma once
#include <cstdint>

#include "model/export_buffer.h"
#include "model/tree.h"

namespace kav {

// Appends the script of the subtree at `node` (nothing for an empty tree or a negative node).
// Throws "Hwp:: Unknown ch" for a character the script has no word for; what was appended
// before the failure is left in the buffer and must not be used.
void WriteHwpScriptNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out);

}  // namespace kav
