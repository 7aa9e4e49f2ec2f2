#include "export/omml_row_order.h"

namespace kav {
namespace {

bool IsScript(SymbolCode c) { return c == code::Super || c == code::Sub; }

}  // namespace

// Scripts and operators wait on a stack. A script is released by the next ordinary element
// or operator; an operator is released only after the element following it (with that element's
// scripts) has been written, so that element becomes its operand, and two operators in a row
// nest. An operator that arrives once such an operand is complete releases everything pending
// first: otherwise "sum x prod y" would give x to nobody and the product to the sum.
std::vector<int32_t> OmmlRowOrder(const std::vector<SymbolCode>& codes) {
  std::vector<int32_t> output;
  std::vector<int32_t> pending;
  bool attach = false;
  auto popOne = [&] {
    output.push_back(pending.back());
    pending.pop_back();
  };
  for (int32_t i = 0; i < static_cast<int32_t>(codes.size()); ++i) {
    const SymbolCode c = codes[i];
    if (IsScript(c)) {
      pending.push_back(i);
      attach = true;
    } else if (IsBigOperator(c)) {
      while (!pending.empty() && (attach || IsScript(codes[pending.back()]))) popOne();
      pending.push_back(i);
      attach = false;
    } else {
      if (attach) {
        while (!pending.empty()) popOne();
      }
      output.push_back(i);
      attach = true;
    }
  }
  while (!pending.empty()) popOne();
  return output;
}

}  // namespace kav
