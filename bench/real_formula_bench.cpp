// Kav on real formulas, the figures set beside KaTeX's in the same run (bench/katex_parse.js on
// the FILE.kav-read list): reading the LaTeX as Paste LaTeX does, and reading it and laying
// every resulting line out with FreeType metrics (the measuring cache warm, as in the editor).
// Items per second count formulas.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "import/latex_reader.h"
#include "native/native_typesetting.h"
#include "real_corpus.h"

namespace kav {
namespace {

bool HaveCorpus(benchmark::State& state) {
  if (!RealFormulas().empty()) return true;
  state.SkipWithError("set KAV_REAL_FORMULAS to the list bench/real_corpus.js writes");
  return false;
}

void BM_RealLatexRead(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  for (auto _ : state) {
    for (const RealFormula& formula : RealFormulas()) {
      benchmark::DoNotOptimize(ReadLatexFormulas(formula.latex));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(RealFormulas().size()));
}
BENCHMARK(BM_RealLatexRead)->Unit(benchmark::kMillisecond);

void BM_RealLatexReadAndLayout(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  static const NativeTypesetting typesetting;
  for (auto _ : state) {
    for (const RealFormula& formula : RealFormulas()) {
      for (const std::u16string& markup : ReadLatexFormulas(formula.latex)) {
        const EquationLine line(markup, &typesetting.Layouter());
        benchmark::DoNotOptimize(line.boxes.data());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(RealFormulas().size()));
}
BENCHMARK(BM_RealLatexReadAndLayout)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kav
