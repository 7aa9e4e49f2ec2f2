// The steps around every edit of the current line: snapshot before, the common update after the
// tree changed, and the commit that rewrites the markup and records the change.
#include <utility>

#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "model/document_file.h"
#include "typeset/line_geometry.h"

namespace kav {

void Editor::SnapshotLine() {
  EnsureCaret();
  CurrentLine().Serialize(exportBuffer_);
  snapshot_ = CurrentLine().markup;
  drawn_.Take(CurrentLine());
  drawnLine_ = document_.currentLine;
}

bool Editor::CommitLine() {
  const int32_t index = document_.currentLine;
  EquationLine& line = CurrentLine();
  line.Serialize(exportBuffer_);
  // The snapshot goes into the record rather than a copy of it: a long line is held twice (before
  // and after), not three times. Every commit follows its own snapshot.
  std::u16string before = std::exchange(snapshot_, std::u16string());
  drawnLine_ = -1;
  if (!FitsALine(line.markup.size())) {
    RefuseLongLine(std::move(before));
    return false;
  }
  if (line.markup != before) {
    history_.Push(UndoRecord{UndoKind::LineChanged, index, std::move(before), line.markup});
    document_.modified = true;
    ClearStatus();
  }
  SyncDerivedState();
  statistics_.LineChanged(index, line);
  statistics_.Publish();
  return true;
}

// A line longer than a file may hold could be saved but never opened again: the edit is taken
// back whole and the line is as it was before it.
void Editor::RefuseLongLine(std::u16string before) {
  const size_t units = CurrentLine().markup.size();
  ReplaceCurrentMarkup(before);
  ResetLineCaret(CurrentLine(), true);
  ClearSelection();
  host_.Invalidate();
  PlaceCaret();
  host_.SetStatusText(LineTooLongText(units) + u"; nothing was changed.");
}

void Editor::LayoutLine(int32_t index) {
  EquationLine& line = document_.lines[index];
  line.layouter = &layouter_;
  line.Layout();
  if (index < bands_.Size()) bands_.Set(index, BandHeightOf(line));
}

void Editor::AfterEdit() {
  EquationLine& line = CurrentLine();
  line.InsertPlaceholders();
  LayoutLine(document_.currentLine);
  InvalidateChange();
  ApplyDragRectangle();
  ClampCaret(line.tree, line.caret);
  PlaceCaret();
}

// Only what the edit changed is drawn again, when the line as it was drawn before is known: a key
// in a long line then costs the items after it, not the whole window.
void Editor::InvalidateChange() {
  const int32_t index = document_.currentLine;
  const bool known = std::exchange(drawnLine_, -1) == index;
  const std::optional<ViewArea> area =
      known ? ChangedArea(drawn_, CurrentLine(), BandTop(index), Placement()) : std::nullopt;
  if (!area) return host_.Invalidate();
  if (area->right <= area->left || area->bottom <= area->top) return;
  // Rounded outward, so that a partly covered pixel is drawn again too.
  host_.InvalidateArea(ViewArea{scale_.ToPixels(area->left), scale_.ToPixels(area->top),
                                scale_.ToPixels(area->right) + 1,
                                scale_.ToPixels(area->bottom) + 1});
}

void Editor::RunEdit(EditResult result) {
  switch (result) {
    case EditResult::Changed: AfterEdit(); return;
    case EditResult::CaretMoved: SettleCaret(); return;
    case EditResult::TooDeep: host_.SetStatusText(u"Nesting too deep"); return;
    case EditResult::Nothing: return;
  }
}

}  // namespace kav
