// The selection that a structure typed over it takes in: one run of items of one row.
#include "edit/editor.h"
#include "edit/selection.h"

namespace kav {

std::optional<ItemRun> Editor::SelectedRun() {
  if (!selectionMode_) return std::nullopt;
  EnsureCaret();
  EquationLine& line = CurrentLine();
  const EquationTree& tree = line.tree;
  CloseSelection(line);
  Caret first;
  Caret last;
  if (!kav::CaretToSelectionStart(tree, first) || !kav::CaretToSelectionEnd(tree, last)) {
    return std::nullopt;
  }
  ItemRun run{first.node, first.position, last.position};
  // A leading placeholder, or the marker of a switched-off limit, stays where it is.
  const SymbolCode lead = run.start < run.end ? tree.CodeAt(tree.Child(run.row, run.start)) : 0;
  if (lead == code::Placeholder || lead == code::None) ++run.start;
  if (run.start >= run.end) return std::nullopt;
  return run;
}

}  // namespace kav
