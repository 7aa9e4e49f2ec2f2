// What the LaTeX writer writes for each symbol and function name, as data, so that a reader of
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

// Every symbol that is not a letter: the eleven punctuation characters, then the named symbols of
// the table in table order, with their LaTeX. The degree sign is the one symbol written as a
// superscript ("^{\circ}"); the two table symbols that are characters, frac and sqrt, are "/"
// and "\surd".
std::span<const LatexSymbol> LatexSymbols();

// The row of a symbol, or null for a code LaTeX gets nothing for.
const LatexSymbol* FindLatexSymbol(SymbolCode code);

struct LatexFunction {
  std::u16string_view name;   // the letters the editor recognises, e.g. "asin"
  std::u16string_view latex;  // the operator that stands for them, e.g. "\arcsin"
};

// The eight recognised function names and their LaTeX operators.
std::span<const LatexFunction> LatexFunctions();

// The operator for a recognised function name, or an empty view.
std::u16string_view LatexFunctionOf(std::u16string_view name);

// A red operator sign as an operator of its own, which LaTeX spaces as the black one:
// "\mathop{\textcolor{red}{SIGN}}" and `placement` ("\limits" or "\nolimits").
void AppendRedOperator(ExportTextBuffer& out, std::u16string_view sign,
                       std::u16string_view placement);

// Appends `text`, with a space first when it begins with a letter and the buffer ends with a
// control word, so that "\sin" and "x" stay two tokens ("\sin x", never "\sinx").
void AppendLatex(ExportTextBuffer& out, std::u16string_view text);

}  // namespace kav
