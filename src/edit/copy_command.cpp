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
// With several lines selected the private text holds them all, one per text line, so a paste
// brings every one back; the picture and the Office and HWP formats each hold one formula
// object, and stay that of the line the caret is in.
bool Editor::Copy() {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  ClipboardPayloads payloads =
      BuildClipboardPayloads(line, exportBuffer_, payloadBuilders_, LocalDosDateTime());
  if (const auto lines = SelectedLines()) {
    payloads.markup.clear();
    for (int32_t i = lines->first; i <= lines->second; ++i) {
      if (i > lines->first) payloads.markup += u'\n';
      payloads.markup += document_.lines[i].markup;
    }
  }
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
