// Presentation MathML of an equation tree, for "Copy as MathML" and the converter's mathml
// format: what Word, LibreOffice and browsers read as an editable formula.
#pragma once
#include <cstdint>
#include <string>

#include "model/tree.h"

namespace kav {

// The presentation elements of the row at `group`, one after another (nothing for an empty tree
// or a negative node). Never fails: a code with no character is written as an empty <mrow/>.
std::u16string WriteMathmlRow(const EquationTree& tree, int32_t group);

// The whole <math> element of a line: the MathML namespace, display="block", the presentation
// in a <semantics> element with the line's LaTeX as its application/x-tex annotation.
std::u16string LineMathml(const EquationTree& tree);

}  // namespace kav
