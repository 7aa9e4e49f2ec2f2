// Red structures colour only their own sign: every argument inside is switched back to black.
#include "export/tex_writer.h"

#include <string_view>

#include "export/colour_groups.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr std::u16string_view kRedOpen = u"\\textcolor{red}{";
constexpr std::u16string_view kBlackOpen = u"\\textcolor{black}{";

constexpr ColourGroups kGroups{kRedOpen, kBlackOpen, WriteTexNode};

bool IsRed(const NodeData& data) { return (data.style & StyleRed) != 0; }

// A symbol's TeX spelling: a word as "\word ", punctuation as itself; nothing for a code
// without a row.
void AppendTexSpelling(SymbolCode c, ExportTextBuffer& out) {
  const SymbolFacts* facts = FactsOf(c);
  if (!facts) return;
  if (!IsSpellingWord(facts->tex)) return out.Append(facts->tex);
  out.AppendChar(u'\\');
  out.Append(facts->tex);
  out.AppendChar(u' ');
}

bool IsAsciiAlnum(SymbolCode c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::u16string_view AccentOf(StyleFlags style) {
  switch (style & StyleAccentMask) {
    case StyleVector: return u"\\vec";
    case StyleHat: return u"\\hat";
    case StyleBar: return u"\\bar";
    case StyleTilde: return u"\\tilde";
    default: return {};  // none, or several: dropped
  }
}

std::u16string_view FaceOf(StyleFlags style) {
  switch (style & StyleFaceMask) {
    case StyleRoman: return u"\\rm ";
    case StyleBoldRoman: return u"\\bold ";
    default: return {};
  }
}

// An ASCII letter or digit as itself, a Greek letter by its name.
void WriteLetter(SymbolCode c, ExportTextBuffer& out) {
  if (IsAsciiAlnum(c)) {
    out.AppendChar(static_cast<char16_t>(c));
    return;
  }
  AppendTexSpelling(c, out);
}

// A letter, digit or Greek letter with its face and at most one accent.
void WriteStyledLetter(SymbolCode c, StyleFlags style, ExportTextBuffer& out) {
  const std::u16string_view accent = AccentOf(style);
  const std::u16string_view face = FaceOf(style);
  const bool uprightDigit = c >= '0' && c <= '9' && (style & StyleFaceMask) == StyleRoman;
  if (accent.empty() && (face.empty() || uprightDigit)) {
    WriteLetter(c, out);
    return;
  }
  out.Append(accent);
  out.AppendChar(u'{');
  out.Append(face);
  WriteLetter(c, out);
  out.AppendChar(u'}');
}

void WriteCharacter(const NodeData& data, ExportTextBuffer& out) {
  const SymbolCode c = data.code;
  if (IsRed(data)) out.Append(kRedOpen);
  if (IsAsciiAlnum(c) || IsGreek(c)) {
    WriteStyledLetter(c, data.style, out);
  } else {
    AppendTexSpelling(c, out);
  }
  if (IsRed(data)) out.AppendChar(u'}');
}

}  // namespace

void WriteTexNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  if (tree.root < 0 || node < 0) return;
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::None:
    case code::Placeholder:
      return;
    case code::Group:
      for (int32_t child : tree.Children(node)) WriteTexNode(tree, child, out);
      return;
    default:
      break;
  }
  if (const ConstructRow* row = FindConstruct(data.code)) {
    return WriteConstructTokens(kGroups, tree, node, *row, row->tex, out);
  }
  // Everything else follows the character rule, which skips a character it cannot name; a
  // structure code it does not know is no character and stops the writer.
  RequireKnownCode(data.code, u"TeX");
  WriteCharacter(data, out);
}

}  // namespace kav
