// Layout of each corpus formula with FreeType metrics: warm (the measuring cache already holds
// every glyph, the steady state while typing), cold (every measurement asks FreeType), and a
// whole edit step (read the markup, rebuild the tree, lay out).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "native/native_typesetting.h"
#include "typeset/layout.h"

namespace kav {
namespace {

constexpr int kCorpusSize = 41;

void SetLabel(benchmark::State& state, const std::u16string& markup) {
  state.SetLabel(std::string(markup.begin(), markup.begin() + std::min<size_t>(markup.size(), 40)));
}

void BM_LayoutWarm(benchmark::State& state) {
  const NativeTypesetting typesetting;
  const std::u16string markup = CorpusMarkups().at(state.range(0));
  EquationLine line(markup, &typesetting.Layouter());
  for (auto _ : state) {
    LayoutLine(line, typesetting.Metrics());
    benchmark::DoNotOptimize(line.boxes.data());
  }
  SetLabel(state, markup);
}
BENCHMARK(BM_LayoutWarm)->DenseRange(0, kCorpusSize - 1);

void BM_LayoutUncached(benchmark::State& state) {
  const NativeTypesetting typesetting;
  const std::u16string markup = CorpusMarkups().at(state.range(0));
  EquationLine line(markup, &typesetting.Layouter());
  for (auto _ : state) {
    LayoutLine(line, typesetting.Fonts());
    benchmark::DoNotOptimize(line.boxes.data());
  }
  SetLabel(state, markup);
}
BENCHMARK(BM_LayoutUncached)->DenseRange(0, kCorpusSize - 1);

// All 41 formulas per iteration; items per second counts formulas.
void BM_LayoutCorpus(benchmark::State& state) {
  const NativeTypesetting typesetting;
  std::vector<EquationLine> lines;
  for (const std::u16string& markup : CorpusMarkups()) {
    lines.emplace_back(markup, &typesetting.Layouter());
  }
  for (auto _ : state) {
    for (EquationLine& line : lines) LayoutLine(line, typesetting.Metrics());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_LayoutCorpus);

// What every edit costs a line: tokenize, parse, restore placeholders and lay out.
void BM_ReparseCorpus(benchmark::State& state) {
  const NativeTypesetting typesetting;
  std::vector<EquationLine> lines;
  for (const std::u16string& markup : CorpusMarkups()) {
    lines.emplace_back(markup, &typesetting.Layouter());
  }
  for (auto _ : state) {
    for (EquationLine& line : lines) line.Reparse();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_ReparseCorpus);

}  // namespace
}  // namespace kav
