// Function names typed as letters ("sin", "asin", ...) are set upright and do not count as
// italic letters in the style statistics.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/tree.h"

namespace kav {

// The lowercase letters a-z of `node`'s row that end with `node`, in row order.
std::u16string LowercaseRunBefore(const EquationTree& tree, int32_t node);

// The recognised function name the text ends with, or an empty view.
std::u16string_view TrailingFunctionName(std::u16string_view text);

// LaTeX's standard operator names (\ln, \max, \arcsin, ...) and the upright letters a formula
// holds for each: the name itself, except the inverse trigonometric ones, which are held as the
// editor spells them ("asin" for \arcsin).
struct OperatorName {
  std::u16string_view command;  // without the backslash
  std::u16string_view letters;
  bool limits;  // LaTeX sets its scripts below and above in a displayed formula (\lim, \max)
};
std::span<const OperatorName> OperatorNames();

// The operator name whose letters these are, or null.
const OperatorName* OperatorNameOfLetters(std::u16string_view letters);

}  // namespace kav
