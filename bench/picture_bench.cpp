// The clipboard picture of each corpus formula drawn natively: room around the root box, the
// drawing, the search for its ink and the cut.
#include <benchmark/benchmark.h>

#include <vector>

#include "corpus.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

// All 41 formulas per iteration; items per second counts pictures.
void BM_PictureCorpus(benchmark::State& state) {
  const NativeTypesetting typesetting;
  std::vector<EquationLine> lines;
  for (const std::u16string& markup : CorpusMarkups()) {
    lines.emplace_back(markup, &typesetting.Layouter());
  }
  for (auto _ : state) {
    for (const EquationLine& line : lines) {
      const RgbaImage picture = typesetting.Picture(line);
      benchmark::DoNotOptimize(picture.pixels.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_PictureCorpus)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kav
