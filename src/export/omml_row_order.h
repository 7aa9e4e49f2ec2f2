// The order in which Office Math writes a row. The tree keeps a script after its base and a big
// operator before its operand as siblings; Office Math nests the base inside the script and the
// operand inside the operator, so each row is reordered so that every script or operator comes
// right after what it takes.
#pragma once
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

// `codes` are the codes of a row's children in order; the result lists child positions in
// writing order. Writing a script or big operator then consumes the text of the entry before it.
std::vector<int32_t> OmmlRowOrder(const std::vector<SymbolCode>& codes);

}  // namespace kav
