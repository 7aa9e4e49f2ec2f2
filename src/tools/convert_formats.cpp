#include "tools/convert_formats.h"

#include <string>

#include "export/convert_text.h"

namespace kav {
namespace {

template <TextFormat format>
std::vector<uint8_t> ConvertToText(const ConvertRequest& request) {
  return ConvertDocumentBytes(request.document, format, request.line);
}

constexpr OutputFormat kFormats[] = {
    {"png", ConvertToPng},
    {"bmp", ConvertToBmp},
    {"svg", ConvertToSvg},
    {"emf", ConvertToEmf},
    {"hwp", ConvertToHwp},
    {"gvml", ConvertToGvml},
    {"markup", ConvertToText<TextFormat::Markup>},
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
