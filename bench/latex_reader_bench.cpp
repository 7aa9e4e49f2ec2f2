// The LaTeX reader over the 41 corpus formulas in their hand-written LaTeX form, each read as
// Paste LaTeX reads a clipboard text: tokens, tree, markup and the check that the markup reads
// back as a line. Compare items per second with KaTeX's parser on the same lines
// (bench/katex_parse.js).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "import/latex_reader.h"

namespace kav {
namespace {

// All 41 formulas per iteration; items per second counts formulas.
void BM_LatexReaderCorpus(benchmark::State& state) {
  const std::vector<std::u16string> formulas = CorpusLatex();
  for (auto _ : state) {
    for (const std::u16string& latex : formulas) {
      benchmark::DoNotOptimize(ReadLatexFormulas(latex));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(formulas.size()));
}
BENCHMARK(BM_LatexReaderCorpus);

}  // namespace
}  // namespace kav
