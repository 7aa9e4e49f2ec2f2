// The items of a formula: symbols, structures, scripts, styles and colours, read into the tree
// of the formula being built. Braces only group: their items join the row they stand in.
#include "import/latex_parser.h"

#include <iterator>

#include "import/latex_commands.h"
#include "model/constructs.h"
#include "model/function_names.h"
#include "model/line.h"
#include "model/near_equivalents.h"

namespace kav {
namespace {

constexpr uint8_t kSuperSeen = 1;
constexpr uint8_t kSubSeen = 2;
// Braces and arguments inside one another; a structure's argument is one level, so this leaves
// room for the colour and face groups around the structures the markup allows.
constexpr int32_t kMaxGroupNesting = 3 * kMaxStructureNesting;
constexpr std::u16string_view kTooManyStructures = u"more than 100 structures inside one another";

bool IsChar(const LatexToken& token, char16_t c) {
  return token.kind == LatexTokenKind::Char && token.ch == c;
}

bool IsCommand(const LatexToken& token, std::u16string_view name) {
  return token.kind == LatexTokenKind::Command && token.name == name;
}

bool IsAsciiAlnum(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// How a lookalike was written and what it is: "\epsilon (the lunate epsilon ..., not Kav's ...)".
std::u16string Lookalike(std::u16string spelling, const NearEquivalent& row) {
  return spelling + u" (" + std::u16string(row.name) + u")";
}

StyleFlags StyleOf(const LatexStyle& style) {
  return style.face | (style.red ? StyleRed : 0);
}

// A token that cannot begin an argument: the argument is missing.
bool EndsArgument(const LatexToken& token) {
  return token.kind == LatexTokenKind::End || IsChar(token, u'}') || IsChar(token, u'^') ||
         IsChar(token, u'_') || IsChar(token, u'&') || IsChar(token, u'$') ||
         IsCommand(token, u"\\");
}

}  // namespace

LatexParser::Level::Level(int32_t& depth, int32_t limit, const LatexParser& parser,
                          const LatexToken& at, std::u16string_view what)
    : depth_(depth) {
  if (depth_ >= limit) parser.Refuse(what, at);
  ++depth_;
}

const LatexToken& LatexParser::Next() {
  const LatexToken& token = tokens_[pos_];
  if (token.kind != LatexTokenKind::End) ++pos_;
  return token;
}

void LatexParser::SkipBlanks(bool lineBreaks) {
  while (Peek().kind == LatexTokenKind::Space ||
         (lineBreaks && Peek().kind == LatexTokenKind::LineBreak)) {
    ++pos_;
  }
}

// Outside braces of a text without delimiters, a line break ends the formula.
bool LatexParser::LineBreakIsBlank(const LatexRow& row) const {
  return !row.top || delimited_ || !environments_.empty();
}

void LatexParser::ParseItems(LatexRow& row, LatexStyle style) {
  while (!AtItemsEnd(row)) ParseItem(row, style);
}

bool LatexParser::AtItemsEnd(const LatexRow& row) const {
  const LatexToken& token = Peek();
  if (token.kind == LatexTokenKind::End) return true;
  if (!row.top) return IsChar(token, u'}');
  if (token.kind == LatexTokenKind::LineBreak) return !LineBreakIsBlank(row);
  if (IsChar(token, u'$') || IsCommand(token, u"\\") || IsCommand(token, u")") ||
      IsCommand(token, u"]")) {
    return true;
  }
  if (IsCommand(token, u"end")) {
    // The end of an environment opened inside the formula is an item; any other ends it.
    return environments_.empty() || EnvironmentNameAt(pos_ + 1, nullptr) != environments_.back();
  }
  return false;
}

void LatexParser::ParseItem(LatexRow& row, LatexStyle& style) {
  const LatexToken& token = Next();
  switch (token.kind) {
    case LatexTokenKind::Char: return ParseCharacter(row, style, token);
    case LatexTokenKind::Command: return ParseCommand(row, style, token);
    default: return;  // blanks and line breaks inside a formula
  }
}

int32_t LatexParser::AddItem(LatexRow& row, SymbolCode code, StyleFlags style) {
  CloseOperator(row);
  formulaHasContent_ = true;
  row.scripts = 0;
  return tree_.AddChild(row.group, code, style);
}

void LatexParser::AddSymbol(LatexRow& row, SymbolCode code, const LatexStyle& style) {
  AddItem(row, code, StyleOf(style));
}

// A big operator takes the scripts that follow it as its limits until another item comes; a
// limit not given is switched off with \none, as the editor writes it.
void LatexParser::CloseOperator(LatexRow& row) {
  if (row.pendingOperator < 0) return;
  if ((row.scripts & kSubSeen) == 0) {
    tree_.AddChild(tree_.Child(row.pendingOperator, 0), code::None);
  }
  if ((row.scripts & kSuperSeen) == 0) {
    tree_.AddChild(tree_.Child(row.pendingOperator, 1), code::None);
  }
  row.pendingOperator = -1;
}

// What a group passes on to the row it stands in: a big operator at its end still takes the
// limits after the brace ("\mathop{\sum}\limits_{i}"); otherwise the group is one base.
void LatexParser::TakeOverOperator(LatexRow& row, const LatexRow& inner) {
  row.pendingOperator = inner.pendingOperator;
  row.scripts = inner.pendingOperator >= 0 ? inner.scripts : 0;
}

void LatexParser::ParseCharacter(LatexRow& row, const LatexStyle& style, const LatexToken& token) {
  const char16_t c = token.ch;
  if (IsAsciiAlnum(c) || IsLetterPunctuation(c)) return AddSymbol(row, c, style);
  switch (c) {
    case u'{': --pos_; return ParseBraceGroup(row, style);
    case u'}': Malformed(u"} without {", token.offset);
    case u'^':
    case u'_': return ParseScript(row, style, token);
    case u'/':
    case u'<':
    case u'>':
    case u'|': return AddSymbol(row, c, style);
    case u'~': return;  // a tie is spacing, which the layout makes
    case u'&':
      if (row.top) return;  // alignment points of align rows
      Refuse(u"& inside braces", token);
    case u'$': Malformed(u"$ inside braces", token.offset);
    case u'\'': Refuse(u"the prime '", token);
    default: break;
  }
  const SymbolCode code = UnicodeSymbolCode(c);
  if (code == 0) {
    const NearEquivalent* lookalike = NearEquivalentOfChar(c);
    Refuse(lookalike ? Lookalike(Spelling(token), *lookalike) : Spelling(token), token);
  }
  if (IsBigOperator(code)) return ParseBigOperator(row, style, code, token);
  AddSymbol(row, code, style);
}

void LatexParser::ParseCommand(LatexRow& row, LatexStyle& style, const LatexToken& token) {
  const LatexCommand* command = FindLatexCommand(token.name);
  if (command == nullptr) {
    if (token.name == u"\\") Refuse(u"the line break \\\\ inside braces", token);
    Refuse(Spelling(token), token);
  }
  LatexStyle inner = style;
  switch (command->role) {
    case LatexRole::Symbol: return AddSymbol(row, command->value, style);
    case LatexRole::BigOperator: return ParseBigOperator(row, style, command->value, token);
    case LatexRole::Fraction: return ParseStructure(row, style, code::Frac, token);
    case LatexRole::Root: return ParseStructure(row, style, code::Sqrt, token);
    case LatexRole::Accent: return ParseAccent(row, style, command->value, token);
    case LatexRole::FaceArgument:
      inner.face = command->value;
      return ParseFlatArgument(row, inner, token);
    case LatexRole::FaceSwitch: style.face = command->value; return;
    case LatexRole::Text: return ParseText(row, style, command->value, token);
    case LatexRole::Function:
      inner.face = StyleRoman;
      for (char16_t letter : OperatorNames()[command->value].letters) AddSymbol(row, letter, inner);
      return;
    case LatexRole::Wrapper: return ParseFlatArgument(row, style, token);
    case LatexRole::OperatorName:
      if (IsChar(Peek(), u'*')) Next();
      inner.face = StyleRoman;
      return ParseFlatArgument(row, inner, token);
    case LatexRole::Colour: style.red = ReadColourIsRed(token); return;
    case LatexRole::TextColour:
      inner.red = ReadColourIsRed(token);
      return ParseFlatArgument(row, inner, token);
    case LatexRole::Delimiter: return ParseDelimiter(row, style, token);
    case LatexRole::Begin: return ParseBegin(row, token);
    case LatexRole::End: return ParseEnd(row, token);
    case LatexRole::Label: ReadBracedWord(token); return;
    case LatexRole::Ignored: return;
    case LatexRole::Refused:
      Refuse(Lookalike(Spelling(token), NearEquivalents()[command->value]), token);
  }
}

// "{...}" whose items join `row`; the group as a whole is a base for the scripts after it.
void LatexParser::ParseBraceGroup(LatexRow& row, const LatexStyle& style) {
  const LatexToken& open = Next();
  Level level(groupDepth_, kMaxGroupNesting, *this, open, u"braces nested this deep");
  CloseOperator(row);
  formulaHasContent_ = true;
  LatexRow inner{row.group, false, 0};
  ParseItems(inner, style);
  if (!IsChar(Peek(), u'}')) Malformed(u"missing } for the {", open.offset);
  Next();
  TakeOverOperator(row, inner);
}

// The argument of a command or script as items of `row`: a brace group or one item.
void LatexParser::ParseFlatArgument(LatexRow& row, const LatexStyle& style,
                                    const LatexToken& owner) {
  SkipBlanks(true);
  if (EndsArgument(Peek())) Malformed(Spelling(owner) + u" needs an argument", owner.offset);
  if (IsChar(Peek(), u'{')) return ParseBraceGroup(row, style);
  Level level(groupDepth_, kMaxGroupNesting, *this, owner, u"arguments nested this deep");
  CloseOperator(row);
  LatexRow inner{row.group, false, 0};
  LatexStyle itemStyle = style;
  ParseItem(inner, itemStyle);
  TakeOverOperator(row, inner);
}

// A structure's argument, read into its own Group node.
void LatexParser::ParseArgument(int32_t group, const LatexStyle& style, const LatexToken& owner) {
  LatexRow row{group, false, 0};
  ParseFlatArgument(row, style, owner);
  CloseOperator(row);
}

void LatexParser::ParseScript(LatexRow& row, const LatexStyle& style, const LatexToken& token) {
  const bool super = token.ch == u'^';
  const uint8_t bit = super ? kSuperSeen : kSubSeen;
  // "^\circ" is how LaTeX writes the degree sign, which the formula holds as a symbol.
  const int32_t degree = super ? ReadDegreeScript() : 0;
  if (degree != 0) {
    LatexStyle sign = style;
    sign.red = style.red || degree == 2;
    return AddSymbol(row, 176, sign);
  }
  Level level(structureDepth_, kMaxStructureNesting, *this, token, kTooManyStructures);
  formulaHasContent_ = true;
  if (row.pendingOperator >= 0 && (row.scripts & bit) == 0) {
    ParseArgument(tree_.Child(row.pendingOperator, super ? 1 : 0), style, token);
    row.scripts |= bit;
    return;
  }
  // A second script of one kind, which LaTeX refuses, is one more script to the formula, as
  // "Copy as TeX" writes "x^{2}^{3}" for it.
  CloseOperator(row);
  const uint8_t seen = row.scripts | bit;
  const int32_t node =
      tree_.AddChild(row.group, super ? code::Super : code::Sub, StyleOf(style) & StyleRed);
  ParseArgument(tree_.AddChild(node, code::Group), style, token);
  row.scripts = seen;
}

// Consumes the degree sign's forms after a "^": "\circ", "{\circ}" and either in
// "\textcolor{red}{...}" (blanks allowed); 1 for a black sign, 2 for a red one, 0 (nothing
// consumed) for any other script.
int32_t LatexParser::ReadDegreeScript() {
  static constexpr std::u16string_view kForms[] = {
      u"\\circ", u"{\\circ}", u"\\textcolor{red}{\\circ}", u"{\\textcolor{red}{\\circ}}"};
  // Most scripts are nothing like it: a look at the first command settles them.
  size_t first = pos_;
  while (tokens_[first].kind == LatexTokenKind::Space || IsChar(tokens_[first], u'{')) ++first;
  if (!IsCommand(tokens_[first], u"circ") && !IsCommand(tokens_[first], u"textcolor")) return 0;
  std::u16string seen;
  for (size_t i = pos_; seen.size() < kForms[3].size(); ++i) {
    const LatexToken& token = tokens_[i];
    if (token.kind == LatexTokenKind::Space) continue;
    if (token.kind == LatexTokenKind::Command) {
      seen += u"\\" + std::u16string(token.name);
    } else if (token.kind == LatexTokenKind::Char) {
      seen.push_back(token.ch);
    } else {
      return 0;
    }
    for (size_t form = 0; form < std::size(kForms); ++form) {
      if (seen != kForms[form]) continue;
      pos_ = i + 1;
      return form < 2 ? 1 : 2;
    }
  }
  return 0;
}

void LatexParser::ParseBigOperator(LatexRow& row, const LatexStyle& style, SymbolCode code,
                                   const LatexToken&) {
  const int32_t node = AddItem(row, code, StyleOf(style) & StyleRed);
  tree_.AddChild(node, code::Group);
  tree_.AddChild(node, code::Group);
  row.pendingOperator = node;
}

// \frac (two arguments) and \sqrt (one; an index in brackets is refused).
void LatexParser::ParseStructure(LatexRow& row, const LatexStyle& style, SymbolCode code,
                                 const LatexToken& token) {
  if (code == code::Sqrt) {
    SkipBlanks(true);
    if (IsChar(Peek(), u'[')) Refuse(u"\\sqrt[n]", token);
  }
  const int32_t node = AddItem(row, code, StyleOf(style) & StyleRed);
  Level level(structureDepth_, kMaxStructureNesting, *this, token, kTooManyStructures);
  for (int8_t slot = 0; slot < FindConstruct(code)->slotCount; ++slot) {
    ParseArgument(tree_.AddChild(node, code::Group), style, token);
  }
}

// The formula holds accents on single symbols only, as a style of the symbol.
void LatexParser::ParseAccent(LatexRow& row, const LatexStyle& style, StyleFlags bit,
                              const LatexToken& token) {
  const int32_t before = tree_.ChildCount(row.group);
  ParseFlatArgument(row, style, token);
  const int32_t added = tree_.ChildCount(row.group) - before;
  const int32_t node = added == 1 ? tree_.LastChild(row.group) : -1;
  if (node < 0 || !IsLeafSymbol(tree_.At(node).code) ||
      (tree_.At(node).style & StyleAccentMask) != 0) {
    Refuse(Spelling(token) + u" over anything but one symbol", token);
  }
  LatexNode& data = tree_.At(node);
  data.style = WithStyleBit(data.style, bit);
}

// \text{...} of letters and digits: upright (or bold, or italic) letters of the formula.
void LatexParser::ParseText(LatexRow& row, const LatexStyle& style, StyleFlags face,
                            const LatexToken& token) {
  LatexStyle letters = style;
  letters.face = face;
  SkipBlanks(true);
  if (!IsChar(Peek(), u'{')) {
    const LatexToken& single = Next();
    if (single.kind != LatexTokenKind::Char || !IsAsciiAlnum(single.ch)) {
      Malformed(Spelling(token) + u" needs an argument", token.offset);
    }
    return AddSymbol(row, single.ch, letters);
  }
  const LatexToken& open = Next();
  for (;;) {
    const LatexToken& item = Next();
    if (IsChar(item, u'}')) return;
    if (item.kind == LatexTokenKind::End) Malformed(u"missing } for the {", open.offset);
    if (item.kind == LatexTokenKind::Space || item.kind == LatexTokenKind::LineBreak) {
      Refuse(u"text with spaces", item);
    }
    if (item.kind != LatexTokenKind::Char || !IsAsciiAlnum(item.ch)) {
      Refuse(Spelling(item) + u" in " + Spelling(token), item);
    }
    AddSymbol(row, item.ch, letters);
  }
}

// "{red}" or "{black}" after \color or \textcolor; any other colour is refused.
bool LatexParser::ReadColourIsRed(const LatexToken& token) {
  SkipBlanks(true);
  if (IsChar(Peek(), u'[')) Refuse(Spelling(token) + u"[model]", token);
  const std::u16string colour = ReadBracedWord(token);
  if (colour == u"red") return true;
  if (colour == u"black") return false;
  Refuse(Spelling(token) + u"{" + colour + u"}", token);
}

// The delimiter after \left, \right, \middle or \big: the layout sizes brackets by itself, so
// it is read as the plain symbol; "." is no symbol at all.
void LatexParser::ParseDelimiter(LatexRow& row, const LatexStyle& style, const LatexToken& token) {
  SkipBlanks(true);
  const LatexToken& delimiter = Next();
  SymbolCode code = kNoDelimiter;
  if (delimiter.kind == LatexTokenKind::Char) code = DelimiterCode(delimiter.ch, {}, false);
  if (delimiter.kind == LatexTokenKind::Command) code = DelimiterCode(0, delimiter.name, true);
  if (delimiter.kind == LatexTokenKind::End) {
    Malformed(Spelling(token) + u" needs a delimiter", token.offset);
  }
  if (code == kNoDelimiter) Refuse(Spelling(token) + Spelling(delimiter), token);
  if (code != 0) AddSymbol(row, code, style);
}

void LatexParser::ParseBegin(const LatexRow& row, const LatexToken& token) {
  const std::u16string name = ReadBracedWord(token);
  if (!row.top || !IsRowEnvironment(name)) Refuse(u"\\begin{" + name + u"}", token);
  environments_.push_back(name);
}

void LatexParser::ParseEnd(const LatexRow& row, const LatexToken& token) {
  const std::u16string name = ReadBracedWord(token);
  if (!row.top || environments_.empty() || environments_.back() != name) {
    Malformed(u"\\end{" + name + u"} without its \\begin", token.offset);
  }
  environments_.pop_back();
}

}  // namespace kav
