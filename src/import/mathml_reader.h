// Reading presentation MathML, as Word, LibreOffice, MathJax and browsers write it, into the
// editor's markup. What the markup cannot hold is refused by name and nothing is read then.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The markup of every <math> element in the text, in order; each one reads back as a line.
// Throws a Failure naming what the markup cannot hold, for example
// "MathML: <mtable> cannot be written in a Kav formula", or what is malformed: a MathmlFailure
// with the input line of the element at fault where there is one. `lines`, when given, receives
// the line where each formula begins.
std::vector<std::u16string> ReadMathmlFormulas(std::u16string_view text,
                                               std::vector<int32_t>* lines = nullptr);

// Whether text is MathML rather than LaTeX: it begins (after space and a byte order mark) with
// an XML declaration or a DOCTYPE, or with a <math> element (any prefix) after comments and
// processing instructions.
bool LooksLikeMathml(std::u16string_view text);

}  // namespace kav
