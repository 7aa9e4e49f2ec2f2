// Caret movements inside one line. They change only the caret (row and position), never the
// tree; the editor settles and shows the caret afterwards.
#pragma once
#include "model/line.h"

namespace kav {

void MoveHome(const EquationTree& tree, Caret& caret);
void MoveEnd(const EquationTree& tree, Caret& caret);
void MoveLeft(const EquationTree& tree, Caret& caret);
void MoveRight(const EquationTree& tree, Caret& caret);
// True when the caret moved inside the line; false when the key should move between lines.
bool MoveUp(const EquationTree& tree, Caret& caret);
bool MoveDown(const EquationTree& tree, Caret& caret);
// Tab: in a big operator's limits lower limit, upper limit, operand; elsewhere just before the
// next placeholder after the caret in document order, else the line end.
void JumpToSlot(const EquationTree& tree, Caret& caret);
// Clamps the position into 0..child count of the caret row.
void ClampCaret(const EquationTree& tree, Caret& caret);

}  // namespace kav
