// Function names typed as letters ("sin", "asin", ...) are set upright and do not count as
// italic letters in the style statistics.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "model/tree.h"

namespace kav {

// The lowercase letters a-z of `node`'s row that end with `node`, in row order.
std::u16string LowercaseRunBefore(const EquationTree& tree, int32_t node);

// The recognised function name the text ends with, or an empty view.
std::u16string_view TrailingFunctionName(std::u16string_view text);

}  // namespace kav
