#include "model/function_names.h"

#include <algorithm>

namespace kav {
namespace {

// Four-letter names are tried first, so "asin" wins over the "sin" it ends with.
constexpr std::u16string_view kLongNames[] = {u"asin", u"acos", u"atan"};
constexpr std::u16string_view kShortNames[] = {u"sin", u"cos", u"tan", u"log", u"exp"};

constexpr OperatorName kOperatorNames[] = {
    {u"sin", u"sin", false},      {u"cos", u"cos", false},      {u"tan", u"tan", false},
    {u"cot", u"cot", false},      {u"sec", u"sec", false},      {u"csc", u"csc", false},
    {u"sinh", u"sinh", false},    {u"cosh", u"cosh", false},    {u"tanh", u"tanh", false},
    {u"coth", u"coth", false},    {u"arcsin", u"asin", false},  {u"arccos", u"acos", false},
    {u"arctan", u"atan", false},  {u"log", u"log", false},      {u"ln", u"ln", false},
    {u"lg", u"lg", false},        {u"exp", u"exp", false},      {u"lim", u"lim", true},
    {u"limsup", u"limsup", true}, {u"liminf", u"liminf", true}, {u"max", u"max", true},
    {u"min", u"min", true},       {u"sup", u"sup", true},       {u"inf", u"inf", true},
    {u"det", u"det", true},       {u"dim", u"dim", false},      {u"ker", u"ker", false},
    {u"gcd", u"gcd", true},       {u"arg", u"arg", false},      {u"deg", u"deg", false},
    {u"hom", u"hom", false},      {u"Pr", u"Pr", true},
};

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

std::span<const OperatorName> OperatorNames() {
  return kOperatorNames;
}

const OperatorName* OperatorNameOfLetters(std::u16string_view letters) {
  for (const OperatorName& row : kOperatorNames) {
    if (row.letters == letters) return &row;
  }
  return nullptr;
}

}  // namespace kav
