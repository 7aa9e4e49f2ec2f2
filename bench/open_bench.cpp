// Opening a document as the editor does on a double-click or a command line: the file's bytes
// handed over by the host, decoded, split into lines, every line read and laid out with FreeType
// metrics, the view and the style counts set up. range(0) is the number of lines, corpus
// formulas in turn.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "edit/editor.h"
#include "editor_harness.h"
#include "model/document_file.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

void BM_OpenDocument(benchmark::State& state) {
  static const NativeTypesetting typesetting;
  const std::vector<std::u16string> corpus = CorpusMarkups();
  std::vector<std::u16string> markups;
  for (int64_t k = 0; k < state.range(0); ++k) markups.push_back(corpus[k % corpus.size()]);
  QuietHost host;
  host.file = FileContents{DocumentBytes(markups), {}};
  for (auto _ : state) {
    Editor editor(host, typesetting.Metrics(), typesetting.Layouter());
    editor.OpenStartupDocument(u"document.kav");
    benchmark::DoNotOptimize(editor.document().lines.data());
    if (editor.document().lines.size() != markups.size()) state.SkipWithError("not opened");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kav
