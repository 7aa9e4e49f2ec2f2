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
// The / key: a fraction whose numerator takes the items just before the caret.
EditResult FractionOfPreceding(EquationTree& tree, Caret& caret);
EditResult DeleteBackward(EquationTree& tree, Caret& caret);
EditResult DeleteForward(EquationTree& tree, Caret& caret);

}  // namespace kav
