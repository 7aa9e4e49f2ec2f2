// Pasting markup: the clipboard's text read into a line of its own, then copies of its items
// grafted into the current line at the caret.
#pragma once
#include <cstdint>
#include <string_view>

#include "edit/edit_ops.h"
#include "model/line.h"
#include "platform/host.h"

namespace kav {

// Whether a clipboard text of this length (characters, or bytes of a named format) may be
// pasted; when it may not, the status bar says why and nothing is read or changed.
bool PasteLengthAllowed(Host& host, size_t length);

// The text read into a line with its placeholders restored, not laid out. Throws the reader's
// failure texts, so a rejected text is known before the current line is touched.
EquationLine ReadPastedMarkup(std::u16string text);

// The items a paste of this line inserts: those of its root row, placeholders left out.
int32_t PastedItemCount(const EquationLine& pasted);

// Whether the pasted items fit into `row` without nesting structures deeper than the reader
// accepts.
bool PasteFits(const EquationTree& tree, int32_t row, const EquationLine& pasted);

// Inserts copies of the pasted items at the caret, in order, the caret after each. Nothing when
// there are none; refused, changing nothing, when they do not fit.
EditResult PasteItems(EquationTree& tree, Caret& caret, const EquationLine& pasted);

}  // namespace kav
