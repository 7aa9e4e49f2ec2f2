#include "edit/table_insert.h"

#include "edit/editor.h"

namespace kav {
namespace {

// The table's "frac" and "sqrt" rows name the solidus and the radical sign, which stand for the
// structures when chosen by name or from the palette.
constexpr SymbolCode kFractionEntry = 47;
constexpr SymbolCode kRootEntry = 8730;

}  // namespace

void InsertTableSymbol(Editor& editor, SymbolCode c) {
  if (c == kFractionEntry) {
    editor.RunEditCommand(&kav::InsertFraction);
  } else if (c == kRootEntry) {
    editor.RunEditCommand(&kav::InsertRoot);
  } else {
    const StyleStatistics& statistics = editor.statistics();
    editor.RunEditCommand([&](EquationTree& tree, Caret& caret) {
      return kav::InsertSymbol(tree, caret, c, statistics);
    });
  }
}

}  // namespace kav
