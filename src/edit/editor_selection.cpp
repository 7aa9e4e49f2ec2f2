// The selection as the editor runs it: the stored drag rectangle applied to the current line,
// clearing, removing what is selected, select all, and turning a lone empty limit into none.
#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "edit/selection.h"
#include "edit/tree_queries.h"

namespace kav {
namespace {

int64_t SquaredDistance(const DragRectangle& drag) {
  const int64_t dx = static_cast<int64_t>(drag.anchorX) - drag.currentX;
  const int64_t dy = static_cast<int64_t>(drag.anchorY) - drag.currentY;
  return dx * dx + dy * dy;
}

}  // namespace

// A keyboard selection has no rectangle: its marks are made again from its two ends.
void Editor::ApplyDragRectangle() {
  if (KeySelectionCurrent()) {
    MarkKeySelection();
    return;
  }
  ForgetKeySelection();
  EquationLine& line = CurrentLine();
  ClearMarks(line);
  CloseSelection(line);
  if (SquaredDistance(drag_) < 25) return;
  const LinePoint anchor = ToLineCoordinates(drag_.anchorX, drag_.anchorY);
  const LinePoint current = ToLineCoordinates(drag_.currentX, drag_.currentY);
  MarkBoxesInRect(line, LineRect{anchor.x, anchor.y, current.x, current.y});
  CloseSelection(line);
}

// Forgetting the drag rectangle also ends a drag still in progress: otherwise the next move
// would select from the window's corner, outside selection mode.
void Editor::ClearSelection() {
  EndCapture();
  ForgetKeySelection();
  selectionMode_ = false;
  drag_ = DragRectangle{};
  ApplyDragRectangle();
  host_.Invalidate();
  PlaceCaret();
}

// Both close the selection first: select all sets only the marks, and the keys that leave a
// selection should find its ends all the same. After a drag this changes nothing.
bool Editor::CaretToSelectionStart() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  return kav::CaretToSelectionStart(line.tree, line.caret);
}

bool Editor::CaretToSelectionEnd() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  return kav::CaretToSelectionEnd(line.tree, line.caret);
}

// Nothing selected, nothing being dragged and the current line wholly in sight: removing the
// selection would change nothing, so the edit that follows costs one layout of its line and
// draws again only what it changes.
bool Editor::NothingToDeselect() {
  if (selectionMode_ || mouseCaptured_ || keyAnchor_ || markedLines_ || SquaredDistance(drag_) > 0) {
    return false;
  }
  const int32_t index = document_.currentLine;
  if (index < 0 || index >= static_cast<int32_t>(document_.lines.size()) ||
      HasMarks(CurrentLine())) {
    return false;
  }
  // Scrolling to the current line would leave the view where it is. A sideways scroll that
  // brings the caret into sight is made here, and the full way then draws everything again.
  return !ScrollCaretIntoSight() && ClampedScroll(CurrentLineScroll()) == scrollOffset_;
}

// Over several lines the lines go whole and the first is left empty for what replaces them.
void Editor::DeleteSelection() {
  if (const auto lines = SelectedLines()) {
    DeleteSelectedLines(*lines);
    return;
  }
  if (NothingToDeselect()) {
    document_.modified = true;
    return;
  }
  ForgetKeySelection();
  EnsureCaret();
  EquationLine& line = CurrentLine();
  CaretToSelectionStart();
  CloseSelection(line);
  CaretToSelectionStart();
  RemoveSelected(line.tree);
  AfterEdit();
  ClearMarks(line);
  CloseSelection(line);
  line.Serialize(exportBuffer_);
  document_.modified = true;
  EndCapture();
  drag_ = DragRectangle{};
  selectionMode_ = false;
  ApplyDragRectangle();
  host_.Invalidate();
  PlaceCaret();
  ScrollToCurrentLine();
}

bool Editor::MarkNone() {
  EquationLine& line = CurrentLine();
  EquationTree& tree = line.tree;
  // Bring `marked` up to date first: select all sets only the marks.
  CloseSelection(line);
  int32_t node = -1;
  if (CountMarked(tree, &node) != 1 || tree.CodeAt(node) != code::Placeholder) return false;
  const int32_t limit = tree.Parent(node);
  if (limit < 0 || tree.CodeAt(limit) != code::Group) return false;
  const int32_t structure = tree.Parent(limit);
  if (structure < 0 || !IsBigOperator(tree.CodeAt(structure))) return false;
  tree.Data(node).code = code::None;
  AfterEdit();
  line.caret = Caret{tree.Parent(structure), tree.IndexInParent(structure) + 1};
  return true;
}

// Select all replaces what a drag in progress selected, so the drag ends there. With several
// lines it selects them all, from the start of the first to the end of the last.
void Editor::SelectAll() {
  EndCapture();
  ForgetKeySelection();
  if (document_.lines.size() > 1) {
    ClearSelection();
    document_.currentLine = 0;
    EnsureCaret();
    ResetLineCaret(CurrentLine(), false);
    ExtendSelection(key::End, true);
    return;
  }
  EquationLine& line = CurrentLine();
  line.selection.marks.assign(line.boxes.size(), true);
  selectionMode_ = true;
  host_.Invalidate();
  PlaceCaret();
  ScrollToCurrentLine();
}

}  // namespace kav
