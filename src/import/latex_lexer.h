// LaTeX source cut into the tokens a math-mode reader needs: characters, control sequences,
// blanks and line breaks, each with its offset for messages. Comments are dropped here.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace kav {

enum class LatexTokenKind : uint8_t { Char, Command, Space, LineBreak, End };

// A text holds up to one token per character, so the fields are ordered to pack into 24 bytes.
struct LatexToken {
  LatexTokenKind kind = LatexTokenKind::End;
  char16_t ch = 0;           // the character of a Char token
  int32_t offset = 0;        // where the token starts in the source
  std::u16string_view name;  // a command's name without the backslash ("frac", ",", "\\")
};
static_assert(sizeof(LatexToken) == 24);

// Control words longer than this are refused rather than compared against every table.
inline constexpr size_t kMaxLatexCommandName = 99;

// The tokens of `text`, ended by one End token. A "%" comment runs to the line end (the line
// break itself stays a token). Never fails: a backslash at the very end is a command with an
// empty name, which the reader refuses.
std::vector<LatexToken> TokenizeLatex(std::u16string_view text);

}  // namespace kav
