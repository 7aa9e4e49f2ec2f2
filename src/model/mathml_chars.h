// The characters MathML uses for the editor's symbols, both ways: the writer's one choice per
// code, and the reader's wider set of characters other programs write for the same symbol.
#pragma once
#include <cstdint>

#include "model/symbol_facts.h"

namespace kav {

// The character written for a leaf code (U+2212 for '-', '{' for lbrace, ...), 0 for none.
char16_t MathmlCharOf(SymbolCode c);
MathmlToken MathmlTokenOf(SymbolCode c);
// "prefix" for opening brackets, "postfix" for closing ones, null for the rest.
const char16_t* MathmlFormOf(SymbolCode c);

// The leaf code for a character read from any token element, 0 when the markup has none.
SymbolCode CodeOfMathmlChar(char32_t ch);

// The accent characters: the one written for an accent bit, and the bit for a character read
// (combining and spacing forms alike), 0 when it is no accent the editor has.
char16_t MathmlAccentChar(StyleFlags accent);
StyleFlags AccentOfMathmlChar(char32_t ch);

// The n-ary operator signs.
char16_t MathmlBigOperatorChar(SymbolCode c);
SymbolCode BigOperatorOfMathmlChar(char32_t ch);

}  // namespace kav
