// What a symbol is to the typing rules: part of an operand (the / key takes it into a numerator),
// an operator, relation or comma (it ends an operand, and a finished script), or a bracket.
#pragma once
#include "model/symbol_facts.h"

namespace kav {

// A letter or digit is an operand; a symbol has its row's role; any other code is Other.
TypingRole RoleOf(SymbolCode c);

// The closing partner of an opening bracket, or 0 for any other code.
SymbolCode ClosingPartner(SymbolCode open);

// Typed right after a script that holds one number, letter or named symbol, these end it.
inline bool EndsScript(SymbolCode c) {
  const TypingRole role = RoleOf(c);
  return role == TypingRole::Operator || role == TypingRole::Close;
}

}  // namespace kav
