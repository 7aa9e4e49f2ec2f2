// Copy, Copy as TeX, Copy as LaTeX and Copy picture: the current line on the clipboard, as the other programs
// want it.
#include "edit/editor.h"
#include "edit/selection.h"
#include "export/clipboard_payloads.h"

namespace kav {

// Every payload is made before the clipboard is touched, so a writer's failure (a character the
// HWP script has no word for, a script too long for its document) leaves the clipboard as it
// was; the failure's text travels on to the status bar.
bool Editor::Copy() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  const ClipboardPayloads payloads = BuildClipboardPayloads(line, exportBuffer_, LocalDosDateTime());
  return host_.PublishClipboard(payloads);
}

void Editor::CopyAsTex() {
  if (!host_.PublishUnicodeText(LineTex(CurrentLine(), exportBuffer_))) {
    host_.SetStatusText(u"The clipboard could not be opened; nothing was copied.");
  }
}

// The picture of the line, never of its selection state, as Copy's bitmap is.
void Editor::CopyPicture() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  if (!host_.PublishPicture(LinePicture(line))) {
    host_.SetStatusText(u"The clipboard could not be opened; nothing was copied.");
  }
}

void Editor::CopyAsLatex() {
  if (!host_.PublishUnicodeText(LineLatex(CurrentLine(), exportBuffer_))) {
    host_.SetStatusText(u"The clipboard could not be opened; nothing was copied.");
  }
}

}  // namespace kav
