// Adding, removing and re-reading whole lines, and undo and redo on top of them. Lines are moved
// inside the array, never re-read: only the line that changes is read from its markup.
#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "edit/selection.h"
#include "typeset/line_geometry.h"

namespace kav {

void Editor::InsertLineAt(int32_t index, EquationLine line) {
  const auto count = static_cast<int32_t>(document_.lines.size());
  const bool inStep = bands_.Size() == count && statistics_.LineCount() == count;
  const int32_t height = BandHeightOf(line);
  document_.lines.insert(document_.lines.begin() + index, std::move(line));
  if (inStep) {
    bands_.Insert(index, height);
    statistics_.LineInserted(index, document_.lines[index]);
  }
}

void Editor::ReplaceCurrentMarkup(const std::u16string& text) {
  CurrentLine() = NewLine(text);
  SyncDerivedState();
  statistics_.LineChanged(document_.currentLine, CurrentLine());
}

// What every insertion or deletion of a line ends with.
void Editor::AfterLineChange() {
  SyncDerivedState();
  ClearSelection();
  ScrollToCurrentLine();
  UpdateScroll();
  document_.modified = true;
  ClearStatus();
}

void Editor::InsertLine(const std::u16string& text, bool record) {
  // Read the text first: a text the reader rejects changes nothing and records nothing.
  EquationLine line = NewLine(text);
  if (record) history_.Push(UndoRecord{UndoKind::LineInserted, document_.currentLine, u"", text});
  ++document_.currentLine;
  InsertLineAt(document_.currentLine, std::move(line));
  AfterLineChange();
}

void Editor::DeleteLine(bool record) {
  auto& lines = document_.lines;
  if (lines.size() < 2) return;
  const int32_t index = document_.currentLine;
  if (record) history_.Push(UndoRecord{UndoKind::LineDeleted, index, CurrentLine().markup, u""});
  const bool inStep = bands_.Size() == static_cast<int32_t>(lines.size()) &&
                      statistics_.LineCount() == static_cast<int32_t>(lines.size());
  lines.erase(lines.begin() + index);
  if (inStep) {
    bands_.Erase(index);
    statistics_.LineRemoved(index);
  }
  document_.currentLine = index - 1;
  const bool wasFirst = document_.currentLine < 0;
  if (wasFirst) document_.currentLine = 0;
  EnsureCaret();
  ResetLineCaret(CurrentLine(), !wasFirst);
  AfterLineChange();
}

void Editor::Undo() {
  if (!history_.CanUndo()) return;
  const UndoRecord record = history_.StepBack();
  const auto count = static_cast<int32_t>(document_.lines.size());
  switch (record.kind) {
    case UndoKind::LineChanged:
      if (record.line < 0 || record.line >= count) return;
      document_.currentLine = record.line;
      ReplaceCurrentMarkup(record.before);
      break;
    case UndoKind::LineInserted:
      if (record.line + 1 < 0 || record.line + 1 >= count) return;
      document_.currentLine = record.line + 1;
      DeleteLine(false);
      break;
    case UndoKind::LineDeleted: {
      if (record.line < 0 || record.line > count) return;
      EquationLine line = NewLine(record.before);
      document_.currentLine = record.line;
      InsertLineAt(record.line, std::move(line));
      SyncDerivedState();
      break;
    }
  }
  document_.modified = true;
  ClearStatus();
}

void Editor::Redo() {
  if (!history_.CanRedo()) return;
  const UndoRecord record = history_.Next();
  const auto count = static_cast<int32_t>(document_.lines.size());
  switch (record.kind) {
    case UndoKind::LineChanged:
      if (record.line < 0 || record.line >= count) return;
      document_.currentLine = record.line;
      ReplaceCurrentMarkup(record.after);
      break;
    case UndoKind::LineInserted:
      if (record.line < -1 || record.line >= count) return;
      document_.currentLine = record.line;
      InsertLine(record.after, false);
      break;
    case UndoKind::LineDeleted:
      if (record.line < 0 || record.line >= count) return;
      document_.currentLine = record.line;
      DeleteLine(false);
      break;
  }
  history_.StepForward();
  document_.modified = true;
  ClearStatus();
}

}  // namespace kav
