// The order in which Office Math writes a row. The tree keeps a script after its base and a big
// operator before its operand as siblings; Office Math nests the base inside the script and the
// operand inside the operator, so each row is reordered so that every script or operator comes
// right after what it takes.
#pragma once
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

// One child of a row in writing order: its position among the children, and whether it wraps
// the text of the entry written just before it (a script's base, an operator's operand).
struct OmmlRowEntry {
  int32_t position = 0;
  bool takesPrevious = false;
  bool operator==(const OmmlRowEntry&) const = default;
};

// What an element of a row takes: a script the element before it, an operator (a big operator
// or a function name) the element after it.
enum class OmmlRole { Ordinary, Script, Operator };

// The role of a single child with code `c`.
OmmlRole RoleOfCode(SymbolCode c);

// `roles` are the roles of a row's elements in order. A script or operator that takes nothing
// (at the start of a row, or an operator with nothing after it) has an empty base or operand.
std::vector<OmmlRowEntry> OmmlRowOrder(const std::vector<OmmlRole>& roles);

// The same for a row of single children given by their codes.
std::vector<OmmlRowEntry> OmmlRowOrder(const std::vector<SymbolCode>& codes);

}  // namespace kav
