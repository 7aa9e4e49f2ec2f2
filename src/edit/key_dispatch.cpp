// Key-down and character messages: which key runs which movement, edit or line operation, and
// which steps of an edit are recorded for undo.
#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "edit/table_insert.h"
#include "edit/tree_queries.h"

namespace kav {

namespace {

// Shift with these keys selects: the arrows, Home and End, and Ctrl+Home and Ctrl+End.
bool IsSelectingKey(int32_t virtualKey, Modifiers modifiers) {
  if (!modifiers.shift) return false;
  const bool ends = virtualKey == key::Home || virtualKey == key::End;
  return ends || (!modifiers.ctrl && virtualKey >= key::Left && virtualKey <= key::Down);
}

}  // namespace

void Editor::OnKeyDown(int32_t virtualKey, Modifiers modifiers) {
  zoomCharacter_ = 0;
  if (IsSelectingKey(virtualKey, modifiers)) {
    ExtendSelection(virtualKey, modifiers.ctrl);
  } else if (modifiers.ctrl) {
    OnCtrlKey(virtualKey, modifiers);
  } else {
    OnPlainKey(virtualKey, modifiers);
  }
}

void Editor::OnPlainKey(int32_t virtualKey, Modifiers modifiers) {
  switch (virtualKey) {
    case key::Back: OnBackspaceOrDelete(false); return;
    case key::Delete: OnBackspaceOrDelete(true); return;
    case key::Tab:
      JumpToSlot();
      ScrollToCurrentLine();
      return;
    case key::Return: OnEnter(); return;
    case key::Space: OnSpace(); return;
    case key::PageUp: OnVerticalScroll(ScrollRequest::PageUp); return;
    case key::PageDown: OnVerticalScroll(ScrollRequest::PageDown); return;
    case key::End: OnHomeOrEnd(false); return;
    case key::Home: OnHomeOrEnd(true); return;
    case key::Left: OnLeftOrRight(true); return;
    case key::Right: OnLeftOrRight(false); return;
    case key::Up: OnUpOrDown(true); return;
    case key::Down: OnUpOrDown(false); return;
    case key::Backslash:
      if (!modifiers.shift) ShowInlineEditBox();
      return;
    case key::F1: OnCommand(command::Manual); return;
    default: return;
  }
}

void Editor::OnCtrlKey(int32_t virtualKey, Modifiers modifiers) {
  // Most Ctrl keys do exactly what their menu command does; with Shift held, a few do another.
  struct Shortcut {
    int32_t key;
    int32_t command;
    int32_t shiftCommand;
  };
  static constexpr Shortcut kShortcuts[] = {
      {'C', command::Copy, command::CopyAsLatex},
      {'D', command::DuplicateLine, command::DuplicateLine},
      {'G', command::InsertGreek, command::InsertGreek},
      {'K', command::InsertFraction, command::InsertFraction},
      {'N', command::NewLine, command::NewLine},
      {'O', command::Open, command::Open},
      {'R', command::InsertRoot, command::InsertRoot},
      {'S', command::Save, command::SaveAs},
      {'V', command::Paste, command::PasteFromOtherPrograms},
      {'X', command::Cut, command::Cut},
      {'Y', command::Redo, command::Redo},
      {'Z', command::Undo, command::Undo},
  };
  // Shift turns Ctrl+Z into Redo and Ctrl+N into a new document.
  zoomCharacter_ = ZoomChordCharacter(virtualKey);
  if (modifiers.shift && (virtualKey == 'Z' || virtualKey == 'N')) {
    OnCommand(virtualKey == 'Z' ? command::Redo : command::NewDocument);
  } else if (virtualKey == key::Plus || virtualKey == key::Add) {
    OnCommand(command::ZoomIn);
  } else if (virtualKey == key::Minus || virtualKey == key::Subtract) {
    OnCommand(command::ZoomOut);
  } else if (virtualKey == key::Digit0 || virtualKey == key::Numpad0) {
    OnCommand(command::ZoomReset);
  } else if (virtualKey == 'A') {
    SelectAll();
  } else if (virtualKey == key::Home || virtualKey == key::End) {
    MoveToDocumentEnd(virtualKey == key::End);
  } else if (virtualKey == 'W') {
    host_.PostClose();
  } else {
    for (const Shortcut& shortcut : kShortcuts) {
      if (shortcut.key == virtualKey) {
        OnCommand(modifiers.shift ? shortcut.shiftCommand : shortcut.command);
      }
    }
  }
}

void Editor::OnEnter() {
  // At the very start of a non-empty line the new line goes above it.
  if (CaretAtLineStart() && !LineEmpty()) --document_.currentLine;
  InsertLine(u"", true);
}

void Editor::OnHomeOrEnd(bool home) {
  if (home) {
    MoveHome();
  } else {
    MoveEnd();
  }
  ClearSelection();
  PlaceCaret();
  ScrollToCurrentLine();
}

void Editor::OnLeftOrRight(bool left) {
  if (CollapseLineSelection(left)) {
    ScrollToCurrentLine();
    return;
  }
  if (selectionMode_) {
    if (left) {
      CaretToSelectionStart();
    } else {
      CaretToSelectionEnd();
    }
    ClearSelection();
  } else if (left) {
    MoveLeft();
  } else {
    MoveRight();
  }
  ScrollToCurrentLine();
}

bool Editor::CaretAtLineStart() const {
  const EquationLine& line = document_.Current();
  const Caret& caret = line.caret;
  if (caret.node != line.tree.root) return false;
  return caret.position == 0 ||
         (caret.position == 1 && HasLeadingPlaceholder(line.tree, caret.node));
}

void Editor::EndCapture() {
  if (!mouseCaptured_) return;
  mouseCaptured_ = false;
  host_.ReleaseMouse();
}

void Editor::OnBackspaceOrDelete(bool forward) {
  EndCapture();
  // An empty line inside a selection of several lines goes with the others.
  if (LineEmpty() && !SelectedLines()) {
    if (forward) {
      DeleteEmptyLineForward();
    } else {
      DeleteLine(true);
      ScrollToCurrentLine();
    }
    return;
  }
  SnapshotLine();
  if (selectionMode_) {
    if (MarkNone()) {
      ClearSelection();
      PlaceCaret();
    } else {
      DeleteSelection();
    }
  } else {
    EquationLine& line = CurrentLine();
    RunEdit(forward ? kav::DeleteForward(line.tree, line.caret)
                    : kav::DeleteBackward(line.tree, line.caret));
  }
  CommitLine();
  ScrollToCurrentLine();
}

// Delete on an empty line leaves the caret at the start of the line that followed it.
void Editor::DeleteEmptyLineForward() {
  const int32_t deleted = document_.currentLine;
  DeleteLine(true);
  const auto count = static_cast<int32_t>(document_.lines.size());
  if (deleted > 0) {
    const bool hasFollower = deleted < count;
    document_.currentLine = hasFollower ? deleted : count - 1;
    EnsureCaret();
    ResetLineCaret(CurrentLine(), !hasFollower);
  } else {
    ResetLineCaret(CurrentLine(), false);
  }
  ClearSelection();
  host_.Invalidate();
  ScrollToCurrentLine();
}

void Editor::OnSpace() {
  if (selectionMode_) {
    CaretToSelectionEnd();
    ClearSelection();
    PlaceCaret();
  } else {
    EnsureCaret();
    const EquationLine& line = CurrentLine();
    const Caret& caret = line.caret;
    const bool atEnd = caret.position >= line.tree.ChildCount(caret.node);
    // Space never inserts: it steps out of a slot or over a structure, not over a symbol.
    if (atEnd || !IsLetterCode(CodeAtPosition(line.tree, caret.node, caret.position))) MoveRight();
  }
  ScrollToCurrentLine();
}

void Editor::OnUpOrDown(bool up) {
  if (selectionMode_) {
    CaretToSelectionStart();
    ClearSelection();
  }
  if (up ? MoveUp() : MoveDown()) {
    PlaceCaret();
  } else if (up) {
    MoveToPreviousLine();
  } else {
    MoveToNextLine();
  }
  ScrollToCurrentLine();
}

void Editor::OnChar(char16_t character) {
  if (SwallowZoomCharacter(character)) return;
  const SymbolCode c = character;
  const bool symbol = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      IsLetterPunctuation(c) || c == '<' || c == '>' || c == '{' || c == '|' ||
                      c == '}';
  if (symbol) {
    const SymbolCode inserted = c == '{' ? code::LBrace : c == '}' ? code::RBrace : c;
    InsertTableSymbol(*this, inserted);
  } else if (c == '^') {
    RunWrapOrEditCommand(&kav::WrapAsSuperscriptBase, &kav::InsertSuperscript);
  } else if (c == '_') {
    RunWrapOrEditCommand(&kav::WrapAsSubscriptBase, &kav::InsertSubscript);
  } else if (c == '/') {
    RunWrapOrEditCommand(&kav::WrapInFraction, &kav::FractionOfPreceding);
  } else {
    RefuseCharacter(character);
  }
}

}  // namespace kav
