// libFuzzer target for the MathML reader and its XML reader: any bytes either read or fail with
// a "MathML: " text; every formula read is markup that reads back, and writing it as MathML and
// reading that again gives the same markup.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/mathml_writer.h"
#include "import/mathml_reader.h"
#include "model/line.h"
#include "fuzz_target.h"

namespace kav {

const char kFuzzTarget[] = "mathml";

namespace {

void CheckFormula(const std::u16string& markup) {
  try {
    EquationLine line(markup);
    const std::vector<std::u16string> again = ReadMathmlFormulas(LineMathml(line.tree));
    Check(again.size() == 1 && again[0] == markup, "written MathML reads back differently");
  } catch (const Failure&) {
    Check(false, "a formula read does not read back");
  }
}

}  // namespace
}  // namespace kav

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kav;
  // Bytes that are not UTF-8 are refused before the reader sees them, as the converter does.
  const std::optional<std::u16string> text =
      DecodeUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!text) return 0;
  std::vector<std::u16string> formulas;
  try {
    formulas = ReadMathmlFormulas(*text);
  } catch (const Failure& failure) {
    Check(failure.text.starts_with(u"MathML: "), "failure text without its MathML prefix");
    return 0;
  }
  for (const std::u16string& markup : formulas) CheckFormula(markup);
  return 0;
}
