// Office Math runs: one character or a run of upright letters, with their face, colour and
// accent.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "model/symbols.h"

namespace kav {

// How a run of several letters is marked: upright math text, or plain text for words that a
// reader would otherwise take for one of its commands.
enum class OmmlRunForm { Upright, PlainText };

// One character as Office Math text ("<", ">" and "&" as entities), appended to `out`.
void AppendOmmlChar(std::string& out, uint32_t codePoint);

// ASCII operators that LibreOffice reads only with an operand before them, or after them.
bool NeedsOperandBefore(uint32_t codePoint);
bool NeedsOperandAfter(uint32_t codePoint);

// One character with its face, colour and accent. An accent over an operator that needs
// operands holds it as AppendOmmlLoneOperator writes it.
void AppendOmmlCharacter(std::string& out, uint32_t codePoint, StyleFlags style);

// An operator with no operand beside it (alone as a script, as an operand, as the base of a
// script): "*" and "-" as the Unicode forms both programs read, the others with an empty run on
// either side.
void AppendOmmlLoneOperator(std::string& out, uint32_t codePoint, StyleFlags style);

// Letters (or other characters) written as one run; only the colour of `style` counts.
void AppendOmmlLetters(std::string& out, std::u16string_view letters, StyleFlags style,
                       OmmlRunForm form);

// An empty plain-text run: invisible, but it gives an operator at either end of an argument
// something to stand beside, which LibreOffice needs to read it.
void AppendOmmlEmptyRun(std::string& out);

}  // namespace kav
