// Everything the program knows about one symbol, as one row: its class and face, and how each
// format spells it. The rows come from src/model/symbols.tsv (its top describes each column);
// the per-format code reads its column here instead of keeping a list of its own.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/symbols.h"

namespace kav {

enum class SymbolFace : uint8_t { Italic, Upright, Symbol };
enum class SymbolGroup : uint8_t { Greek, Sign, BigOperator, Punctuation };

// Which MathML token element a leaf is written as.
enum class MathmlToken : uint8_t { Mi, Mn, Mo };
// In a MathML row: an operator between two operands, or one that may also lead its operand.
enum class MathmlOperands : uint8_t { None, Takes, Leads };
// Office Math: an operator that needs an operand after it, or on both sides.
enum class OmmlOperands : uint8_t { None, After, Both };

// What a symbol is to the typing rules: part of an operand (the / key takes it into a numerator),
// an operator, relation or comma (it ends an operand, and a finished script), or a bracket.
enum class TypingRole : uint8_t {
  Operand,   // letters, digits, Greek and the other ordinary symbols, . ! and the degree sign
  Operator,  // binary operators, relations and the comma
  Open,      // ( [ { and the left floor and ceiling
  Close,     // ) ] } and the right floor and ceiling
  Other,     // the vertical bar (opens and closes), big operators, placeholders, structures
};

struct SymbolFacts {
  SymbolCode code;
  std::u16string_view name;  // the markup name; empty for a punctuation character
  int16_t row;               // the index in SymbolTable(), -1 for a punctuation character
  AtomClass atomClass;
  SymbolFace face;
  SymbolGroup group;
  std::u16string_view tex;        // a word (written "\word ") or the text itself
  std::u16string_view hwp;        // a word (written "word ") or the text itself
  std::u16string_view latex;      // as the LaTeX writer writes it
  std::u16string_view latexRead;  // the command words the LaTeX reader takes, space-separated
  char16_t unicode;               // the character it stands for
  char16_t mathml;                // the character MathML writes
  MathmlToken mathmlToken;
  MathmlOperands mathmlOperands;
  char16_t ommlLone;  // Office Math's character for the sign without an operand; 0: the same
  OmmlOperands ommlOperands;
  TypingRole typing;
  SymbolCode partner;  // a bracket's partner (closing for opening, and back), 0 for others
  char16_t palette;    // the palette button's label, 0 without a button
  std::u16string_view tooltip;
  std::u16string_view key;
};

// Every row: the named symbols in SymbolTable()'s order, then the punctuation characters.
std::span<const SymbolFacts> AllSymbolFacts();

// The row of a code, or of the character a symbol stands for; null when none has one. Both are
// one hashed probe, not a scan of the rows.
const SymbolFacts* FactsOf(SymbolCode code);
const SymbolFacts* FactsOfCharacter(char32_t ch);

// Whether the text is a word, which the TeX and HWP spellings follow with a space.
bool IsSpellingWord(std::u16string_view spelling);

// The words of a space-separated column (the LaTeX reader's command words).
std::vector<std::u16string_view> WordsOf(std::u16string_view words);

}  // namespace kav
