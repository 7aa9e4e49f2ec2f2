// Vector pictures of each corpus formula, from markup to bytes: read the markup, lay the line
// out, paint it onto the shape canvas (glyph outlines from FreeType), frame it and write SVG or
// EMF. This is the work MathJax does for TeX to SVG, so the ratio per formula is comparable.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "export/emf_writer.h"
#include "export/svg_writer.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

constexpr int kCorpusSize = 41;

template <typename Write>
void RunFormula(benchmark::State& state, Write write) {
  const NativeTypesetting typesetting;
  const std::u16string markup = CorpusMarkups().at(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const EquationLine line(markup, &typesetting.Layouter());
    bytes = write(typesetting.Vector(line)).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_SvgFormula(benchmark::State& state) {
  RunFormula(state, [](const VectorPicture& picture) { return WriteSvg(picture); });
}
BENCHMARK(BM_SvgFormula)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

void BM_EmfFormula(benchmark::State& state) {
  RunFormula(state, [](const VectorPicture& picture) { return WriteEmf(picture); });
}
BENCHMARK(BM_EmfFormula)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

// All 41 formulas per iteration; items per second counts formulas.
void BM_SvgCorpus(benchmark::State& state) {
  const NativeTypesetting typesetting;
  const std::vector<std::u16string> markups = CorpusMarkups();
  for (auto _ : state) {
    for (const std::u16string& markup : markups) {
      const EquationLine line(markup, &typesetting.Layouter());
      const std::string svg = WriteSvg(typesetting.Vector(line));
      benchmark::DoNotOptimize(svg.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(markups.size()));
}
BENCHMARK(BM_SvgCorpus)->Unit(benchmark::kMicrosecond);

void BM_EmfCorpus(benchmark::State& state) {
  const NativeTypesetting typesetting;
  const std::vector<std::u16string> markups = CorpusMarkups();
  for (auto _ : state) {
    for (const std::u16string& markup : markups) {
      const EquationLine line(markup, &typesetting.Layouter());
      const std::vector<uint8_t> emf = WriteEmf(typesetting.Vector(line));
      benchmark::DoNotOptimize(emf.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(markups.size()));
}
BENCHMARK(BM_EmfCorpus)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kav
