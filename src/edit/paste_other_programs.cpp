// Paste from other programs: formulas copied from Word, LibreOffice, web pages and LaTeX sources
// come in through the readers of MathML and LaTeX, which turn them into markup before anything
// in the document is touched.
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "edit/editor.h"
#include "edit/paste_markup.h"
#include "import/latex_reader.h"
#include "import/mathml_reader.h"

namespace kav {
namespace {

// Office's names for MathML on the clipboard, the fuller one first.
constexpr std::u16string_view kMathmlFormats[] = {u"MathML Presentation", u"MathML"};

std::vector<std::u16string> MathmlOfFormat(const std::vector<uint8_t>& bytes) {
  const std::optional<std::u16string> text =
      DecodeUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!text) Fail(u"MathML: the clipboard's MathML is not UTF-8");
  return ReadMathmlFormulas(*text);
}

}  // namespace

void Editor::PasteFromOtherPrograms() {
  std::optional<std::vector<uint8_t>> mathml;
  for (std::u16string_view format : kMathmlFormats) {
    if (!mathml) mathml = host_.ReadNamedClipboardFormat(format);
  }
  std::optional<std::u16string> text;
  if (!mathml) {
    text = host_.ReadUnicodeClipboardText();
    if (!text) {
      host_.SetStatusText(u"The clipboard holds no text.");
      return;
    }
  }
  if (!PasteLengthAllowed(host_, mathml ? mathml->size() : text->size())) return;
  std::vector<EquationLine> formulas;
  try {
    std::vector<std::u16string> markups = mathml                        ? MathmlOfFormat(*mathml)
                                                : LooksLikeMathml(*text) ? ReadMathmlFormulas(*text)
                                                                               : ReadLatexFormulas(*text);
    for (std::u16string& markup : markups) formulas.push_back(ReadPastedMarkup(std::move(markup)));
  } catch (const Failure& failure) {
    host_.SetStatusText(failure.text);
    return;
  }
  if (InsertPastedLines(std::move(formulas))) host_.SetStatusText(u"Pasted");
}

}  // namespace kav
