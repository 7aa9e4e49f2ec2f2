// Which brackets and bars of a row pair up. A reader that rebuilds a linear formula from the
// MathML (LibreOffice) refuses a bracket without its partner and reads a bare bar as "or", so
// the writer spells pairs as fences and everything else as plain text or a divides sign.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "model/symbols.h"

namespace kav {

enum class BracketRole : uint8_t {
  None,      // not a bracket or bar
  Open,      // opens a pair
  Close,     // closes the pair opened at its partner
  Unpaired,  // a bracket without a partner of its kind, or a lone bar
};

struct BracketPairs {
  std::vector<BracketRole> role;  // one per code
  std::vector<int32_t> partner;   // the other end of a pair, -1 for none
};

// Pairs the brackets and bars of one row of codes (leaves, structures, scripts, placeholders),
// as a reader would: a bracket closes the nearest open one of its kind, and a bar closes an
// open bar when an operand stands before it, and opens one otherwise.
BracketPairs PairBrackets(std::span<const SymbolCode> codes);

// Whether a code is one of the operator signs that take an operand on each side or, for the
// signs that can stand before a number (+, -, plus-minus), on their right.
bool TakesOperands(SymbolCode c);
bool CanLead(SymbolCode c);

}  // namespace kav
