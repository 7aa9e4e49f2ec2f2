// The structural edits at a caret: typing symbols, making scripts, fractions, roots and big
// operators, deleting backwards and forwards. They change the tree and the caret only; the editor
// then restores placeholders, lays the line out and commits it.
#pragma once
#include "edit/style_statistics.h"
#include "model/line.h"

namespace kav {

enum class EditResult {
  Nothing,     // the operation does not apply here
  CaretMoved,  // only the caret moved (entering a slot)
  Changed,     // the tree changed
  TooDeep,     // refused: the line would nest structures deeper than the reader accepts
};

// An insertion into an empty slot replaces its placeholder; one just after a leading placeholder
// goes in front of the script that followed it.
void DropLeadingPlaceholder(EquationTree& tree, Caret& caret);

EditResult InsertSymbol(EquationTree& tree, Caret& caret, SymbolCode c,
                        const StyleStatistics& statistics);
EditResult InsertSuperscript(EquationTree& tree, Caret& caret);
EditResult InsertSubscript(EquationTree& tree, Caret& caret);
EditResult InsertFraction(EquationTree& tree, Caret& caret);
EditResult InsertRoot(EquationTree& tree, Caret& caret);
// The / key: a fraction whose numerator takes the operand just before the caret.
EditResult FractionOfPreceding(EquationTree& tree, Caret& caret);
EditResult DeleteBackward(EquationTree& tree, Caret& caret);
EditResult DeleteForward(EquationTree& tree, Caret& caret);

// A caret at the end of a script that holds a single number, letter or named symbol (with its own
// scripts) leaves it, and so on outwards: an operator typed there follows the script.
void LeaveFinishedScripts(EquationTree& tree, Caret& caret);

// The items [start, end) of one row.
struct ItemRun {
  int32_t row = -1;
  int32_t start = 0;
  int32_t end = 0;
};

// A structure built around a run of items (a selection, or what / takes): the run becomes the
// numerator, the radicand, the base of a script (in parentheses when it holds several items, the
// markup having no invisible group) or what a pair of brackets encloses.
EditResult WrapInFraction(EquationTree& tree, Caret& caret, const ItemRun& run);
EditResult WrapInRoot(EquationTree& tree, Caret& caret, const ItemRun& run);
EditResult WrapAsSuperscriptBase(EquationTree& tree, Caret& caret, const ItemRun& run);
EditResult WrapAsSubscriptBase(EquationTree& tree, Caret& caret, const ItemRun& run);
EditResult WrapInBrackets(EquationTree& tree, Caret& caret, const ItemRun& run, SymbolCode open);

}  // namespace kav
