// Paste LaTeX: formulas copied from other programs and pages come in through the reader of
// LaTeX, which turns them into markup before anything in the document is touched.
#include <vector>

#include "base/failure.h"
#include "edit/editor.h"
#include "edit/paste_markup.h"
#include "import/latex_reader.h"

namespace kav {

void Editor::PasteLatex() {
  const std::optional<std::u16string> text = host_.ReadUnicodeClipboardText();
  if (!text) {
    host_.SetStatusText(u"The clipboard holds no text.");
    return;
  }
  std::vector<EquationLine> formulas;
  try {
    for (const std::u16string& markup : ReadLatexFormulas(*text)) {
      formulas.push_back(ReadPastedMarkup(markup));
    }
  } catch (const Failure& failure) {
    host_.SetStatusText(failure.text);
    return;
  }
  if (!InsertPasted(formulas.front())) return;
  // Each further formula is a line of its own, inserted (and undone) like a new line.
  for (size_t i = 1; i < formulas.size(); ++i) InsertLine(formulas[i].markup, true);
}

}  // namespace kav
