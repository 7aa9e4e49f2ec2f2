// libFuzzer target for the .kav byte format: arbitrary bytes either give lines or fail with a
// clear text; valid UTF-8 decodes and encodes back to the same bytes; lines read from a file,
// written again and read again stay the same, and so do they when a Windows editor saves the
// file again (a byte order mark in front, CR LF line ends).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "model/document_file.h"
#include "fuzz_target.h"

namespace kav {

const char kFuzzTarget[] = "document";

namespace {

void CheckUtf8(std::string_view bytes) {
  Utf8Error error;
  const auto text = DecodeUtf8(bytes, &error);
  if (text) {
    Check(EncodeUtf8(*text) == bytes, "valid UTF-8 does not encode back to its bytes");
  } else {
    Check(error.offset < bytes.size(), "error offset outside the input");
    Check(DecodeUtf8(bytes.substr(0, error.offset)).has_value(), "bytes before the error refused");
  }
}

bool IsLoadText(std::u16string_view text) {
  if (text.starts_with(u"Invalid UTF-8 at byte ") || text.starts_with(u"Not a Kav document: ") ||
      text.starts_with(u"Not opened: ")) {
    return true;
  }
  const size_t at = text.rfind(u" (line ");
  return at != std::u16string_view::npos && text.ends_with(u")");
}

std::vector<std::u16string> Markups(const std::vector<EquationLine>& lines) {
  std::vector<std::u16string> markups;
  for (const EquationLine& line : lines) markups.push_back(line.markup);
  return markups;
}

// The file as a Windows editor writes it: a byte order mark in front (unless there is one) and
// a carriage return before every line feed (unless there is one).
std::string WindowsForm(std::string_view bytes) {
  constexpr std::string_view kMark = "\xef\xbb\xbf";
  std::string out = bytes.starts_with(kMark) ? "" : std::string(kMark);
  for (char byte : bytes) {
    if (byte == '\n' && !out.ends_with('\r')) out += '\r';
    out += byte;
  }
  return out;
}

void CheckDocument(std::string_view bytes) {
  std::vector<EquationLine> lines;
  try {
    lines = ReadDocumentLines(bytes, nullptr);
  } catch (const Failure& failure) {
    Check(IsLoadText(failure.text), "unexpected failure text");
    return;
  }
  Check(!lines.empty(), "no line");
  const std::vector<std::u16string> split = SplitDocumentText(DecodeDocumentBytes(bytes));
  Check(split.empty() ? Markups(lines) == std::vector<std::u16string>{u""} : Markups(lines) == split,
        "lines differ from the split text");
  const std::vector<std::u16string> read = Markups(lines);
  ExportTextBuffer buffer;
  for (EquationLine& line : lines) line.Serialize(buffer);
  const std::vector<uint8_t> written = DocumentBytes(Markups(lines));
  const std::string_view writtenBytes(reinterpret_cast<const char*>(written.data()), written.size());
  try {
    Check(Markups(ReadDocumentLines(writtenBytes, nullptr)) == Markups(lines), "lines changed");
  } catch (const Failure&) {
    Check(false, "a written document does not read back");
  }
  Check(writtenBytes.find_first_of("\r\xef") == std::string_view::npos,
        "a written document holds a carriage return or a byte order mark");
  try {
    Check(Markups(ReadDocumentLines(WindowsForm(bytes), nullptr)) == read,
          "lines changed by CR LF line ends and a byte order mark");
  } catch (const Failure&) {
    Check(false, "a document with CR LF line ends and a byte order mark does not read");
  }
}

}  // namespace
}  // namespace kav

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kav::CheckUtf8(bytes);
  kav::CheckDocument(bytes);
  return 0;
}
