// Standard LaTeX math text of an equation tree (the body of a display formula, valid with the
// amsmath and xcolor packages), for "Copy as LaTeX" and the converter's latex format.
#pragma once
#include <cstdint>
#include <string>

#include "model/export_buffer.h"
#include "model/tree.h"

namespace kav {

// Appends the LaTeX of the subtree at `node` (nothing for an empty tree or a negative node).
// Never fails: a code LaTeX has no word for is left out. The text always compiles: an empty
// slot is "{}", and a script that would be a second superscript or subscript of the same base
// gets an empty base of its own ("x^{2}{}^{3}").
void WriteLatexNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out);

// The LaTeX of a whole tree, through `buffer` (cleared first).
std::u16string TreeLatex(const EquationTree& tree, ExportTextBuffer& buffer);

}  // namespace kav
