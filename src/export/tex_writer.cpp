// Red structures colour only their own sign: every argument inside is switched back to black.
#include "export/tex_writer.h"

#include <string_view>

#include "export/colour_groups.h"
#include "model/symbols.h"

namespace kav {
namespace {

constexpr std::u16string_view kRedOpen = u"\\textcolor{red}{";
constexpr std::u16string_view kBlackOpen = u"\\textcolor{black}{";

constexpr ColourGroups kGroups{kRedOpen, kBlackOpen, WriteTexNode};

bool IsRed(const NodeData& data) { return (data.style & StyleRed) != 0; }

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
  out.AppendChar(u'\\');
  out.Append(NameOf(c));
  out.AppendChar(u' ');
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

// TeX has different words than the table for a few symbols.
std::u16string TexWordOf(SymbolCode c) {
  switch (c) {
    case 8745: return u"cap";
    case 8746: return u"cup";
    case 8594: return u"rightarrow";
    case 176: return u"degree";
    case 8734: return u"infty";
    default: return NameOf(c);
  }
}

void WriteCharacter(const NodeData& data, ExportTextBuffer& out) {
  const SymbolCode c = data.code;
  if (IsRed(data)) out.Append(kRedOpen);
  if (IsLetterPunctuation(c)) {
    out.AppendChar(static_cast<char16_t>(c));
  } else if (IsAsciiAlnum(c) || IsGreek(c)) {
    WriteStyledLetter(c, data.style, out);
  } else if (Contains(c)) {
    out.AppendChar(u'\\');
    out.Append(TexWordOf(c));
    out.AppendChar(u' ');
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
