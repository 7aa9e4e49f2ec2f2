// kav-convert --from latex: a text of LaTeX formulas, one a line, becomes a .kav document that
// every output format then reads. Blank lines and lines that are only a "%" comment are skipped.
#include <algorithm>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "import/input_bounds.h"
#include "import/latex_reader.h"
#include "model/document_file.h"
#include "tools/convert_formats.h"

namespace kav {
namespace {

bool IsSkipped(std::u16string_view line) {
  const size_t first = line.find_first_not_of(u" \t\r\f");
  return first == std::u16string_view::npos || line[first] == u'%';
}

}  // namespace

std::string LatexDocument(std::string_view bytes) {
  Utf8Error error;
  const std::optional<std::u16string> text = DecodeUtf8(bytes, &error);
  if (!text) {
    const auto line = std::count(bytes.begin(), bytes.begin() + error.offset, '\n') + 1;
    throw ConvertFailure{static_cast<int32_t>(line),
                         u"Invalid UTF-8 at byte " + Ascii16(std::to_string(error.offset))};
  }
  std::vector<std::u16string> markups;
  const std::u16string_view all = *text;
  int32_t number = 0;
  for (size_t start = 0; start <= all.size();) {
    const size_t end = std::min(all.find(u'\n', start), all.size());
    const std::u16string_view line = all.substr(start, end - start);
    start = end + 1;
    ++number;
    if (IsSkipped(line)) continue;
    if (line.size() > kMaxFormulaText) throw ConvertFailure{number, TooLongText(u"The line", line.size())};
    try {
      for (std::u16string& markup : ReadLatexFormulas(line)) markups.push_back(std::move(markup));
    } catch (const Failure& failure) {
      throw ConvertFailure{number, failure.text};
    }
  }
  if (markups.empty()) throw ConvertFailure{0, u"The input holds no formula"};
  const std::vector<uint8_t> document = DocumentBytes(markups);
  return std::string(document.begin(), document.end());
}

}  // namespace kav
