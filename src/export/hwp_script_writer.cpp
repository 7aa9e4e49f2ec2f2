// A red structure colours only its own sign: its arguments are opened in black again, and
// children that are red themselves carry their own colour group.
#include "export/hwp_script_writer.h"

#include <string_view>

#include "base/failure.h"
#include "export/colour_groups.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr std::u16string_view kRedOpen = u"{color{255,0,0}";
constexpr std::u16string_view kBlackOpen = u"{color{0,0,0}";

constexpr ColourGroups kGroups{kRedOpen, kBlackOpen, WriteHwpScriptNode};

bool IsRed(const NodeData& data) { return (data.style & StyleRed) != 0; }

// A symbol's word followed by a space, or the characters that stand for themselves.
void AppendScriptSpelling(const SymbolFacts& facts, ExportTextBuffer& out) {
  out.Append(facts.hwp);
  if (IsSpellingWord(facts.hwp)) out.AppendChar(u' ');
}

bool IsScriptLetter(SymbolCode c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsGreek(c);
}

// Several accents may stand together; each is a prefix word in this fixed order.
void WriteAccents(StyleFlags style, ExportTextBuffer& out) {
  if (style & StyleVector) out.Append(u"vec ");
  if (style & StyleHat) out.Append(u"hat ");
  if (style & StyleBar) out.Append(u"bar ");
  if (style & StyleTilde) out.Append(u"tilde ");
}

// Digits and letters: a face group outside, the red group inside it, then accents and the
// character. Digits have no roman face of their own, so only rmbold reaches them.
void WriteStyledCharacter(SymbolCode c, StyleFlags style, bool digit, ExportTextBuffer& out) {
  const bool bold = (style & StyleBoldRoman) != 0;
  const bool roman = !digit && !bold && (style & StyleRoman) != 0;
  const bool red = (style & StyleRed) != 0;
  if (bold) out.Append(u"{rmbold ");
  if (roman) out.Append(u"{rm ");
  if (red) out.Append(kRedOpen);
  WriteAccents(style, out);
  out.AppendChar(static_cast<char16_t>(c));
  out.AppendChar(u' ');
  if (red) out.AppendChar(u'}');
  if (bold || roman) out.Append(u"it}");
}

void WriteCharacter(const NodeData& data, ExportTextBuffer& out) {
  const SymbolCode c = data.code;
  const bool red = IsRed(data);
  if (c >= '0' && c <= '9') return WriteStyledCharacter(c, data.style, true, out);
  if (IsScriptLetter(c)) return WriteStyledCharacter(c, data.style, false, out);
  const SymbolFacts* facts = FactsOf(c);
  if (!facts) Fail(u"Hwp:: Unknown ch");
  if (red) out.Append(kRedOpen);
  AppendScriptSpelling(*facts, out);
  if (red) out.AppendChar(u'}');
}

}  // namespace

void WriteHwpScriptNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  if (tree.root < 0 || node < 0) return;
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::None:
    case code::Placeholder:
      return;
    case code::Group:
      for (int32_t child : tree.Children(node)) WriteHwpScriptNode(tree, child, out);
      return;
    default:
      break;
  }
  if (const ConstructRow* row = FindConstruct(data.code)) {
    return WriteConstructTokens(kGroups, tree, node, *row, row->hwpScript, out);
  }
  // Characters; one the script has no word for raises "Hwp:: Unknown ch".
  WriteCharacter(data, out);
}

}  // namespace kav
