#include "tools/convert_formats.h"

#include <string>

#include "base/failure.h"
#include "export/convert_text.h"
#include "model/document_file.h"

namespace kav {
namespace {

// One line of a document decoded already, as the whole-document path writes it.
std::vector<uint8_t> DecodedLineText(const ConvertRequest& request, TextFormat format) {
  const RequestedLine wanted = FindRequestedLine(request);
  ExportTextBuffer buffer;
  try {
    std::string text = LineText(wanted.markup, format, buffer);
    text.push_back('\n');
    return std::vector<uint8_t>(text.begin(), text.end());
  } catch (const Failure& failure) {
    throw ConvertFailure{wanted.number, failure.text};
  }
}

template <TextFormat format>
std::vector<uint8_t> ConvertToText(const ConvertRequest& request) {
  if (request.markups) return DecodedLineText(request, format);
  return ConvertDocumentBytes(request.document, format, request.line);
}

// The lines as the .kav document the converter and the editor read back, whatever the input was
// (a document, LaTeX or MathML); one line asked for with --line is its markup alone.
std::vector<uint8_t> ConvertToMarkup(const ConvertRequest& request) {
  const std::vector<uint8_t> lines = ConvertToText<TextFormat::Markup>(request);
  if (request.line > 0) return lines;
  const std::string header = "@@" + std::to_string(kFileVersion) + "\n";
  std::vector<uint8_t> document(header.begin(), header.end());
  document.reserve(lines.size() + header.size() + lines.size() / 8);
  bool lineStart = true;
  for (uint8_t byte : lines) {
    if (lineStart) document.push_back('@');
    document.push_back(byte);
    lineStart = byte == '\n';
  }
  return document;
}

constexpr OutputFormat kFormats[] = {
    {"png", ConvertToPng, true},
    {"bmp", ConvertToBmp, true},
    {"svg", ConvertToSvg, true},
    {"emf", ConvertToEmf, true},
    {"hwp", ConvertToHwp},
    {"gvml", ConvertToGvml, true},
    {"markup", ConvertToMarkup},
    {"tex", ConvertToText<TextFormat::Tex>},
    {"hwpeq", ConvertToText<TextFormat::HwpScript>},
    {"omml", ConvertToText<TextFormat::Omml>},
    {"latex", ConvertToText<TextFormat::Latex>},
    {"mathml", ConvertToText<TextFormat::Mathml>},
};

}  // namespace

std::span<const OutputFormat> OutputFormats() { return kFormats; }

const OutputFormat* FindOutputFormat(std::string_view name) {
  for (const OutputFormat& format : kFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

}  // namespace kav
