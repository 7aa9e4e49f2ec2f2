// The symbols' command words, synonyms beside the words the LaTeX writer and "Copy as TeX" write
// (so that what either wrote reads back to the same symbol), are the symbol table's. Near
// equivalents (\overline, \mid, ...) are listed in the
// manual; those the MathML reader shares, and the lookalikes both refuse, come from the model's
// list, the operator names from the model's too.
#include "import/latex_commands.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <vector>

#include "model/function_names.h"
#include "model/near_equivalents.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

using R = LatexRole;

constexpr LatexCommand kCommands[] = {
    // Structures.
    {u"frac", R::Fraction, 0},
    {u"dfrac", R::Fraction, 0},
    {u"tfrac", R::Fraction, 0},
    {u"sqrt", R::Root, 0},
    // Accents.
    {u"vec", R::Accent, StyleVector},
    {u"overrightarrow", R::Accent, StyleVector},
    {u"hat", R::Accent, StyleHat},
    {u"widehat", R::Accent, StyleHat},
    {u"bar", R::Accent, StyleBar},
    {u"overline", R::Accent, StyleBar},
    {u"tilde", R::Accent, StyleTilde},
    {u"widetilde", R::Accent, StyleTilde},
    // Faces.
    {u"mathrm", R::FaceArgument, StyleRoman},
    {u"mathup", R::FaceArgument, StyleRoman},
    {u"mathbf", R::FaceArgument, StyleBoldRoman},
    {u"boldsymbol", R::FaceArgument, StyleBoldRoman},
    {u"bm", R::FaceArgument, StyleBoldRoman},
    // The encyclopedia's spelling of \mathbf, and what "Copy as TeX" writes as "{\bold x}".
    {u"bold", R::FaceArgument, StyleBoldRoman},
    {u"mathit", R::FaceArgument, 0},
    {u"mathnormal", R::FaceArgument, 0},
    {u"rm", R::FaceSwitch, StyleRoman},
    {u"bf", R::FaceSwitch, StyleBoldRoman},
    {u"it", R::FaceSwitch, 0},
    {u"text", R::Text, StyleRoman},
    {u"textrm", R::Text, StyleRoman},
    {u"textup", R::Text, StyleRoman},
    {u"textnormal", R::Text, StyleRoman},
    {u"mbox", R::Text, StyleRoman},
    {u"textbf", R::Text, StyleBoldRoman},
    {u"textit", R::Text, 0},
    {u"operatorname", R::OperatorName, 0},
    {u"mathrel", R::Wrapper, 0},
    {u"mathbin", R::Wrapper, 0},
    {u"mathpunct", R::Wrapper, 0},
    {u"mathop", R::Wrapper, 0},
    {u"mathord", R::Wrapper, 0},
    // Colour, delimiters, environments.
    {u"color", R::Colour, 0},
    {u"textcolor", R::TextColour, 0},
    {u"left", R::Delimiter, 0},
    {u"right", R::Delimiter, 0},
    {u"middle", R::Delimiter, 0},
    {u"big", R::Delimiter, 0},
    {u"Big", R::Delimiter, 0},
    {u"bigg", R::Delimiter, 0},
    {u"Bigg", R::Delimiter, 0},
    {u"bigl", R::Delimiter, 0},
    {u"Bigl", R::Delimiter, 0},
    {u"biggl", R::Delimiter, 0},
    {u"Biggl", R::Delimiter, 0},
    {u"bigr", R::Delimiter, 0},
    {u"Bigr", R::Delimiter, 0},
    {u"biggr", R::Delimiter, 0},
    {u"Biggr", R::Delimiter, 0},
    {u"bigm", R::Delimiter, 0},
    {u"Bigm", R::Delimiter, 0},
    {u"begin", R::Begin, 0},
    {u"end", R::End, 0},
    {u"label", R::Label, 0},
    // Spacing and style the layout does by itself; equation numbering.
    {u",", R::Ignored, 0},
    {u";", R::Ignored, 0},
    {u":", R::Ignored, 0},
    {u"!", R::Ignored, 0},
    {u">", R::Ignored, 0},
    {u" ", R::Ignored, 0},
    {u"quad", R::Ignored, 0},
    {u"qquad", R::Ignored, 0},
    {u"thinspace", R::Ignored, 0},
    {u"medspace", R::Ignored, 0},
    {u"thickspace", R::Ignored, 0},
    {u"enspace", R::Ignored, 0},
    {u"displaystyle", R::Ignored, 0},
    {u"textstyle", R::Ignored, 0},
    {u"limits", R::Ignored, 0},
    {u"nolimits", R::Ignored, 0},
    {u"nonumber", R::Ignored, 0},
    {u"notag", R::Ignored, 0},
};

