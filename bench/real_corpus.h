// The real-formula benchmark corpus: formulas of the English Wikipedia that KaTeX and MathJax
// read (chosen by real_corpus.js into the file KAV_REAL_FORMULAS names), of which the ones Kav
// reads too are kept and written beside it as FILE.kav-read, for the peers' timing scripts.
#pragma once
#include <string>
#include <vector>

namespace kav {

struct RealFormula {
  std::u16string latex;
  std::vector<std::u16string> markups;  // what Kav reads: one line per formula or align row
};

// Empty when KAV_REAL_FORMULAS is not set or names no readable file; the benchmarks then say so.
const std::vector<RealFormula>& RealFormulas();

}  // namespace kav
