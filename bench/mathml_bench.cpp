// MathML of every corpus formula as Copy and kav-convert write it: the writer's UTF-16 text and
// its UTF-8 bytes, and the UTF-8 encoding alone. Items per second count formulas.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "corpus.h"
#include "export/mathml_writer.h"
#include "model/line.h"

namespace kav {
namespace {

std::vector<EquationLine> CorpusLines() {
  std::vector<EquationLine> lines;
  for (const std::u16string& markup : CorpusMarkups()) lines.emplace_back(markup);
  return lines;
}

void BM_MathmlCorpus(benchmark::State& state) {
  const std::vector<EquationLine> lines = CorpusLines();
  for (auto _ : state) {
    for (const EquationLine& line : lines) {
      benchmark::DoNotOptimize(EncodeUtf8(LineMathml(line.tree)));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_MathmlCorpus);

void BM_MathmlUtf8Corpus(benchmark::State& state) {
  std::vector<std::u16string> texts;
  for (const EquationLine& line : CorpusLines()) texts.push_back(LineMathml(line.tree));
  for (auto _ : state) {
    for (const std::u16string& text : texts) benchmark::DoNotOptimize(EncodeUtf8(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_MathmlUtf8Corpus);

}  // namespace
}  // namespace kav
