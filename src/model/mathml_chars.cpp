#include "model/mathml_chars.h"

#include "model/near_equivalents.h"

namespace kav {
namespace {

struct CharAlias {
  char32_t ch;
  SymbolCode code;
};

// MathML writes the braces as themselves; the other characters read as another code are the
// near equivalents the LaTeX reader shares.
constexpr CharAlias kReadAliases[] = {
    {'{', code::LBrace},
    {'}', code::RBrace},
};

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

}  // namespace

char16_t MathmlCharOf(SymbolCode c) {
  switch (c) {
    case '-': return 0x2212;
    case 183: return 0x22C5;
    case code::LBrace: return '{';
    case code::RBrace: return '}';
    default: break;
  }
  if (!IsLeafSymbol(c) || c > 0xFFFF) return 0;
  return static_cast<char16_t>(c);
}

MathmlToken MathmlTokenOf(SymbolCode c) {
  if (c >= '0' && c <= '9') return MathmlToken::Mn;
  if (IsAsciiLetter(c) || IsGreek(c) || c == 8734) return MathmlToken::Mi;
  return MathmlToken::Mo;
}

const char16_t* MathmlFormOf(SymbolCode c) {
  switch (c) {
    case '(': case '[': case code::LBrace: case 8970: case 8968: return u"prefix";
    case ')': case ']': case code::RBrace: case 8971: case 8969: return u"postfix";
    default: return nullptr;
  }
}

SymbolCode CodeOfMathmlChar(char32_t ch) {
  for (const CharAlias& alias : kReadAliases) {
    if (alias.ch == ch) return alias.code;
  }
  if (const NearEquivalent* near = NearEquivalentOfChar(ch)) return near->code;
  if (ch > 0xFFFF || ch == '{' || ch == '}') return 0;
  const SymbolCode c = ch;
  return IsLeafSymbol(c) && c != code::LBrace && c != code::RBrace ? c : 0;
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
  return c == code::Sum ? 0x2211 : c == code::Prod ? 0x220F : 0x222B;
}

SymbolCode BigOperatorOfMathmlChar(char32_t ch) {
  switch (ch) {
    case 0x2211: return code::Sum;
    case 0x220F: return code::Prod;
    case 0x222B: return code::Integral;
    default: return 0;
  }
}

}  // namespace kav
