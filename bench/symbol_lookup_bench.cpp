// The symbol look-ups that layout, the writers and the readers make for every character: by
// hash (what the program does) against a scan of every row (what it did before the symbol table
// had an index), over the codes of the corpus formulas, so that the gain shows in one run.
#include <benchmark/benchmark.h>

#include <vector>

#include "corpus.h"
#include "model/line.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

// Every node's code in every corpus formula, in tree order: letters, symbols and structures.
std::vector<SymbolCode> CorpusCodes() {
  std::vector<SymbolCode> codes;
  for (const std::u16string& markup : CorpusMarkups()) {
    const EquationLine line(markup);
    for (size_t node = 0; node < line.tree.nodes.size(); ++node) {
      codes.push_back(line.tree.CodeAt(static_cast<int32_t>(node)));
    }
  }
  return codes;
}

const SymbolFacts* ScannedFactsOf(SymbolCode code) {
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    if (facts.code == code) return &facts;
  }
  return nullptr;
}

template <const SymbolFacts* (*Find)(SymbolCode)>
void BM_SymbolFacts(benchmark::State& state) {
  const std::vector<SymbolCode> codes = CorpusCodes();
  for (auto _ : state) {
    for (SymbolCode code : codes) benchmark::DoNotOptimize(Find(code));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(codes.size()));
}
BENCHMARK(BM_SymbolFacts<FactsOf>)->Name("BM_SymbolFactsByHash");
BENCHMARK(BM_SymbolFacts<ScannedFactsOf>)->Name("BM_SymbolFactsByScan");

// The questions layout asks of each leaf, each one look-up.
void BM_SymbolQuestions(benchmark::State& state) {
  const std::vector<SymbolCode> codes = CorpusCodes();
  for (auto _ : state) {
    for (SymbolCode code : codes) {
      benchmark::DoNotOptimize(IsLeafSymbol(code));
      benchmark::DoNotOptimize(IsGreek(code));
      benchmark::DoNotOptimize(IsUprightByDefault(code));
      benchmark::DoNotOptimize(ClassOf(code));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(codes.size()));
}
BENCHMARK(BM_SymbolQuestions);

// The inline box and the markup reader name symbols: every name of the table.
void BM_CodeOfName(benchmark::State& state) {
  for (auto _ : state) {
    for (const SymbolRow& row : SymbolTable()) benchmark::DoNotOptimize(CodeOf(row.name));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(SymbolTable().size()));
}
BENCHMARK(BM_CodeOfName);

}  // namespace
}  // namespace kav
