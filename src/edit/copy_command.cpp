// Copy, Copy as TeX, Copy as LaTeX, Copy as MathML and Copy picture: the current line on the
// clipboard, as the other programs want it.
#include "base/utf.h"
#include "edit/editor.h"
#include "edit/selection.h"
#include "export/clipboard_payloads.h"
#include "export/mathml_writer.h"

namespace kav {

// Every payload is made before the clipboard is touched, so a writer's failure (a character the
// HWP script has no word for, a script too long for its document) leaves the clipboard as it
// was; the failure's text travels on to the status bar.
bool Editor::Copy() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  const ClipboardPayloads payloads =
      BuildClipboardPayloads(line, exportBuffer_, payloadBuilders_, LocalDosDateTime());
  return host_.PublishClipboard(payloads);
}

void Editor::ReportCopy(bool copied, std::u16string_view done) {
  host_.SetStatusText(copied ? done : u"The clipboard could not be opened; nothing was copied.");
}

void Editor::CopyAsTex() {
  ReportCopy(host_.PublishUnicodeText(LineTex(CurrentLine(), exportBuffer_)), u"Copied as TeX");
}

// The picture of the line, never of its selection state, as Copy's bitmap is.
void Editor::CopyPicture() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  ReportCopy(host_.PublishPicture(LinePicture(line)), u"Copied picture");
}

void Editor::CopyAsLatex() {
  ReportCopy(host_.PublishUnicodeText(LineLatex(CurrentLine(), exportBuffer_)), u"Copied as LaTeX");
}

// Office looks for MathML under these two registered names, as UTF-8; other programs take the
// Unicode text.
void Editor::CopyAsMathml() {
  const std::u16string mathml = LineMathml(CurrentLine().tree);
  const std::string utf8 = EncodeUtf8(mathml);
  const std::vector<uint8_t> bytes(utf8.begin(), utf8.end());
  const std::vector<NamedClipboardData> formats = {{u"MathML", bytes}, {u"MathML Presentation", bytes}};
  ReportCopy(host_.PublishNamedFormats(formats, mathml), u"Copied as MathML");
}

}  // namespace kav
