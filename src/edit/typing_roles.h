// What a symbol is to the typing rules: part of an operand (the / key takes it into a numerator),
// an operator, relation or comma (it ends an operand, and a finished script), or a bracket.
#pragma once
#include "model/symbols.h"

namespace kav {

enum class TypingRole : uint8_t {
  Operand,   // letters, digits, Greek and the other ordinary symbols, . ! and the degree sign
  Operator,  // binary operators, relations and the comma
  Open,      // ( [ { and the left floor and ceiling
  Close,     // ) ] } and the right floor and ceiling
  Other,     // the vertical bar (opens and closes), big operators, placeholders, structures
};

TypingRole RoleOf(SymbolCode c);

// The closing partner of an opening bracket, or 0 for any other code.
SymbolCode ClosingPartner(SymbolCode open);

// Typed right after a script that holds one number, letter or named symbol, these end it.
inline bool EndsScript(SymbolCode c) {
  const TypingRole role = RoleOf(c);
  return role == TypingRole::Operator || role == TypingRole::Close;
}

}  // namespace kav
