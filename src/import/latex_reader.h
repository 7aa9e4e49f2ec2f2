// Reading a formula's LaTeX into the editor's markup. The text may hold one formula or several:
// with or without $...$, $$...$$, \(...\), \[...\] and equation/align/gather environments; rows
// split by \\ (with & dropped) and, in a text without delimiters, lines give one formula each.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The markup of every formula in the text, in order; each one reads back as a line. Throws a
// Failure whose text names what the markup cannot hold and where, for example
// "LaTeX: \binom cannot be written in a Kav formula (column 12)", or what is malformed.
std::vector<std::u16string> ReadLatexFormulas(std::u16string_view text);

}  // namespace kav
