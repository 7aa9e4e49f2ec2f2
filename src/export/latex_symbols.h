// What the LaTeX writer writes for each symbol and Greek letter, as data, so that a reader of
// LaTeX can map the same rows back.
#pragma once
#include <span>
#include <string_view>

#include "model/export_buffer.h"
#include "model/symbols.h"

namespace kav {

inline constexpr std::u16string_view kLatexRedOpen = u"\\textcolor{red}{";

struct LatexSymbol {
  SymbolCode code;
  std::u16string_view latex;
  // "\mathrel", "\mathbin" or "\mathpunct" for the relations, binary operators and the comma:
  // a red symbol is wrapped in it, since LaTeX spaces a colour group as an ordinary symbol.
  std::u16string_view atomClass;
};

// The row of a symbol that is not a letter (the punctuation characters and the named symbols
// but the Greek letters and the big operators), or null for a code LaTeX gets nothing for. The
// degree sign is the one symbol written as a superscript ("^{\circ}"); the two table symbols
// that are characters, frac and sqrt, are "/" and "\surd".
const LatexSymbol* FindLatexSymbol(SymbolCode code);

// The name of a Greek letter's command: the table's name, except "varepsilon" and "varphi" for
// the epsilon and phi the editor draws (LaTeX's \epsilon and \phi are other shapes), as the
// symbol table's LaTeX column has them.
std::u16string LatexGreekOf(SymbolCode c);

// A red operator sign as an operator of its own, which LaTeX spaces as the black one:
// "\mathop{\textcolor{red}{SIGN}}" and `placement` ("\limits" or "\nolimits").
void AppendRedOperator(ExportTextBuffer& out, std::u16string_view sign,
                       std::u16string_view placement);

// Appends `text`, with a space first when it begins with a letter and the buffer ends with a
// control word, so that "\sin" and "x" stay two tokens ("\sin x", never "\sinx").
void AppendLatex(ExportTextBuffer& out, std::u16string_view text);

}  // namespace kav
