#include "export/omml_row_order.h"

#include <cstddef>

#include "model/constructs.h"

namespace kav {
namespace {

// A child waiting on the stack. `floor` is how many entries had been written when the nearest
// operator at or below it was pushed: only entries written after that come after the operator
// in the row, so only they may become its operand or the base of a script that follows it.
struct Pending {
  int32_t position;
  size_t floor;
};

}  // namespace

OmmlRole RoleOfCode(SymbolCode c) {
  if (FamilyOf(c) == LayoutFamily::Script) return OmmlRole::Script;
  return IsBigOperator(c) ? OmmlRole::Operator : OmmlRole::Ordinary;
}

// Scripts and operators wait on a stack. A script is released by the next ordinary element
// or operator; an operator is released only after the element following it (with that element's
// scripts) has been written, so that element becomes its operand, and two operators in a row
// nest. An operator that arrives once such an operand is complete releases everything pending
// first: otherwise "sum x prod y" would give x to nobody and the product to the sum. An
// operator released with nothing written after it takes nothing: the element before it in the
// row is not its operand.
std::vector<OmmlRowEntry> OmmlRowOrder(const std::vector<OmmlRole>& roles) {
  std::vector<OmmlRowEntry> output;
  std::vector<Pending> pending;
  bool attach = false;
  auto popOne = [&] {
    const Pending top = pending.back();
    pending.pop_back();
    output.push_back({top.position, output.size() > top.floor});
  };
  for (int32_t i = 0; i < static_cast<int32_t>(roles.size()); ++i) {
    if (roles[i] == OmmlRole::Script) {
      pending.push_back({i, pending.empty() ? 0 : pending.back().floor});
      attach = true;
    } else if (roles[i] == OmmlRole::Operator) {
      while (!pending.empty() && (attach || roles[pending.back().position] == OmmlRole::Script)) {
        popOne();
      }
      pending.push_back({i, output.size()});
      attach = false;
    } else {
      if (attach) {
        while (!pending.empty()) popOne();
      }
      output.push_back({i, false});
      attach = true;
    }
  }
  while (!pending.empty()) popOne();
  return output;
}

std::vector<OmmlRowEntry> OmmlRowOrder(const std::vector<SymbolCode>& codes) {
  std::vector<OmmlRole> roles;
  roles.reserve(codes.size());
  for (SymbolCode c : codes) roles.push_back(RoleOfCode(c));
  return OmmlRowOrder(roles);
}

}  // namespace kav
