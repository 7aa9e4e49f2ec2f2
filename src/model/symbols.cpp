#include "model/symbols.h"

#include <array>

namespace kav {
namespace {

using namespace std::literals;

constexpr std::array<SymbolRow, 61> kRows = {{
    {u"alpha"sv, 945, true, false},       {u"beta"sv, 946, true, false},
    {u"gamma"sv, 947, true, false},       {u"Gamma"sv, 915, true, false},
    {u"delta"sv, 948, true, false},       {u"Delta"sv, 916, true, false},
    {u"epsilon"sv, 949, true, false},     {u"zeta"sv, 950, true, false},
    {u"eta"sv, 951, true, false},         {u"theta"sv, 952, true, false},
    {u"Theta"sv, 920, true, false},       {u"iota"sv, 953, true, false},
    {u"kappa"sv, 954, true, false},       {u"lambda"sv, 955, true, false},
    {u"Lambda"sv, 923, true, false},      {u"mu"sv, 956, true, false},
    {u"nu"sv, 957, true, false},          {u"xi"sv, 958, true, false},
    {u"Xi"sv, 926, true, false},          {u"pi"sv, 960, true, false},
    {u"Pi"sv, 928, true, false},          {u"rho"sv, 961, true, false},
    {u"sigma"sv, 963, true, false},       {u"Sigma"sv, 931, true, false},
    {u"tau"sv, 964, true, false},         {u"upsilon"sv, 965, true, false},
    {u"Upsilon"sv, 933, true, false},     {u"phi"sv, 966, true, false},
    {u"Phi"sv, 934, true, false},         {u"chi"sv, 967, true, false},
    {u"psi"sv, 968, true, false},         {u"Psi"sv, 936, true, false},
    {u"omega"sv, 969, true, false},       {u"Omega"sv, 937, true, false},
    {u"lbrace"sv, code::LBrace, false, false},
    {u"rbrace"sv, code::RBrace, false, false},
    {u"vertbar"sv, 124, false, false},    {u"lt"sv, 60, false, false},
    {u"gt"sv, 62, false, false},          {u"leq"sv, 8804, false, false},
    {u"geq"sv, 8805, false, false},       {u"in"sv, 8712, false, false},
    {u"cdot"sv, 183, false, false},       {u"times"sv, 215, false, false},
    {u"deg"sv, 176, false, false},        {u"intersection"sv, 8745, false, false},
    {u"union"sv, 8746, false, false},     {u"subset"sv, 8834, false, false},
    {u"infinity"sv, 8734, false, false},  {u"rarrow"sv, 8594, false, false},
    {u"pm"sv, 177, false, false},         {u"sum"sv, code::Sum, false, false},
    {u"prod"sv, code::Prod, false, false},
    {u"integral"sv, code::Integral, false, false},
    {u"cdots"sv, 8943, false, true},      {u"lfloor"sv, 8970, false, true},
    {u"rfloor"sv, 8971, false, true},     {u"lceil"sv, 8968, false, true},
    {u"rceil"sv, 8969, false, true},      {u"frac"sv, 47, false, false},
    {u"sqrt"sv, 8730, false, false},
}};

const SymbolRow* RowOf(SymbolCode code) {
  for (const SymbolRow& row : kRows) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

}  // namespace

StyleFlags WithStyleBit(StyleFlags style, StyleFlags bit) {
  if (bit & StyleFaceMask) style &= ~StyleFaceMask;
  if (bit & StyleAccentMask) style &= ~StyleAccentMask;
  return style | bit;
}

std::span<const SymbolRow> SymbolTable() { return kRows; }

SymbolCode CodeOf(std::u16string_view name) {
  if (name.empty()) return 0;
  for (const SymbolRow& row : kRows) {
    if (row.name == name) return row.code;
  }
  return 0;
}

std::u16string NameOf(SymbolCode code) {
  const SymbolRow* row = RowOf(code);
  return row ? std::u16string(row->name) : std::u16string();
}

bool Contains(SymbolCode code) { return RowOf(code) != nullptr; }

bool IsGreek(SymbolCode code) {
  const SymbolRow* row = RowOf(code);
  return row && row->greek;
}

bool UsesSymbolFont(SymbolCode code) {
  const SymbolRow* row = RowOf(code);
  return row && row->symbolFont;
}

bool IsLetterPunctuation(SymbolCode code) {
  switch (code) {
    case '!': case '(': case ')': case '*': case '+': case ',': case '-': case '.': case '=':
    case '[': case ']':
      return true;
    default:
      return false;
  }
}

static bool IsAsciiAlnum(SymbolCode code) {
  return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
         (code >= 'a' && code <= 'z');
}

bool IsLetterCode(SymbolCode code) {
  return IsLetterPunctuation(code) || IsAsciiAlnum(code) || Contains(code);
}

bool IsBigOperator(SymbolCode code) {
  return code == code::Sum || code == code::Prod || code == code::Integral;
}

bool IsLeafSymbol(SymbolCode code) { return IsLetterCode(code) && !IsBigOperator(code); }

bool IsUprightByDefault(SymbolCode code) {
  if (IsLetterPunctuation(code) || (code >= '0' && code <= '9')) return true;
  const SymbolRow* row = RowOf(code);
  return row && !row->greek;
}

AtomClass ClassOf(SymbolCode code) {
  switch (code) {
    case code::Sum: case code::Prod: case code::Integral:
      return AtomClass::Op;
    case '+': case '-': case '*': case 183: case 215: case 177: case 8745: case 8746:
      return AtomClass::Bin;
    case '=': case '<': case '>': case 8804: case 8805: case 8712: case 8834: case 8594:
      return AtomClass::Rel;
    case '(': case '[': case code::LBrace: case 8970: case 8968:
      return AtomClass::Open;
    case ')': case ']': case '!': case code::RBrace: case 8971: case 8969:
      return AtomClass::Close;
    case ',':
      return AtomClass::Punct;
    case 8943:
      return AtomClass::Inner;
    default:
      return AtomClass::Ord;
  }
}

}  // namespace kav
