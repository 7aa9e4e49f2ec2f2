// The markup name of every symbol a line can hold alone, for tests that go over all of them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "model/symbols.h"

namespace kav {

// Letters, digits, the punctuation that stands for itself, and every row of the symbol table but
// the three big operators.
inline std::vector<std::u16string> SymbolNames() {
  std::vector<std::u16string> names;
  for (char16_t c = u'a'; c <= u'z'; ++c) names.push_back(std::u16string(1, c));
  for (char16_t c = u'A'; c <= u'Z'; ++c) names.push_back(std::u16string(1, c));
  for (char16_t c = u'0'; c <= u'9'; ++c) names.push_back(std::u16string(1, c));
  for (char16_t c : std::u16string_view(u"!()*+,-.=[]")) names.push_back(std::u16string(1, c));
  for (const SymbolRow& row : SymbolTable()) {
    if (!IsBigOperator(row.code)) names.emplace_back(row.name);
  }
  return names;
}

}  // namespace kav
