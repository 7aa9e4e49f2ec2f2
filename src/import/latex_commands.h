// The LaTeX commands the reader understands, as rows of data: what each one does to the formula.
// A command without a row is refused by name.
#pragma once
#include <cstdint>
#include <string_view>

#include "model/symbols.h"

namespace kav {

enum class LatexRole : uint8_t {
  Symbol,        // one symbol: `value` is its code
  BigOperator,   // sum, product or integral with limits: `value` is its code
  Fraction,      // \frac{a}{b}
  Root,          // \sqrt{a}
  Accent,        // one symbol with an accent: `value` is the style bit
  FaceArgument,  // \mathrm{...}: `value` is the face bits for the argument
  FaceSwitch,    // \rm: `value` is the face bits for the rest of the group
  Text,          // \text{letters}: `value` is the face bits
  Function,      // \sin: the letters of the operator name row `value`, upright
  OperatorName,  // \operatorname{name}
  Wrapper,       // \mathrel{...}, \mathop{...}: spacing classes, their items as they are
  Colour,        // \color{red} for the rest of the group
  TextColour,    // \textcolor{red}{...}
  Delimiter,     // \left, \right, \middle and the \big family: the delimiter that follows
  Begin,         // \begin{environment}
  End,           // \end{environment}
  Label,         // \label{key}: no part of the formula
  Ignored,       // spacing and style commands the layout does by itself
  Refused,       // a lookalike of a Kav symbol: `value` is its row of NearEquivalents()
};

struct LatexCommand {
  std::u16string_view name;
  LatexRole role;
  uint32_t value;
};

// The row of a command name (without the backslash), or null.
const LatexCommand* FindLatexCommand(std::u16string_view name);

// The code of a delimiter after \left, \right or \big: a character token or a command token
// (`isCommand`). 0 for the empty delimiter "."; nullopt-like kNoDelimiter when it is not one the
// formula can hold.
inline constexpr SymbolCode kNoDelimiter = 0xFFFFFFFFu;
SymbolCode DelimiterCode(char16_t ch, std::u16string_view command, bool isCommand);

// The code a non-ASCII character stands for in a formula (a Greek letter, a relation, the
// minus sign), or 0 when the formula cannot hold it.
SymbolCode UnicodeSymbolCode(char16_t ch);

// The environments whose rows become lines: equation, align, gather and their kin.
bool IsRowEnvironment(std::u16string_view name);

}  // namespace kav
