// libFuzzer target for the LaTeX reader: any text either reads or fails with one of the
// reader's "LaTeX: " texts; whatever reads is markup that reads back as a line and writes the
// same markup again, and the LaTeX writer's text of that line reads again.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/failure.h"
#include "export/latex_writer.h"
#include "import/latex_reader.h"
#include "model/line.h"
#include "fuzz_target.h"

namespace kav {

const char kFuzzTarget[] = "latex";

namespace {

void CheckMarkup(const std::u16string& markup) {
  for (char16_t unit : markup) Check(unit > 32 && unit < 127, "markup is not ASCII");
  try {
    EquationLine line(markup);
    ExportTextBuffer buffer;
    line.Serialize(buffer);
    Check(line.markup == markup, "markup is not what the writer writes");
    const std::u16string latex = TreeLatex(line.tree, buffer);
    if (!latex.empty())
      Check(ReadLatexFormulas(latex).size() == 1, "LaTeX of a line is not one formula");
  } catch (const Failure&) {
    Check(false, "markup, or the LaTeX written of it, does not read back");
  }
}

}  // namespace
}  // namespace kav

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kav;
  const std::u16string text = UnitsOf(data, size);
  std::vector<std::u16string> formulas;
  try {
    formulas = ReadLatexFormulas(text);
  } catch (const Failure& failure) {
    Check(failure.text.starts_with(u"LaTeX: "), "failure text without its prefix");
    return 0;
  }
  Check(!formulas.empty(), "no formula and no failure");
  for (const std::u16string& markup : formulas) CheckMarkup(markup);
  return 0;
}
