// Reading native markup: Tokenize cuts the text into tokens, Parse builds the tree from them by
// recursive descent. Every failure is a thrown text; nothing reads past the end of the markup.
#include <string_view>

#include "base/failure.h"
#include "model/constructs.h"
#include "model/line.h"

namespace kav {
namespace {

constexpr size_t kMaxWord = 99;

bool IsWordChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         IsLetterPunctuation(c);
}

// The longest run of word characters that begins right after `pos`.
std::u16string_view WordAfter(std::u16string_view text, size_t pos) {
  size_t end = pos + 1;
  while (end < text.size() && IsWordChar(text[end])) ++end;
  if (end - (pos + 1) > kMaxWord) Fail(u"Name too long");
  return text.substr(pos + 1, end - (pos + 1));
}

SymbolCode EscapeCode(std::u16string_view word) {
  if (const ConstructRow* row = FindConstructByEscape(word)) return row->code;
  if (word == u"none") return code::None;
  if (word == u"red") return code::RedEscape;
  Fail(u"Unknown escape sequence");
}

StyleFlags ApplyAttribute(StyleFlags flags, std::u16string_view word) {
  if (word == u"rm") return WithStyleBit(flags, StyleRoman);
  if (word == u"rmbold") return WithStyleBit(flags, StyleBoldRoman);
  if (word == u"vector") return WithStyleBit(flags, StyleVector);
  if (word == u"hat") return WithStyleBit(flags, StyleHat);
  if (word == u"bar") return WithStyleBit(flags, StyleBar);
  if (word == u"tilde") return WithStyleBit(flags, StyleTilde);
  return flags;
}

// Reads "<name attributes>" starting at the "<" at p; returns the position of the closing ">".
size_t ReadLetter(std::u16string_view text, size_t p, Token& token) {
  const std::u16string_view name = WordAfter(text, p);
  size_t pos = p + name.size() + 1;
  token.code = name.size() == 1 ? name[0] : CodeOf(name);
  token.flags = 0;
  while (pos < text.size() && text[pos] != u'>') {
    const std::u16string_view word = WordAfter(text, pos);
    token.flags = ApplyAttribute(token.flags, word);
    pos += word.size() + 1;
  }
  if (pos >= text.size()) Fail(u"Expected >");
  return pos;
}

}  // namespace

void EquationLine::Tokenize() {
  tokens.clear();
  const std::u16string_view text = markup;
  bool pendingRed = false;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'\\') {
      const std::u16string_view word = WordAfter(text, i);
      const SymbolCode code = EscapeCode(word);
      if (code != code::RedEscape) tokens.push_back({code, pendingRed ? StyleRed : 0});
      pendingRed = code == code::RedEscape;
      i += word.size() + 1;
    } else if (c == u'{' || c == u'}') {
      tokens.push_back({c, 0});
      ++i;
    } else if (c == u'<') {
      Token token;
      i = ReadLetter(text, i, token) + 1;
      if (pendingRed) token.flags |= StyleRed;
      tokens.push_back(token);
      pendingRed = false;
    } else {
      Fail(u"Unexpected char");
    }
  }
}

SymbolCode EquationLine::Current() const {
  return tokenCursor < static_cast<int32_t>(tokens.size()) ? tokens[tokenCursor].code
                                                           : code::EndOfTokens;
}

void EquationLine::Expect(SymbolCode expected) {
  if (Current() != expected) Fail(u"Expected " + std::u16string(1, static_cast<char16_t>(expected)));
  ++tokenCursor;
}

void EquationLine::Parse() { ParseGroup(-1); }

void EquationLine::ParseGroup(int32_t parent) {
  const int32_t group = tree.AddChild(parent, MakeNode(code::Group));
  while (Current() != code::EndOfTokens && Current() != u'}') ParseElement(group);
}

void EquationLine::ParseArgument(int32_t parent) {
  int nesting = 0;
  for (int32_t n = parent; n >= 0; n = tree.Parent(n)) {
    if (tree.CodeAt(n) != code::Group) ++nesting;
  }
  if (nesting > kMaxStructureNesting) Fail(u"Nesting too deep");
  Expect(u'{');
  ParseGroup(parent);
  Expect(u'}');
}

void EquationLine::ParseElement(int32_t parent) {
  const Token token = tokens[tokenCursor];
  const SymbolCode c = token.code;
  if (const ConstructRow* row = FindConstruct(c)) {
    const int32_t node = tree.AddChild(parent, MakeNode(c, token.flags));
    ++tokenCursor;
    for (int8_t slot = 0; slot < row->slotCount; ++slot) ParseArgument(node);
  } else if (IsLetterCode(c) || c == code::None) {
    tree.AddChild(parent, MakeNode(c, token.flags));
    ++tokenCursor;
  } else {
    // A letter without a name (code 0) shows as "Unknown letter " alone.
    std::u16string text = u"Unknown letter ";
    if ((c & 0xFFFF) != 0) text.push_back(static_cast<char16_t>(c & 0xFFFF));
    Fail(std::move(text));
  }
}

}  // namespace kav
