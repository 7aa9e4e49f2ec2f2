// Cut and paste through the program's private clipboard format, which carries markup.
#include "edit/editor.h"
#include "edit/paste_markup.h"
#include "edit/selection.h"
#include "model/document_file.h"

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
// changes nothing at all, so no undo record and no modified mark come of it. Lines copied
// together come back as lines. Without a Kav formula on the clipboard, a formula another program
// put there as MathML or text is read as "Paste from other programs" reads it.
void Editor::Paste() {
  const std::optional<std::u16string> text = host_.ReadPrivateClipboardText();
  if (!text) {
    PasteFromOtherPrograms();
    return;
  }
  if (!PasteLengthAllowed(host_, text->size())) return;
  std::vector<EquationLine> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text->find(u'\n', start);
    std::u16string_view part = std::u16string_view(*text).substr(start, end - start);
    if (part.ends_with(u'\r')) part.remove_suffix(1);
    lines.push_back(ReadPastedMarkup(std::u16string(part)));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  if (InsertPastedLines(std::move(lines))) host_.SetStatusText(u"Pasted");
}

bool Editor::InsertPastedLines(std::vector<EquationLine> lines) {
  for (size_t i = 1; i < lines.size(); ++i) {
    if (!FitsALine(lines[i].markup.size())) {
      host_.SetStatusText(LineTooLongText(lines[i].markup.size()) + u"; nothing was pasted.");
      return false;
    }
  }
  if (lines.empty() || !InsertPasted(lines.front())) return false;
  // Each further line is inserted (and undone) like a new line.
  for (size_t i = 1; i < lines.size(); ++i) {
    InsertLine(lines[i].markup, true);
    lines[i] = EquationLine();
  }
  return true;
}

// The pasted line is emptied once its items are copied: a large paste is laid out and recorded
// without its tree still held beside the line's.
bool Editor::InsertPasted(EquationLine& pasted) {
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
  // Removing lines selected whole leaves another line current.
  DeleteSelection();
  EquationLine& current = CurrentLine();
  const EditResult result = PasteItems(current.tree, current.caret, pasted);
  pasted = EquationLine();
  RunEdit(result);
  return CommitLine();
}

void Editor::PasteMarkup(std::u16string_view text) {
  const EquationLine pasted = ReadPastedMarkup(std::u16string(text));
  EnsureCaret();
  EquationLine& line = CurrentLine();
  RunEdit(PasteItems(line.tree, line.caret, pasted));
}

}  // namespace kav
