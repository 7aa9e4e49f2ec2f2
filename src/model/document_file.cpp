#include "model/document_file.h"

#include <algorithm>
#include <utility>

#include "base/failure.h"
#include "base/utf.h"

namespace kav {
namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;
// How much of a refused line its message quotes.
constexpr size_t kQuotedUnits = 40;

std::u16string FileLineName(int32_t number) {
  return u"line " + Ascii16(std::to_string(number)) + u" of the file";
}

// "@@", any further "@", then the version digits: the header the format writes, and the forms of
// it that older files carry.
bool IsHeader(std::u16string_view line) {
  if (!line.starts_with(u"@@")) return false;
  const size_t digits = line.find_first_not_of(u'@');
  if (digits == std::u16string_view::npos) return true;
  return line.substr(digits).find_first_not_of(u"0123456789") == std::u16string_view::npos;
}

bool IsBlank(std::u16string_view line) {
  return line.find_first_not_of(u" \t") == std::u16string_view::npos;
}

std::u16string Quoted(std::u16string_view line) {
  if (line.size() <= kQuotedUnits) return u"\"" + std::u16string(line) + u"\"";
  return u"\"" + std::u16string(line.substr(0, kQuotedUnits)) + u"...\"";
}

// A file is a document only when every line is the header, a formula line or blank: anything
// else would be dropped on the next save, so the file is refused instead, naming the line.
void CheckFileLine(std::u16string_view line, int32_t number) {
  if (line.find(u'\0') != std::u16string_view::npos) {
    Fail(u"Not a Kav document: " + FileLineName(number) + u" holds a NUL byte");
  }
  if (line.size() > kMaxFileLineUnits) {
    Fail(u"Not opened: " + FileLineName(number) + u" is longer than " +
         Ascii16(std::to_string(kMaxFileLineUnits)) + u" characters, the most a line may hold");
  }
  if (!line.starts_with(u'@') && !IsBlank(line)) {
    Fail(u"Not a Kav document: " + FileLineName(number) + u" is not a formula line: " +
         Quoted(line));
  }
}

}  // namespace

std::u16string LineTooLongText(size_t units) {
  return u"The formula would be " + Ascii16(std::to_string(units)) +
         u" characters long as a line of a document, more than the " +
         Ascii16(std::to_string(kMaxFileLineUnits)) + u" a line may hold";
}

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
  Utf8Error error;
  auto text = DecodeUtf8(bytes, &error);
  if (!text) Fail(u"Invalid UTF-8 at byte " + Ascii16(std::to_string(error.offset)));
  return std::move(*text);
}

std::vector<std::u16string> SplitDocumentText(std::u16string_view text) {
  std::vector<std::u16string> lines;
  // Windows editors (Notepad among them) save with a byte order mark and CR LF line ends.
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(1);
  int32_t number = 0;
  while (!text.empty()) {
    ++number;
    size_t end = text.find(u'\n');
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    CheckFileLine(line, number);
    const bool header = number == 1 && IsHeader(line);
    if (line.starts_with(u'@') && !header) lines.emplace_back(line.substr(1));
  }
  return lines;
}

std::vector<EquationLine> ReadDocumentText(std::u16string_view text, const LineLayouter* layouter) {
  std::vector<std::u16string> markups = SplitDocumentText(text);
  std::vector<EquationLine> lines;
  lines.reserve(markups.empty() ? 1 : markups.size());
  for (size_t i = 0; i < markups.size(); ++i) {
    try {
      // Moved, not copied: a document's text is held once as lines while they are read.
      lines.emplace_back(std::move(markups[i]), layouter);
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
