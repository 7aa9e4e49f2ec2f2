// How one leaf of a formula is spelt in MathML: its token element, face, colour and accent, and
// the other spellings its place in a row may call for (see mathml_brackets.h).
#pragma once
#include <string>
#include <string_view>

#include "export/mathml_brackets.h"
#include "model/tree.h"

namespace kav {

// A leaf's token element, attributes beyond face and colour, and character (0: none).
struct Spelling {
  std::u16string_view tag;
  std::u16string_view attributes;
  char16_t ch = 0;
};

// The usual spelling of a leaf: letters <mi>, digits <mn>, the rest <mo>, brackets as
// fixed-size prefix and postfix operators.
Spelling UsualSpelling(SymbolCode c);

// The spelling of a leaf in its place in the row: bars of a pair as fences, any other bar as
// the divides sign, a bracket without its partner as text, and (`ordinary`) an asterisk or bar
// that lacks an operand as a symbol of its own.
Spelling SpellingOf(SymbolCode c, BracketRole role, bool ordinary);

// A token element holding `text`, with the face and (when `colour`) the red of `style`.
std::u16string MathmlTokenElement(const Spelling& spelling, std::u16string_view text,
                                  StyleFlags style, bool colour);

// A letter or symbol with its face, colour and at most one accent (several are dropped
// together, as in the other writers); a leaf without a character is an empty <mrow/>.
std::u16string MathmlLeaf(const NodeData& data, const Spelling& spelling);

// Appends text with the characters XML reserves escaped.
void AppendMathmlEscaped(std::u16string& out, std::u16string_view text);

}  // namespace kav
