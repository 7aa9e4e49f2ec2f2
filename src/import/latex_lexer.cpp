#include "import/latex_lexer.h"

namespace kav {
namespace {

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A no-break space is what text copied from web pages often holds between symbols.
bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\f';
}

// A control word is a run of letters; any other character after the backslash is a control
// symbol of its own.
size_t CommandEnd(std::u16string_view text, size_t start) {
  if (start >= text.size()) return start;
  if (!IsAsciiLetter(text[start])) return start + 1;
  size_t end = start;
  while (end < text.size() && IsAsciiLetter(text[end])) ++end;
  return end;
}

}  // namespace

std::vector<LatexToken> TokenizeLatex(std::u16string_view text) {
  std::vector<LatexToken> tokens;
  // At most one token per unit and the End token: one allocation, no regrowth.
  tokens.reserve(text.size() + 1);
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    LatexToken token;
    token.offset = static_cast<int32_t>(i);
    if (c == u'%') {
      while (i < text.size() && text[i] != u'\n' && text[i] != u'\r') ++i;
      continue;
    }
    if (c == u'\\') {
      const size_t end = CommandEnd(text, i + 1);
      token.kind = LatexTokenKind::Command;
      token.name = text.substr(i + 1, end - (i + 1));
      i = end;
    } else if (c == u'\r' || c == u'\n') {
      token.kind = LatexTokenKind::LineBreak;
      i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    } else if (IsBlank(c)) {
      token.kind = LatexTokenKind::Space;
      while (i < text.size() && IsBlank(text[i])) ++i;
    } else {
      token.kind = LatexTokenKind::Char;
      token.ch = c;
      ++i;
    }
    tokens.push_back(token);
  }
  LatexToken end;
  end.offset = static_cast<int32_t>(text.size());
  tokens.push_back(end);
  return tokens;
}

}  // namespace kav
