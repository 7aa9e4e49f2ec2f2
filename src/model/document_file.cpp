#include "model/document_file.h"

#include "base/failure.h"
#include "base/utf.h"

namespace kav {
namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

}  // namespace

std::vector<uint8_t> DocumentBytes(const std::vector<std::u16string>& markups) {
  std::string out = "@@" + std::to_string(kFileVersion) + "\n";
  for (const std::u16string& markup : markups) {
    out += '@';
    out += EncodeUtf8(markup);
    out += '\n';
  }
  return std::vector<uint8_t>(out.begin(), out.end());
}

std::u16string DecodeDocumentBytes(std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  Utf8Error error;
  auto text = DecodeUtf8(bytes, &error);
  if (!text) Fail(u"Invalid UTF-8 at byte " + Ascii16(std::to_string(error.offset)));
  return std::move(*text);
}

std::vector<std::u16string> SplitDocumentText(std::u16string_view text) {
  std::vector<std::u16string> lines;
  // Windows editors (Notepad among them) save with a byte order mark and CR LF line ends.
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(1);
  size_t i = 0;
  if (text.starts_with(u"@@")) {
    while (i < text.size() && text[i] == u'@') ++i;
  }
  while (i < text.size()) {
    if (text[i] != u'@') {
      ++i;
      continue;
    }
    size_t end = text.find(u'\n', i + 1);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view markup = text.substr(i + 1, end - (i + 1));
    if (markup.ends_with(u'\r')) markup.remove_suffix(1);
    lines.emplace_back(markup);
    i = end + 1;
  }
  return lines;
}

std::vector<EquationLine> ReadDocumentText(std::u16string_view text, const LineLayouter* layouter) {
  const std::vector<std::u16string> markups = SplitDocumentText(text);
  std::vector<EquationLine> lines;
  lines.reserve(markups.empty() ? 1 : markups.size());
  for (size_t i = 0; i < markups.size(); ++i) {
    try {
      lines.emplace_back(markups[i], layouter);
    } catch (const Failure& failure) {
      Fail(failure.text + u" (line " + Ascii16(std::to_string(i + 1)) + u")");
    }
  }
  if (lines.empty()) lines.emplace_back(std::u16string(), layouter);
  return lines;
}

std::vector<EquationLine> ReadDocumentLines(std::string_view bytes, const LineLayouter* layouter) {
  return ReadDocumentText(DecodeDocumentBytes(bytes), layouter);
}

}  // namespace kav
