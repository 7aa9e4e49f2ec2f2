// What the LaTeX writer writes for each symbol and function name, as data, so that a reader of
// LaTeX can map the same rows back.
#pragma once
#include <span>
#include <string_view>

#include "model/export_buffer.h"
#include "model/symbols.h"

namespace kav {

struct LatexSymbol {
  SymbolCode code;
  std::u16string_view latex;
};

// The named symbols of the table that are not letters, in table order, with their LaTeX. The
// degree sign is the one symbol written as a superscript ("^{\circ}"); the two table symbols
// that are characters, frac and sqrt, are "/" and "\surd".
std::span<const LatexSymbol> LatexSymbols();

// The LaTeX of a named symbol, or an empty view for a code without a row above.
std::u16string_view LatexSymbolOf(SymbolCode code);

struct LatexFunction {
  std::u16string_view name;   // the letters the editor recognises, e.g. "asin"
  std::u16string_view latex;  // the operator that stands for them, e.g. "\arcsin"
};

// The eight recognised function names and their LaTeX operators.
std::span<const LatexFunction> LatexFunctions();

// The operator for a recognised function name, or an empty view.
std::u16string_view LatexFunctionOf(std::u16string_view name);

// Appends `text`, with a space first when it begins with a letter and the buffer ends with a
// control word, so that "\sin" and "x" stay two tokens ("\sin x", never "\sinx").
void AppendLatex(ExportTextBuffer& out, std::u16string_view text);

}  // namespace kav
