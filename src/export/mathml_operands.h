// The items of a written row and the empty rows that give an operator its missing operand: a
// reader that rebuilds a linear formula (LibreOffice) refuses "= x" at the start of a row,
// "x^+", "(Q,+)" or a trailing "e_i =", and reads "{} = x", "x^{+{}}" and "(Q,+{})".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kav {

// How an item stands to its neighbours.
enum class ItemKind : uint8_t {
  Operand,    // a letter, number, structure or anything with scripts
  Open,       // an opening bracket or bar of a pair
  Close,      // a closing bracket or bar of a pair (scripts and all)
  Separator,  // a comma
  Lead,       // an operator that may stand before its one operand: + - plus-minus
  Binary,     // an operator or relation with an operand on each side
};

struct RowItem {
  std::u16string text;
  ItemKind kind = ItemKind::Operand;
  // The operator spelt as an ordinary symbol, for where it lacks an operand; empty when an
  // empty row is given instead.
  std::u16string ordinary = {};
};

// The elements of the row: each item's text, an operator without an operand either spelt as
// an ordinary symbol or given an empty <mrow/> on the side it lacks.
std::vector<std::u16string> SpelledRow(std::vector<RowItem> items);

}  // namespace kav
