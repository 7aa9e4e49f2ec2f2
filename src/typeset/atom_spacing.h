// The space TeX puts between two neighbouring atoms of a row, by their classes.
#pragma once
#include <cstdint>
#include <span>

#include "model/symbols.h"

namespace kav {

// Turns binary operators that have no left operand, or stand before a relation, a closing
// bracket or punctuation, into ordinary atoms, as TeX does before spacing a row.
void ResolveBinaries(std::span<AtomClass> classes);

// The space between `left` and `right` in mu (3 thin, 4 medium, 5 thick); script styles keep
// only the thin spaces around operators.
int32_t SpaceBetween(AtomClass left, AtomClass right, bool scriptStyle);

}  // namespace kav
