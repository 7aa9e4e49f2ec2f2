// The markup of a tree the LaTeX reader built, written as the markup writer writes it: the
// reader writes every formula it reads, so the common letters take a short path.
#pragma once
#include <cstdint>
#include <string>

#include "import/latex_tree.h"

namespace kav {

// Appends the markup of the subtree at `node`; the same text as WriteMarkupNode.
void WriteFormulaMarkup(const LatexTree& tree, int32_t node, std::u16string& out);

}  // namespace kav
