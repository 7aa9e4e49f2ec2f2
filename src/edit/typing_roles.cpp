#include "edit/typing_roles.h"

namespace kav {
namespace {

struct RoleRow {
  SymbolCode code;
  TypingRole role;
};

// Every symbol that is not a letter or digit and not Greek; a code missing here is Other.
// Operands: ! . ° ∞ ⋯. Operators, relations and the comma: + - * , = < > ± · × → ∈ ∩ ∪ ≤ ≥ ⊂.
// Brackets: ( [ { ⌈ ⌊ and their partners ) ] } ⌉ ⌋.
constexpr RoleRow kRoles[] = {
    {'!', TypingRole::Operand},       {'.', TypingRole::Operand},
    {176, TypingRole::Operand},       {8734, TypingRole::Operand},
    {8943, TypingRole::Operand},      {'+', TypingRole::Operator},
    {'-', TypingRole::Operator},      {'*', TypingRole::Operator},
    {',', TypingRole::Operator},      {'=', TypingRole::Operator},
    {'<', TypingRole::Operator},      {'>', TypingRole::Operator},
    {177, TypingRole::Operator},      {183, TypingRole::Operator},
    {215, TypingRole::Operator},      {8594, TypingRole::Operator},
    {8712, TypingRole::Operator},     {8745, TypingRole::Operator},
    {8746, TypingRole::Operator},     {8804, TypingRole::Operator},
    {8805, TypingRole::Operator},     {8834, TypingRole::Operator},
    {'(', TypingRole::Open},          {'[', TypingRole::Open},
    {code::LBrace, TypingRole::Open}, {8968, TypingRole::Open},
    {8970, TypingRole::Open},         {')', TypingRole::Close},
    {']', TypingRole::Close},         {code::RBrace, TypingRole::Close},
    {8969, TypingRole::Close},        {8971, TypingRole::Close},
};

struct BracketPair {
  SymbolCode open;
  SymbolCode close;
};

constexpr BracketPair kPairs[] = {
    {'(', ')'}, {'[', ']'}, {code::LBrace, code::RBrace}, {8968, 8969}, {8970, 8971}};

bool IsLetterOrDigit(SymbolCode c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

TypingRole RoleOf(SymbolCode c) {
  if (IsLetterOrDigit(c) || IsGreek(c)) return TypingRole::Operand;
  for (const RoleRow& row : kRoles) {
    if (row.code == c) return row.role;
  }
  return TypingRole::Other;
}

SymbolCode ClosingPartner(SymbolCode open) {
  for (const BracketPair& pair : kPairs) {
    if (pair.open == open) return pair.close;
  }
  return 0;
}

}  // namespace kav
