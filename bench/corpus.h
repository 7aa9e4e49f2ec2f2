// The benchmark corpus: the formulas of corpus.kav beside the benchmarks.
#pragma once
#include <string>
#include <vector>

namespace kav {

// The markup of every corpus line in file order. A corpus that cannot be read or holds no line
// ends the benchmark program with a message, since no measurement means anything without it.
std::vector<std::u16string> CorpusMarkups();

// The same formulas as hand-written LaTeX (corpus.tex), one a line, in the same order.
std::vector<std::u16string> CorpusLatex();

}  // namespace kav
