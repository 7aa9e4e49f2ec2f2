// Cut and paste through the program's private clipboard format, which carries markup.
#include "edit/editor.h"
#include "edit/paste_markup.h"
#include "edit/selection.h"

namespace kav {

// The selection is removed only once the clipboard holds it: when another program keeps the
// clipboard open, the cut leaves the line as it was.
void Editor::Cut() {
  if (!Copy()) {
    host_.SetStatusText(u"The clipboard could not be opened; nothing was cut.");
    return;
  }
  SnapshotLine();
  DeleteSelection();
  CommitLine();
  host_.SetStatusText(u"Cut");
}

// The clipboard's text is read before the line is touched: a text the reader rejects, or one
// that would nest too deep here, leaves the line and its selection as they were. A text without
// items still replaces a selection with nothing, as any paste does; with nothing selected it
// changes nothing at all, so no undo record and no modified mark come of it.
void Editor::Paste() {
  const std::optional<std::u16string> text = host_.ReadPrivateClipboardText();
  if (!text || !PasteLengthAllowed(host_, text->size())) return;
  if (InsertPasted(ReadPastedMarkup(*text))) host_.SetStatusText(u"Pasted");
}

bool Editor::InsertPasted(const EquationLine& pasted) {
  EnsureCaret();
  EquationLine& line = CurrentLine();
  // The items go where the selection starts, once it is removed.
  Caret target = line.caret;
  CloseSelection(line);
  const bool selected = kav::CaretToSelectionStart(line.tree, target);
  if (!selected && PastedItemCount(pasted) == 0) return true;
  if (!PasteFits(line.tree, target.node, pasted)) {
    RunEdit(EditResult::TooDeep);
    return false;
  }
  SnapshotLine();
  DeleteSelection();
  RunEdit(PasteItems(line.tree, line.caret, pasted));
  CommitLine();
  return true;
}

void Editor::PasteMarkup(std::u16string_view text) {
  const EquationLine pasted = ReadPastedMarkup(text);
  EnsureCaret();
  EquationLine& line = CurrentLine();
  RunEdit(PasteItems(line.tree, line.caret, pasted));
}

}  // namespace kav
