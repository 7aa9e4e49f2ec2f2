// Reading presentation MathML, as Word, LibreOffice, MathJax and browsers write it, into the
// editor's markup. What the markup cannot hold is refused by name and nothing is read then.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The markup of every <math> element in the text, in order; each one reads back as a line.
// Throws a Failure naming what the markup cannot hold, for example
// "MathML: <mtable> cannot be written in a Kav formula", or what is malformed.
std::vector<std::u16string> ReadMathmlFormulas(std::u16string_view text);

// Whether the text begins with a <math> element (any prefix), after space, a byte order mark,
// an XML declaration or comments.
bool StartsWithMathElement(std::u16string_view text);

}  // namespace kav
