#include "export/latex_letters.h"

#include <algorithm>
#include <string>
#include <vector>

#include "export/latex_symbols.h"
#include "model/function_names.h"

namespace kav {
namespace {

// One piece of an upright run: a function operator, or letters set in \mathrm.
struct UprightPiece {
  size_t begin;
  size_t end;
  std::u16string_view function;  // empty for plain letters
};

void WriteLetter(SymbolCode c, ExportTextBuffer& out) {
  if (IsGreek(c)) {
    AppendLatex(out, u"\\" + NameOf(c));
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

// Function names are found as the editor finds them while typing: at the end of the run, and
// again at the end of what is left before a name, so "cosin" is "co" and "sin", "tanlog" is
// "tan" and "log", while "sinh" and "sinx" (all upright) stay plain letters.
std::vector<UprightPiece> SplitUprightRun(std::span<const SymbolCode> codes) {
  std::u16string text;
  for (SymbolCode c : codes) text.push_back(c < 128 ? static_cast<char16_t>(c) : u'\x1');
  std::vector<UprightPiece> pieces;
  size_t end = text.size();
  for (;;) {
    const std::u16string_view name = TrailingFunctionName(std::u16string_view(text).substr(0, end));
    if (name.empty()) break;
    pieces.push_back({end - name.size(), end, LatexFunctionOf(name)});
    end -= name.size();
  }
  if (end > 0) pieces.push_back({0, end, {}});
  std::reverse(pieces.begin(), pieces.end());
  return pieces;
}

void WriteUprightRun(std::span<const SymbolCode> codes, bool red, ExportTextBuffer& out) {
  for (const UprightPiece& piece : SplitUprightRun(codes)) {
    if (piece.function.empty()) {
      if (red) out.Append(kLatexRedOpen);
      WriteInCommand(u"\\mathrm", codes.subspan(piece.begin, piece.end - piece.begin), out);
      if (red) out.AppendChar(u'}');
    } else if (red) {
      AppendRedOperator(out, piece.function, u"\\nolimits");
    } else {
      AppendLatex(out, piece.function);
    }
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
