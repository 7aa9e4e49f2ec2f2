// Where formulas begin and end: "$...$", "$$...$$", "\(...\)", "\[...\]" and the equation,
// align and gather environments; rows split by "\\"; and, in a text without delimiters, one
// formula per line. Also the reader's failure texts.
#include <string>
#include <utility>

#include "base/failure.h"
#include "import/formula_markup.h"
#include "import/latex_commands.h"
#include "import/latex_parser.h"
#include "model/line.h"

namespace kav {
namespace {

bool IsChar(const LatexToken& token, char16_t c) {
  return token.kind == LatexTokenKind::Char && token.ch == c;
}

bool IsCommand(const LatexToken& token, std::u16string_view name) {
  return token.kind == LatexTokenKind::Command && token.name == name;
}

std::u16string Number(int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

LatexParser::LatexParser(std::u16string_view text) : text_(text), tokens_(TokenizeLatex(text)) {}

std::vector<std::u16string> LatexParser::ReadAll() {
  delimited_ = HasDelimiters();
  if (!delimited_) {
    ReadRows(Closer{});
  } else {
    for (;;) {
      SkipBlanks(true);
      if (Peek().kind == LatexTokenKind::End) break;
      ReadRows(ReadOpener());
    }
  }
  if (markups_.empty()) Fail(u"LaTeX: the text holds no formula");
  return std::move(markups_);
}

// Math delimiters anywhere make the text a document: formulas stand between them.
bool LatexParser::HasDelimiters() const {
  bool content = false;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    const LatexToken& token = tokens_[i];
    if (IsChar(token, u'$') || IsCommand(token, u"(") || IsCommand(token, u"[")) return true;
    // An environment counts only when it opens the text; inside a line of a plain list of
    // formulas it is part of that formula.
    if (!content && IsCommand(token, u"begin") &&
        IsRowEnvironment(EnvironmentNameAt(i + 1, nullptr))) {
      return true;
    }
    if (token.kind != LatexTokenKind::Space && token.kind != LatexTokenKind::LineBreak) {
      content = true;
    }
  }
  return false;
}

LatexParser::Closer LatexParser::ReadOpener() {
  const LatexToken& token = Next();
  Closer closer;
  closer.openedAt = token.offset;
  if (IsChar(token, u'$')) {
    const bool display = IsChar(Peek(), u'$') && Peek().offset == token.offset + 1;
    if (display) Next();
    closer.text = display ? u"$$" : u"$";
  } else if (IsCommand(token, u"(")) {
    closer.text = u"\\)";
  } else if (IsCommand(token, u"[")) {
    closer.text = u"\\]";
  } else if (IsCommand(token, u"begin") && IsRowEnvironment(EnvironmentNameAt(pos_, nullptr))) {
    size_t after = 0;
    const std::u16string name = EnvironmentNameAt(pos_, &after);
    closer.text = u"{" + name + u"}";
    closer.environment = true;
    pos_ = after;
  } else {
    Refuse(u"text outside the formula delimiters", token);
  }
  return closer;
}

void LatexParser::ReadRows(const Closer& closer) {
  for (;;) {
    StartFormula();
    LatexRow row{tree_.root, true, 0};
    ParseItems(row, LatexStyle{});
    CloseOperator(row);
    FinishFormula();
    const LatexToken& token = Peek();
    if (IsCommand(token, u"\\")) {
      Next();
      SkipRowSpacing();
    } else if (token.kind == LatexTokenKind::LineBreak) {
      Next();
    } else if (token.kind == LatexTokenKind::End) {
      if (!closer.text.empty()) Malformed(u"missing closing delimiter", closer.openedAt);
      if (!environments_.empty()) {
        Malformed(u"missing \\end{" + environments_.back() + u"}", token.offset);
      }
      return;
    } else if (ConsumeCloser(closer)) {
      if (!environments_.empty()) {
        Malformed(u"missing \\end{" + environments_.back() + u"}", token.offset);
      }
      return;
    } else if (IsCommand(token, u"end")) {
      Malformed(u"\\end{" + EnvironmentNameAt(pos_ + 1, nullptr) + u"} without its opening",
                token.offset);
    } else {
      Malformed(Spelling(token) + u" without its opening", token.offset);
    }
  }
}

bool LatexParser::ConsumeCloser(const Closer& closer) {
  const LatexToken& token = Peek();
  if (closer.environment) {
    size_t after = 0;
    if (!IsCommand(token, u"end")) return false;
    const std::u16string name = EnvironmentNameAt(pos_ + 1, &after);
    if (u"{" + name + u"}" != closer.text) return false;
    pos_ = after;
    return true;
  }
  if (closer.text == u"$$") {
    if (!IsChar(token, u'$') || !IsChar(tokens_[pos_ + 1], u'$') ||
        tokens_[pos_ + 1].offset != token.offset + 1) {
      return false;
    }
    pos_ += 2;
    return true;
  }
  const bool match = (closer.text == u"$" && IsChar(token, u'$')) ||
                     (closer.text == u"\\)" && IsCommand(token, u")")) ||
                     (closer.text == u"\\]" && IsCommand(token, u"]"));
  if (match) Next();
  return match;
}

// "\\[2pt]" and "\\*": the spacing of a row break is the layout's business.
void LatexParser::SkipRowSpacing() {
  if (IsChar(Peek(), u'*')) Next();
  if (!IsChar(Peek(), u'[')) return;
  size_t i = pos_ + 1;
  while (tokens_[i].kind == LatexTokenKind::Char && tokens_[i].ch != u']' &&
         (tokens_[i].ch == u'.' || tokens_[i].ch == u'-' ||
          (tokens_[i].ch >= u'0' && tokens_[i].ch <= u'9') ||
          (tokens_[i].ch >= u'a' && tokens_[i].ch <= u'z'))) {
    ++i;
  }
  if (IsChar(tokens_[i], u']')) pos_ = i + 1;
}

void LatexParser::StartFormula() {
  tree_.Reset(tokens_.size() + 1);
  groupDepth_ = 0;
  structureDepth_ = 0;
  formulaHasContent_ = false;
}

// A row without items or braces (a blank line, a trailing "\\") is no formula; "{}" is an empty
// one. The tree is built by the markup's own rules (structures with Group arguments, nesting
// within the reader's limit), so its markup reads back as a line; the fuzz target holds that.
void LatexParser::FinishFormula() {
  if (!formulaHasContent_) return;
  std::u16string markup;
  markup.reserve(8 * static_cast<size_t>(tree_.NodeCount()) + 16);
  WriteFormulaMarkup(tree_, tree_.root, markup);
  markups_.push_back(std::move(markup));
}

// The name in "{name}" at token `index` (blanks before it allowed); empty when there is none.
// `after` receives the index past the closing brace.
std::u16string LatexParser::EnvironmentNameAt(size_t index, size_t* after) const {
  size_t i = index;
  while (tokens_[i].kind == LatexTokenKind::Space) ++i;
  if (!IsChar(tokens_[i], u'{')) return {};
  std::u16string name;
  for (++i; tokens_[i].kind == LatexTokenKind::Char && tokens_[i].ch != u'}'; ++i) {
    const char16_t c = tokens_[i].ch;
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'*';
    if (!letter || name.size() >= kMaxLatexCommandName) return {};
    name.push_back(c);
  }
  if (!IsChar(tokens_[i], u'}')) return {};
  if (after != nullptr) *after = i + 1;
  return name;
}

// The raw text in "{...}" after a command: an environment name, a colour, a label.
std::u16string LatexParser::ReadBracedWord(const LatexToken& owner) {
  SkipBlanks(true);
  if (!IsChar(Peek(), u'{')) Malformed(Spelling(owner) + u" needs a name in braces", owner.offset);
  const LatexToken& open = Next();
  std::u16string word;
  for (;;) {
    const LatexToken& token = Next();
    if (IsChar(token, u'}')) return word;
    if (token.kind == LatexTokenKind::End || IsChar(token, u'{') ||
        token.kind == LatexTokenKind::Command) {
      Malformed(u"missing } for the {", open.offset);
    }
    if (token.kind == LatexTokenKind::Char && word.size() < kMaxLatexCommandName) {
      word.push_back(token.ch);
    }
  }
}

// "column C", or "line L, column C" when the text has several lines; columns count UTF-16
// units from 1.
std::u16string LatexParser::Place(int32_t offset) const {
  int64_t line = 1;
  size_t lineStart = 0;
  const size_t end = static_cast<size_t>(offset) < text_.size() ? offset : text_.size();
  for (size_t i = 0; i < end; ++i) {
    const bool crlf = text_[i] == u'\r' && i + 1 < text_.size() && text_[i + 1] == u'\n';
    if ((text_[i] == u'\n' || text_[i] == u'\r') && !crlf) {
      ++line;
      lineStart = i + 1;
    }
  }
  const bool severalLines = text_.find_first_of(u"\r\n") != std::u16string_view::npos;
  const std::u16string column = u"column " + Number(static_cast<int64_t>(end - lineStart) + 1);
  return severalLines ? u"line " + Number(line) + u", " + column : column;
}

void LatexParser::Refuse(std::u16string_view construct, const LatexToken& at) const {
  Fail(u"LaTeX: " + std::u16string(construct) + u" cannot be written in a Kav formula (" +
       Place(at.offset) + u")");
}

void LatexParser::Malformed(std::u16string_view what, int32_t offset) const {
  Fail(u"LaTeX: " + std::u16string(what) + u" (" + Place(offset) + u")");
}

// How a token is written in the source, for messages. Characters that would not show are named
// by their code.
std::u16string LatexParser::Spelling(const LatexToken& token) const {
  switch (token.kind) {
    case LatexTokenKind::Command: return u"\\" + std::u16string(token.name);
    case LatexTokenKind::Char: break;
    default: return u"the end of the text";
  }
  const char16_t c = token.ch;
  if (c > 32 && c != 127 && (c < 0xD800 || c > 0xDFFF) && c != 0xFFFE && c != 0xFFFF) {
    return std::u16string(1, c);
  }
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string name = u"U+";
  for (int shift = 12; shift >= 0; shift -= 4) name.push_back(kHex[(c >> shift) & 0xF]);
  return name;
}

}  // namespace kav
