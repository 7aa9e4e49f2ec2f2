// How much text other programs' formulas may bring in at once: a paste, or one line of LaTeX or
// one MathML formula given to the converter. Far beyond any formula a person writes, and small
// enough that reading, laying out and drawing what is accepted stays quick and within memory.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kav {

inline constexpr size_t kMaxFormulaText = size_t{1} << 20;  // characters (UTF-16 code units)

// "WHAT is too long: 5,242,880 characters (1,048,576 at most)".
std::u16string TooLongText(std::u16string_view what, size_t length);

}  // namespace kav
