#include "model/mathml_chars.h"

#include "model/near_equivalents.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

struct AccentChars {
  StyleFlags bit;
  char16_t written;
  char32_t read[5];
};

constexpr AccentChars kAccents[] = {
    {StyleVector, 0x2192, {0x2192, 0x20D7, 0x21C0, 0}},
    {StyleHat, 0x005E, {0x005E, 0x02C6, 0x0302, 0}},
    {StyleBar, 0x00AF, {0x00AF, 0x0305, 0x203E, 0x02C9, 0x2015}},  // MathJax's overline: U+2015
    {StyleTilde, 0x007E, {0x007E, 0x02DC, 0x0303, 0}},
};

bool IsAsciiLetter(SymbolCode c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsBigOperatorRow(const SymbolFacts* facts) {
  return facts && facts->group == SymbolGroup::BigOperator;
}

}  // namespace

char16_t MathmlCharOf(SymbolCode c) {
  if (const SymbolFacts* facts = FactsOf(c)) return IsBigOperatorRow(facts) ? 0 : facts->mathml;
  return IsLeafSymbol(c) ? static_cast<char16_t>(c) : 0;
}

MathmlToken MathmlTokenOf(SymbolCode c) {
  if (c >= '0' && c <= '9') return MathmlToken::Mn;
  if (IsAsciiLetter(c)) return MathmlToken::Mi;
  const SymbolFacts* facts = FactsOf(c);
  return facts ? facts->mathmlToken : MathmlToken::Mo;
}

const char16_t* MathmlFormOf(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  if (!facts) return nullptr;
  if (facts->typing == TypingRole::Open) return u"prefix";
  if (facts->typing == TypingRole::Close) return u"postfix";
  return nullptr;
}

// Near equivalents first: they are the characters read as another code (U+2212 as "-"). The
// braces are read from the characters they stand for.
SymbolCode CodeOfMathmlChar(char32_t ch) {
  if (const NearEquivalent* near = NearEquivalentOfChar(ch)) return near->code;
  if (ch > 0xFFFF) return 0;
  if (const SymbolFacts* facts = FactsOfCharacter(ch)) {
    return IsBigOperatorRow(facts) ? 0 : facts->code;
  }
  return IsLeafSymbol(ch) ? ch : 0;
}

char16_t MathmlAccentChar(StyleFlags accent) {
  for (const AccentChars& row : kAccents) {
    if (row.bit == accent) return row.written;
  }
  return 0;
}

StyleFlags AccentOfMathmlChar(char32_t ch) {
  for (const AccentChars& row : kAccents) {
    for (char32_t read : row.read) {
      if (read != 0 && read == ch) return row.bit;
    }
  }
  return 0;
}

char16_t MathmlBigOperatorChar(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return IsBigOperatorRow(facts) ? facts->mathml : 0;
}

SymbolCode BigOperatorOfMathmlChar(char32_t ch) {
  const SymbolFacts* facts = ch <= 0xFFFF ? FactsOfCharacter(ch) : nullptr;
  return IsBigOperatorRow(facts) ? facts->code : 0;
}

}  // namespace kav
