// kav-convert's input formats: a .kav document as it is, or other programs' formulas read into
// markup lines first.
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "import/mathml_reader.h"
#include "import/xml_reader.h"
#include "model/document_file.h"
#include "tools/convert_formats.h"

namespace kav {
namespace {

std::vector<uint8_t> ReadKav(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }

std::u16string DecodedText(std::string_view bytes) {
  Utf8Error error;
  const std::optional<std::u16string> text = DecodeUtf8(bytes, &error);
  if (!text) Fail(u"Invalid UTF-8 at byte " + Ascii16(std::to_string(error.offset)));
  return *text;
}

std::vector<uint8_t> ReadLatex(std::string_view bytes) { return LatexDocument(bytes); }

// A failure at a line of the input, which the converter names before the message: the
// message's own "(line N)" would say it twice.
ConvertFailure AtLine(const MathmlFailure& failure) {
  const std::u16string suffix = u" (line " + Ascii16(std::to_string(failure.line)) + u")";
  std::u16string text = failure.text;
  if (text.ends_with(suffix)) text.resize(text.size() - suffix.size());
  return ConvertFailure{failure.line, std::move(text)};
}

// One document line per <math> element.
std::vector<uint8_t> ReadMathml(std::string_view bytes) {
  std::vector<int32_t> lines;
  std::vector<std::u16string> markups;
  try {
    markups = ReadMathmlFormulas(DecodedText(bytes), &lines);
  } catch (const MathmlFailure& failure) {
    throw AtLine(failure);
  }
  for (size_t k = 0; k < markups.size(); ++k) {
    if (!FitsALine(markups[k].size()))
      throw ConvertFailure{lines[k], LineTooLongText(markups[k].size())};
  }
  return DocumentBytes(markups);
}

constexpr InputFormat kInputs[] = {
    {"kav", ReadKav},
    {"latex", ReadLatex},
    {"mathml", ReadMathml},
};

}  // namespace

std::span<const InputFormat> InputFormats() { return kInputs; }

const InputFormat* FindInputFormat(std::string_view name) {
  for (const InputFormat& format : kInputs) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

}  // namespace kav
