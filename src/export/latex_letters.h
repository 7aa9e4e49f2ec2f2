// Letters, digits and Greek letters in LaTeX: faces, accents, recognised function names, and
// runs of letters that share one face written inside one command.
#pragma once
#include <span>
#include <string_view>

#include "model/export_buffer.h"
#include "model/symbols.h"

namespace kav {

enum class LatexFace { Italic, Upright, Bold };

// The symbols that take faces and accents: ASCII letters and digits, Greek letters.
bool IsStyledLetter(SymbolCode c);

// The face the editor draws: italic without a face bit, upright with rm, bold with rmbold (or
// with both bits).
LatexFace LatexFaceOf(StyleFlags style);

// "\vec", "\hat", "\bar" or "\tilde" when exactly one accent bit is set; empty otherwise, as the
// editor draws no accent over a letter with several.
std::u16string_view LatexAccentOf(StyleFlags style);

// Unaccented letters of one face and colour: italic ones as themselves; upright ones as the
// standard operators whose names they spell ("\sin", "\ln", "\max", "\arcsin" for "asin",
// "\operatorname{arcsin}" for "arcsin") and "\mathrm{...}" for the rest; bold ones as
// "\mathbf{...}", Greek among them as "\boldsymbol{...}". Red letters are inside
// "\textcolor{red}{...}"; a red operator name stays an operator
// ("\mathop{\textcolor{red}{\sin}}\nolimits", "\mathop{\textcolor{red}{\lim}}\limits").
void WriteLetterRun(std::span<const SymbolCode> codes, LatexFace face, bool red,
                    ExportTextBuffer& out);

// One letter under its accent, in its colour: "\hat{x}", "\textcolor{red}{\vec{\mathbf{v}}}".
void WriteAccentedLetter(SymbolCode c, StyleFlags style, ExportTextBuffer& out);

}  // namespace kav
