#include "edit/table_insert.h"

#include "edit/editor.h"
#include "edit/typing_roles.h"

namespace kav {
namespace {

// The table's "frac" and "sqrt" rows name the solidus and the radical sign, which stand for the
// structures when chosen by name or from the palette.
constexpr SymbolCode kFractionEntry = 47;
constexpr SymbolCode kRootEntry = 8730;

}  // namespace

void InsertTableSymbol(Editor& editor, SymbolCode c) {
  if (c == kFractionEntry) {
    editor.RunWrapOrEditCommand(&kav::WrapInFraction, &kav::InsertFraction);
  } else if (c == kRootEntry) {
    editor.RunWrapOrEditCommand(&kav::WrapInRoot, &kav::InsertRoot);
  } else {
    const StyleStatistics& statistics = editor.statistics();
    const bool overSelection = editor.selectionMode();
    auto insert = [&](EquationTree& tree, Caret& caret) {
      // A symbol typed over a selection takes its place, also at the end of a script.
      if (!overSelection && EndsScript(c)) LeaveFinishedScripts(tree, caret);
      return kav::InsertSymbol(tree, caret, c, statistics);
    };
    if (ClosingPartner(c) == 0) return editor.RunEditCommand(insert);
    // An opening bracket typed over a selection encloses it with its partner.
    editor.RunWrapOrEditCommand(
        [c](EquationTree& tree, Caret& caret, const ItemRun& run) {
          return kav::WrapInBrackets(tree, caret, run, c);
        },
        insert);
  }
}

}  // namespace kav
