// Characters and LaTeX commands that other programs write for something a Kav formula holds under
// another code, and the lookalikes it does not hold. Both readers take this one list, so that a
// formula reads the same whether it comes as LaTeX or as MathML.
#pragma once
#include <span>
#include <string_view>

#include "model/symbols.h"

namespace kav {

struct NearEquivalent {
  char32_t ch;                // the character (a MathML token's text, or typed into LaTeX)
  std::u16string_view latex;  // a LaTeX command word for it, without the backslash; may be empty
  SymbolCode code;            // the symbol it reads as; 0 when it is refused
  std::u16string_view name;   // what a refusal calls it; empty for a symbol read
};

// Every row. A character or command word may stand in several rows (\ldots and \dots); the
// first row of a character is the one it reads by.
std::span<const NearEquivalent> NearEquivalents();

// The first row for a character, or null.
const NearEquivalent* NearEquivalentOfChar(char32_t ch);

}  // namespace kav
