// Selecting with the keyboard: Shift with the caret keys grows or shrinks a selection from where
// it began, Ctrl+A over several lines selects them all, and Ctrl+Home/End reach the document's
// ends. A selection within one line sets the same marks a drag sets, so every command that acts
// on a selection works on it unchanged; one over several lines takes them whole.
#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "edit/key_range.h"
#include "edit/selection.h"
#include "edit/tree_queries.h"

namespace kav {
namespace {

bool SameCaret(const Caret& a, const Caret& b) {
  return a.node == b.node && a.position == b.position;
}

// A caret that still names a row and a place of the line's tree.
bool CaretFits(const EquationTree& tree, const Caret& caret) {
  return caret.node >= 0 && caret.node < static_cast<int32_t>(tree.nodes.size()) &&
         tree.CodeAt(caret.node) == code::Group && IsWithin(tree, caret.node, tree.root) &&
         caret.position >= 0 && caret.position <= tree.ChildCount(caret.node);
}

}  // namespace

std::optional<std::pair<int32_t, int32_t>> Editor::SelectedLines() const {
  if (!KeySelectionCurrent() || keyAnchor_->line == document_.currentLine) return std::nullopt;
  return std::minmax(keyAnchor_->line, document_.currentLine);
}

bool Editor::KeySelectionCurrent() const {
  if (!keyAnchor_) return false;
  const auto count = static_cast<int32_t>(document_.lines.size());
  if (keyAnchor_->line >= count || keyAnchor_->focusLine != document_.currentLine) return false;
  const EquationLine& anchorLine = document_.lines[keyAnchor_->line];
  return SameCaret(keyAnchor_->focus, document_.Current().caret) &&
         CaretFits(anchorLine.tree, keyAnchor_->caret);
}

void Editor::ExtendSelection(int32_t virtualKey, bool ctrl) {
  EnsureCaret();
  if (!KeySelectionCurrent()) StartKeySelection();
  MoveSelectionEnd(virtualKey, ctrl);
  EnsureCaret();
  keyAnchor_->focusLine = document_.currentLine;
  keyAnchor_->focus = CurrentLine().caret;
  MarkKeySelection();
  host_.Invalidate();
  PlaceCaret();
  ScrollToCurrentLine();
}

// A selection made otherwise (a drag, Ctrl+A in one line) is extended from its start.
void Editor::StartKeySelection() {
  ForgetKeySelection();
  EquationLine& line = CurrentLine();
  Caret anchor = line.caret;
  if (selectionMode_ && CaretToSelectionStart()) {
    anchor = line.caret;
    CaretToSelectionEnd();
  }
  EndCapture();
  drag_ = DragRectangle{};
  keyAnchor_ = KeyAnchor{document_.currentLine, anchor, document_.currentLine, line.caret};
}

void Editor::MoveSelectionEnd(int32_t virtualKey, bool ctrl) {
  EquationLine& line = CurrentLine();
  const bool sameLine = keyAnchor_->line == document_.currentLine;
  switch (virtualKey) {
    case key::Left:
    case key::Right:
      StepSelectionEnd(line.tree, sameLine ? &keyAnchor_->caret : nullptr, line.caret,
                       virtualKey == key::Left);
      return;
    case key::Home:
    case key::End:
      if (ctrl) {
        document_.currentLine =
            virtualKey == key::Home ? 0 : static_cast<int32_t>(document_.lines.size()) - 1;
        EnsureCaret();
      }
      ResetLineCaret(CurrentLine(), virtualKey == key::End);
      return;
    case key::Up:
    case key::Down: MoveSelectionEndToLine(virtualKey == key::Up); return;
    default: return;
  }
}

// Up goes to the start of the line above and Down to the end of the line below, so the lines
// between are taken whole; back on the anchor's line the caret returns to the anchor, so Shift+Down
// then Shift+Up gives back what was selected before.
void Editor::MoveSelectionEndToLine(bool up) {
  const int32_t target = document_.currentLine + (up ? -1 : 1);
  if (target < 0 || target >= static_cast<int32_t>(document_.lines.size())) {
    ResetLineCaret(CurrentLine(), !up);
    return;
  }
  document_.currentLine = target;
  EnsureCaret();
  if (target == keyAnchor_->line) {
    CurrentLine().caret = keyAnchor_->caret;
  } else {
    ResetLineCaret(CurrentLine(), !up);
  }
}

void Editor::MarkKeySelection() {
  if (markedLines_) {
    for (int32_t i = markedLines_->first; i <= markedLines_->second; ++i) {
      ClearMarks(document_.lines[i]);
    }
    markedLines_.reset();
  }
  if (const auto lines = SelectedLines()) {
    for (int32_t i = lines->first; i <= lines->second; ++i) {
      EquationLine& line = document_.lines[i];
      line.selection.marks.assign(line.boxes.size(), true);
    }
    markedLines_ = lines;
    selectionMode_ = true;
    return;
  }
  EquationLine& line = CurrentLine();
  const ItemRun run = RunBetween(line.tree, keyAnchor_->caret, line.caret);
  MarkRun(line, run);
  selectionMode_ = !IsEmptyRun(run);
}

void Editor::ForgetKeySelection() {
  const auto count = static_cast<int32_t>(document_.lines.size());
  if (markedLines_) {
    for (int32_t i = markedLines_->first; i <= markedLines_->second && i < count; ++i) {
      ClearMarks(document_.lines[i]);
    }
  }
  markedLines_.reset();
  keyAnchor_.reset();
}

// The lines go as recorded steps of their own, the last first, and the first is emptied by the
// caller's commit: undo brings each back in turn, none is lost silently.
void Editor::DeleteSelectedLines(std::pair<int32_t, int32_t> lines) {
  ForgetKeySelection();
  selectionMode_ = false;
  for (int32_t i = lines.second; i > lines.first; --i) {
    document_.currentLine = i;
    DeleteLine(true);
  }
  document_.currentLine = lines.first;
  snapshot_ = CurrentLine().markup;
  ReplaceCurrentMarkup(u"");
  EnsureCaret();
  document_.modified = true;
  ClearSelection();
  ScrollToCurrentLine();
  UpdateScroll();
}

bool Editor::CollapseLineSelection(bool toStart) {
  const auto lines = SelectedLines();
  if (!lines) return false;
  ClearSelection();
  document_.currentLine = toStart ? lines->first : lines->second;
  EnsureCaret();
  ResetLineCaret(CurrentLine(), !toStart);
  ApplyDragRectangle();
  PlaceCaret();
  return true;
}

void Editor::MoveToDocumentEnd(bool end) {
  ClearSelection();
  document_.currentLine = end ? static_cast<int32_t>(document_.lines.size()) - 1 : 0;
  EnsureCaret();
  ResetLineCaret(CurrentLine(), end);
  ApplyDragRectangle();
  PlaceCaret();
  ScrollToCurrentLine();
}

}  // namespace kav
