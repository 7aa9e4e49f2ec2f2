#include "edit/typing_roles.h"

namespace kav {
namespace {

bool IsLetterOrDigit(SymbolCode c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

TypingRole RoleOf(SymbolCode c) {
  if (IsLetterOrDigit(c)) return TypingRole::Operand;
  const SymbolFacts* facts = FactsOf(c);
  return facts ? facts->typing : TypingRole::Other;
}

SymbolCode ClosingPartner(SymbolCode open) {
  const SymbolFacts* facts = FactsOf(open);
  return facts && facts->typing == TypingRole::Open ? facts->partner : 0;
}

}  // namespace kav
