#include "import/latex_reader.h"

#include "import/latex_parser.h"

namespace kav {

std::vector<std::u16string> ReadLatexFormulas(std::u16string_view text) {
  std::vector<std::u16string> markups = LatexParser(text).ReadAll();
  // The reader reserves generous room for each markup; once its tokens and tree are gone, each
  // keeps only what it holds, since a paste keeps the markup in its line.
  for (std::u16string& markup : markups) markup.shrink_to_fit();
  return markups;
}

}  // namespace kav
