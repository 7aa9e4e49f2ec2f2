#include "model/function_names.h"

#include <algorithm>

namespace kav {
namespace {

// Four-letter names are tried first, so "asin" wins over the "sin" it ends with.
constexpr std::u16string_view kLongNames[] = {u"asin", u"acos", u"atan"};
constexpr std::u16string_view kShortNames[] = {u"sin", u"cos", u"tan", u"log", u"exp"};

bool IsLowercase(SymbolCode c) {
  return c >= 'a' && c <= 'z';
}

}  // namespace

std::u16string LowercaseRunBefore(const EquationTree& tree, int32_t node) {
  const int32_t row = tree.Parent(node);
  if (row < 0) return {};
  const std::vector<int32_t>& items = tree.Children(row);
  const auto end = std::find(items.begin(), items.end(), node);
  if (end == items.end()) return {};
  auto start = end + 1;
  while (start != items.begin() && IsLowercase(tree.CodeAt(*(start - 1)))) --start;
  std::u16string run;
  for (auto it = start; it != end + 1; ++it) run.push_back(static_cast<char16_t>(tree.CodeAt(*it)));
  return run;
}

std::u16string_view TrailingFunctionName(std::u16string_view text) {
  for (std::u16string_view name : kLongNames) {
    if (text.ends_with(name)) return name;
  }
  for (std::u16string_view name : kShortNames) {
    if (text.ends_with(name)) return name;
  }
  return {};
}

}  // namespace kav
