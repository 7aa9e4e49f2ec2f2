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
}

bool Editor::CommitLine() {
  const int32_t index = document_.currentLine;
  EquationLine& line = CurrentLine();
  line.Serialize(exportBuffer_);
  // The snapshot goes into the record rather than a copy of it: a long line is held twice (before
  // and after), not three times. Every commit follows its own snapshot.
  std::u16string before = std::exchange(snapshot_, std::u16string());
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
  host_.Invalidate();
  ApplyDragRectangle();
  ClampCaret(line.tree, line.caret);
  PlaceCaret();
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
