// Office Math (OMML) of an equation tree: the inside of a math paragraph, as UTF-8.
#pragma once
#include <cstdint>
#include <string>

#include "model/tree.h"

namespace kav {

// The Office Math of the subtree at `node` (empty for an empty tree or a negative node). A
// super or sub node uses `base` as the element it is attached to, a sum, prod or integral node
// as its operand. Throws "OOXML: Unknown token" for an internal code and "Unsupported unicode
// char" for a code that is not a Unicode scalar value.
std::string WriteOmml(const EquationTree& tree, int32_t node, const std::string& base);

// One character as it appears in OMML text: "<" and ">" (and "&") as entities, everything else
// as UTF-8.
std::string EncodeOmmlChar(uint32_t codePoint);

}  // namespace kav
