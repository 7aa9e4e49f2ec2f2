#include "export/latex_letters.h"

#include <algorithm>
#include <string>
#include <vector>

#include "export/latex_symbols.h"
#include "model/function_names.h"

namespace kav {
namespace {

// One piece of an upright run: a standard operator, an operator's word, or other letters.
enum class PieceKind { Operator, Word, Plain };

struct UprightPiece {
  size_t begin;
  size_t end;
  PieceKind kind;
  std::u16string_view command;  // an operator's, without the backslash
  bool limits;                  // an operator's scripts go below and above in display
};

// Operators LaTeX has whose letters a formula holds otherwise (it holds \arcsin as "asin"): as
// letters they are written as the word they spell, so that they read back as these letters.
constexpr std::u16string_view kOperatorWords[] = {u"arcsin", u"arccos", u"arctan"};

void WriteLetter(SymbolCode c, ExportTextBuffer& out) {
  if (IsGreek(c)) {
    AppendLatex(out, u"\\" + LatexGreekOf(c));
  } else {
    const char16_t unit = static_cast<char16_t>(c);
    AppendLatex(out, std::u16string_view(&unit, 1));
  }
}

void WriteInCommand(std::u16string_view command, std::span<const SymbolCode> codes,
                    ExportTextBuffer& out) {
  AppendLatex(out, command);
  out.AppendChar(u'{');
  for (SymbolCode c : codes) WriteLetter(c, out);
  out.AppendChar(u'}');
}

// The operator name or operator word `text` ends with, the longest first ("limsup" before "sup").
UprightPiece TrailingOperator(std::u16string_view text) {
  for (std::u16string_view word : kOperatorWords) {
    if (text.ends_with(word)) {
      return {text.size() - word.size(), text.size(), PieceKind::Word, {}, false};
    }
  }
  const OperatorName* best = nullptr;
  for (const OperatorName& name : OperatorNames()) {
    if (text.ends_with(name.letters) &&
        (best == nullptr || name.letters.size() > best->letters.size())) {
      best = &name;
    }
  }
  if (best == nullptr) return {text.size(), text.size(), PieceKind::Plain, {}, false};
  return {text.size() - best->letters.size(), text.size(), PieceKind::Operator, best->command,
          best->limits};
}

// Operator names are found at the end of the run, and again at the end of what is left before
// a name, as the editor finds the names it knows while typing: "sincos" is "sin" and "cos",
// "cosin" is "co" and "sin", "sinx" (all upright) no name. What is left stays letters in \mathrm:
// the run may be a word cut by an accent or a colour, which an operator's spacing would split.
std::vector<UprightPiece> SplitUprightRun(std::span<const SymbolCode> codes) {
  std::u16string text;
  for (SymbolCode c : codes) text.push_back(c < 128 ? static_cast<char16_t>(c) : u'\x1');
  std::vector<UprightPiece> pieces;
  size_t end = text.size();
  for (;;) {
    const UprightPiece piece = TrailingOperator(std::u16string_view(text).substr(0, end));
    if (piece.begin == end) break;
    pieces.push_back(piece);
    end = piece.begin;
  }
  if (end > 0) pieces.push_back({0, end, PieceKind::Plain, {}, false});
  std::reverse(pieces.begin(), pieces.end());
  return pieces;
}

void WriteUprightPiece(std::span<const SymbolCode> codes, const UprightPiece& piece, bool red,
                       ExportTextBuffer& out) {
  switch (piece.kind) {
    case PieceKind::Operator: {
      const std::u16string command = u"\\" + std::u16string(piece.command);
      if (!red) return AppendLatex(out, command);
      return AppendRedOperator(out, command, piece.limits ? u"\\limits" : u"\\nolimits");
    }
    case PieceKind::Word: {
      if (!red) return WriteInCommand(u"\\operatorname", codes, out);
      std::u16string letters(codes.begin(), codes.end());
      return AppendRedOperator(out, u"\\mathrm{" + letters + u"}", u"\\nolimits");
    }
    case PieceKind::Plain:
      if (red) out.Append(kLatexRedOpen);
      WriteInCommand(u"\\mathrm", codes, out);
      if (red) out.AppendChar(u'}');
      return;
  }
}

void WriteUprightRun(std::span<const SymbolCode> codes, bool red, ExportTextBuffer& out) {
  for (const UprightPiece& piece : SplitUprightRun(codes)) {
    WriteUprightPiece(codes.subspan(piece.begin, piece.end - piece.begin), piece, red, out);
  }
}

// \mathbf sets Latin letters and digits upright and bold but leaves Greek as it was, so Greek
// letters take \boldsymbol.
void WriteBoldRun(std::span<const SymbolCode> codes, ExportTextBuffer& out) {
  size_t begin = 0;
  while (begin < codes.size()) {
    const bool greek = IsGreek(codes[begin]);
    size_t end = begin + 1;
    while (end < codes.size() && IsGreek(codes[end]) == greek) ++end;
    WriteInCommand(greek ? u"\\boldsymbol" : u"\\mathbf", codes.subspan(begin, end - begin), out);
    begin = end;
  }
}

}  // namespace

bool IsStyledLetter(SymbolCode c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsGreek(c);
}

LatexFace LatexFaceOf(StyleFlags style) {
  switch (style & StyleFaceMask) {
    case 0: return LatexFace::Italic;
    case StyleRoman: return LatexFace::Upright;
    default: return LatexFace::Bold;
  }
}

std::u16string_view LatexAccentOf(StyleFlags style) {
  switch (style & StyleAccentMask) {
    case StyleVector: return u"\\vec";
    case StyleHat: return u"\\hat";
    case StyleBar: return u"\\bar";
    case StyleTilde: return u"\\tilde";
    default: return {};
  }
}

void WriteLetterRun(std::span<const SymbolCode> codes, LatexFace face, bool red,
                    ExportTextBuffer& out) {
  if (face == LatexFace::Upright) return WriteUprightRun(codes, red, out);
  if (red) out.Append(kLatexRedOpen);
  if (face == LatexFace::Bold) {
    WriteBoldRun(codes, out);
  } else {
    for (SymbolCode c : codes) WriteLetter(c, out);
  }
  if (red) out.AppendChar(u'}');
}

void WriteAccentedLetter(SymbolCode c, StyleFlags style, ExportTextBuffer& out) {
  const bool red = (style & StyleRed) != 0;
  if (red) out.Append(kLatexRedOpen);
  AppendLatex(out, LatexAccentOf(style));
  out.AppendChar(u'{');
  const SymbolCode codes[] = {c};
  const LatexFace face = LatexFaceOf(style);
  // An accent over an upright letter never makes a function name of it.
  if (face == LatexFace::Upright) {
    WriteInCommand(u"\\mathrm", codes, out);
  } else {
    WriteLetterRun(codes, face, false, out);
  }
  out.AppendChar(u'}');
  if (red) out.AppendChar(u'}');
}

}  // namespace kav
