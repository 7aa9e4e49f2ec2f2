// A selection made with the keyboard inside one line: the run of items, in the row that holds
// both ends, between where the selection began (the anchor) and the caret. An end inside a
// structure of that row takes the whole structure, so a selection never cuts one in two.
#pragma once
#include <cstdint>

#include "edit/edit_ops.h"
#include "model/line.h"

namespace kav {

inline bool IsEmptyRun(const ItemRun& run) {
  return run.row < 0 || run.end <= run.start;
}

// The run between the two carets (empty when they stand at one place). A script alone grows to
// take its base too: on its own it is no item a row can lose or a paste can rebuild.
ItemRun RunBetween(const EquationTree& tree, const Caret& anchor, const Caret& focus);

// Sets the line's marks to the boxes drawn for the run's items and brings every node's selection
// state up to date, as a drag over the same items would.
void MarkRun(EquationLine& line, const ItemRun& run);

// Shift+Left or Shift+Right: the caret steps as Left or Right do, except over a structure that
// does not hold the anchor, which it passes in one step (the selection takes it whole anyway).
// `anchor` is null when the selection's other end lies on another line.
void StepSelectionEnd(const EquationTree& tree, const Caret* anchor, Caret& caret, bool left);

}  // namespace kav
