#include "import/latex_reader.h"

#include "import/latex_parser.h"

namespace kav {

std::vector<std::u16string> ReadLatexFormulas(std::u16string_view text) {
  return LatexParser(text).ReadAll();
}

}  // namespace kav
