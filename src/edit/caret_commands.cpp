// The caret movements as the keys run them: move in the tree, then settle and show the caret;
// Up and Down fall back on moving between lines.
#include "edit/caret_moves.h"
#include "edit/editor.h"

namespace kav {

void Editor::SettleCaret() {
  EquationLine& line = CurrentLine();
  ClampCaret(line.tree, line.caret);
  PlaceCaret();
}

void Editor::MoveLeft() {
  EnsureCaret();
  kav::MoveLeft(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
}

void Editor::MoveRight() {
  EnsureCaret();
  kav::MoveRight(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
}

bool Editor::MoveUp() {
  EnsureCaret();
  const bool moved = kav::MoveUp(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
  return moved;
}

bool Editor::MoveDown() {
  EnsureCaret();
  const bool moved = kav::MoveDown(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
  return moved;
}

void Editor::MoveHome() {
  EnsureCaret();
  kav::MoveHome(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
}

void Editor::MoveEnd() {
  EnsureCaret();
  kav::MoveEnd(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
}

void Editor::JumpToSlot() {
  EnsureCaret();
  kav::JumpToSlot(CurrentLine().tree, CurrentLine().caret);
  SettleCaret();
}

void Editor::MoveToPreviousLine() {
  if (document_.currentLine == 0) {
    MoveHome();
  } else {
    --document_.currentLine;
    EnsureCaret();
    MoveEnd();
  }
  ApplyDragRectangle();
  ScrollToCurrentLine();
}

void Editor::MoveToNextLine() {
  if (document_.currentLine + 1 >= static_cast<int32_t>(document_.lines.size())) {
    MoveEnd();
  } else {
    ++document_.currentLine;
    EnsureCaret();
    MoveHome();
  }
  ApplyDragRectangle();
  ScrollToCurrentLine();
}

}  // namespace kav