// The rows, the near equivalents that have a command word, the operator names and the symbols'
// command words sorted by name
// once, with where each first character's run begins, so that a lookup is a short binary search:
// a formula names many commands and the reader should cost far less than typesetting it.
struct CommandIndex {
  std::vector<LatexCommand> rows;
  // The rows whose name begins with c are [runStart[c], runStart[c + 1]).
  std::array<uint16_t, 129> runStart{};
};

// The rows that come from the model's lists: the near equivalents that have a command word
// (a lookalike refused by name) and the operator names.
void AddSharedRows(std::vector<LatexCommand>& rows) {
  const std::span<const NearEquivalent> near = NearEquivalents();
  for (size_t i = 0; i < near.size(); ++i) {
    if (near[i].latex.empty()) continue;
    rows.push_back(near[i].code != 0
                       ? LatexCommand{near[i].latex, R::Symbol, near[i].code}
                       : LatexCommand{near[i].latex, R::Refused, static_cast<uint32_t>(i)});
  }
  const std::span<const OperatorName> names = OperatorNames();
  for (size_t i = 0; i < names.size(); ++i) {
    rows.push_back({names[i].command, R::Function, static_cast<uint32_t>(i)});
  }
}

// Each command word of the symbol table's LaTeX reading column.
void AddSymbolRows(std::vector<LatexCommand>& rows) {
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    const LatexRole role = facts.group == SymbolGroup::BigOperator ? R::BigOperator : R::Symbol;
    for (std::u16string_view word : WordsOf(facts.latexRead)) {
      rows.push_back({word, role, facts.code});
    }
  }
}

CommandIndex MakeCommandIndex() {
  CommandIndex index;
  index.rows.assign(std::begin(kCommands), std::end(kCommands));
  // Before the Greek letters: \epsilon and \phi are refused, although the table names Kav's
  // letters so.
  AddSharedRows(index.rows);
  AddSymbolRows(index.rows);
  // Stable, so that a name listed twice finds the first row listed.
  std::stable_sort(index.rows.begin(), index.rows.end(),
                   [](const LatexCommand& a, const LatexCommand& b) { return a.name < b.name; });
  size_t row = 0;
  for (size_t c = 0; c <= 128; ++c) {
    while (row < index.rows.size() && index.rows[row].name[0] < c) ++row;
    index.runStart[c] = static_cast<uint16_t>(row);
  }
  return index;
}

// Whether `name` is one of the short list `names`.
template <size_t N>
bool IsOneOf(const std::u16string_view (&names)[N], std::u16string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

}  // namespace

const LatexCommand* FindLatexCommand(std::u16string_view name) {
  static const CommandIndex index = MakeCommandIndex();
  if (name.empty() || name[0] >= 128) return nullptr;
  const auto begin = index.rows.begin() + index.runStart[name[0]];
  const auto end = index.rows.begin() + index.runStart[name[0] + 1];
  const auto it = std::lower_bound(
      begin, end, name,
      [](const LatexCommand& row, std::u16string_view key) { return row.name < key; });
  return it != end && it->name == name ? &*it : nullptr;
}

SymbolCode DelimiterCode(char16_t ch, std::u16string_view command, bool isCommand) {
  if (!isCommand) {
    switch (ch) {
      case u'(':
      case u')':
      case u'[':
      case u']': return ch;
      case u'|': return 124;
      case u'/': return 47;
      case u'.': return 0;
      case u'\u230A':
      case u'\u230B':
      case u'\u2308':
      case u'\u2309': return ch;
      default: return kNoDelimiter;
    }
  }
  static constexpr std::u16string_view kDelimiters[] = {
      u"{",      u"}",      u"lbrace", u"rbrace", u"vert",   u"lvert",  u"rvert",  u"mid",
      u"lfloor", u"rfloor", u"lceil",  u"rceil",  u"lbrack", u"rbrack", u"lparen", u"rparen"};
  return IsOneOf(kDelimiters, command) ? FindLatexCommand(command)->value : kNoDelimiter;
}

SymbolCode UnicodeSymbolCode(char16_t ch) {
  if (const NearEquivalent* near = NearEquivalentOfChar(ch)) return near->code;
  if (ch < 128) return 0;
  const SymbolFacts* facts = FactsOfCharacter(ch);
  return facts ? facts->code : 0;
}

bool IsRowEnvironment(std::u16string_view name) {
  static constexpr std::u16string_view kNames[] = {
      u"equation", u"equation*", u"align",    u"align*",   u"gather",    u"gather*",
      u"aligned",  u"gathered",  u"split",    u"multline", u"multline*", u"displaymath",
      u"math",     u"flalign",   u"flalign*", u"eqnarray", u"eqnarray*"};
  return IsOneOf(kNames, name);
}

}  // namespace kav
