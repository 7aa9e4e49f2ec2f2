// kav-convert --from latex: a text of LaTeX formulas, one a line, becomes a .kav document that
// every output format then reads. Blank lines and lines that are only a "%" comment are skipped.
#include <algorithm>
#include <string>

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

std::u16string DecodedLine(std::string_view bytes, size_t start, size_t end, int32_t number) {
  Utf8Error error;
  std::optional<std::u16string> line = DecodeUtf8(bytes.substr(start, end - start), &error);
  if (!line) {
    throw ConvertFailure{number, u"Invalid UTF-8 at byte " +
                                     Ascii16(std::to_string(start + error.offset))};
  }
  return std::move(*line);
}

}  // namespace

// Read a line at a time, each formula written out at once: memory follows the longest line and
// the document, not the number of formulas.
std::vector<uint8_t> LatexDocument(std::string_view bytes) {
  std::vector<uint8_t> document;
  auto append = [&document](std::string_view text) {
    document.insert(document.end(), text.begin(), text.end());
  };
  append("@@" + std::to_string(kFileVersion) + "\n");
  bool any = false;
  int32_t number = 0;
  for (size_t start = 0; start <= bytes.size();) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::u16string line = DecodedLine(bytes, start, end, ++number);
    start = end + 1;
    if (IsSkipped(line)) continue;
    if (line.size() > kMaxFormulaText) {
      throw ConvertFailure{number, TooLongText(u"The line", line.size())};
    }
    try {
      for (const std::u16string& markup : ReadLatexFormulas(line)) {
        if (!FitsALine(markup.size())) Fail(LineTooLongText(markup.size()));
        append("@");
        append(EncodeUtf8(markup));
        append("\n");
        any = true;
      }
    } catch (const Failure& failure) {
      throw ConvertFailure{number, failure.text};
    }
  }
  if (!any) throw ConvertFailure{0, u"The input holds no formula"};
  return document;
}

}  // namespace kav
