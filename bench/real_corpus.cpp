#include "real_corpus.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "base/failure.h"
#include "base/utf.h"
#include "import/latex_reader.h"

namespace kav {
namespace {

std::vector<RealFormula> ReadCorpus(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::optional<std::u16string> text = DecodeUtf8(bytes);
  std::vector<RealFormula> formulas;
  size_t refused = 0;
  for (size_t start = 0; text && start < text->size();) {
    const size_t end = std::min(text->find(u'\n', start), text->size());
    std::u16string latex = text->substr(start, end - start);
    start = end + 1;
    if (latex.empty()) continue;
    try {
      std::vector<std::u16string> markups = ReadLatexFormulas(latex);
      formulas.push_back({std::move(latex), std::move(markups)});
    } catch (const Failure&) {
      ++refused;
    }
  }
  std::ofstream kept(path + ".kav-read", std::ios::binary);
  for (const RealFormula& formula : formulas) kept << EncodeUtf8(formula.latex) << '\n';
  std::fprintf(stderr, "%zu real formulas read by Kav (%zu refused), listed in %s.kav-read\n",
               formulas.size(), refused, path.c_str());
  return formulas;
}

}  // namespace

const std::vector<RealFormula>& RealFormulas() {
  static const std::vector<RealFormula> formulas = [] {
    const char* path = std::getenv("KAV_REAL_FORMULAS");
    return path ? ReadCorpus(path) : std::vector<RealFormula>();
  }();
  return formulas;
}

}  // namespace kav
