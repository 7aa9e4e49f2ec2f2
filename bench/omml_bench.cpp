// Office Math of long rows: n sums in a row (each the operand of the one before, so they nest n
// deep) and a letter with n superscripts (each applied to the result of the next). The cost should
// grow with n, not with n squared: the 10,000 case about ten times the 1,000 one.
#include <benchmark/benchmark.h>

#include <string>

#include "export/omml_writer.h"
#include "model/line.h"

namespace kav {
namespace {

std::u16string Repeated(std::u16string_view head, std::u16string_view item, int64_t count) {
  std::u16string markup(head);
  for (int64_t k = 0; k < count; ++k) markup += item;
  return markup;
}

void WriteRow(benchmark::State& state, const std::u16string& markup) {
  const EquationLine line(markup);
  for (auto _ : state) {
    const std::string math = WriteOmml(line.tree, line.tree.root, {});
    benchmark::DoNotOptimize(math.data());
  }
  state.SetComplexityN(state.range(0));
}

void BM_OmmlRowOfSums(benchmark::State& state) {
  WriteRow(state, Repeated(u"", u"\\sum{<i>}{<n>}", state.range(0)));
}
BENCHMARK(BM_OmmlRowOfSums)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OmmlRowOfScripts(benchmark::State& state) {
  WriteRow(state, Repeated(u"<x>", u"\\super{<2>}", state.range(0)));
}
BENCHMARK(BM_OmmlRowOfScripts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kav
