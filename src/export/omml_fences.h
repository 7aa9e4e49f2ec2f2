// Which brackets of a row pair up, so that Office Math can hold a bracketed group as one element
// (a script after the closing bracket then takes the whole group, an operator the whole group as
// its operand).
#pragma once
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

struct OmmlLeaf {
  SymbolCode code = 0;
  StyleFlags style = 0;
};

// For every child of a row, the position of the bracket it pairs with, or -1. Any opening
// bracket pairs with the next closing bracket of any kind ("[a,b)" is an interval), nested pairs
// first. A bar closes the bar opened last at the same depth, or else opens one; a bar still open
// when a bracket around it closes, or at the end of the row, pairs with nothing. Coloured or
// accented brackets stay single characters, and so do pairs inside `maxDepth` others: each pair
// is one more level of nesting for every reader of the Office Math, this writer included.
std::vector<int32_t> OmmlFencePartners(const std::vector<OmmlLeaf>& leaves, int32_t maxDepth);

}  // namespace kav
