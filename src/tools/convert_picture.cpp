// kav-convert --to png and --to bmp: the picture Copy puts on the clipboard for one line (the
// first unless --line says otherwise), drawn natively on the default window colour with all its
// ink and the picture margin.
#include <optional>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "hwp/png_chunks.h"
#include "export/convert_text.h"
#include "native/bmp_image.h"
#include "native/native_typesetting.h"
#include "tools/convert_formats.h"

namespace kav {
namespace {

NativeTypesetting::Framed LineImage(const ConvertRequest& request) {
  const RequestedLine wanted = FindRequestedLine(request);
  std::optional<NativeTypesetting> own;
  const NativeTypesetting& typesetting = TypesettingFor(request, own);
  try {
    const EquationLine line(wanted.markup, &typesetting.Layouter());
    return typesetting.FramedPicture(line);
  } catch (const Failure& failure) {
    throw ConvertFailure{wanted.number, failure.text};
  }
}

}  // namespace

RequestedLine FindRequestedLine(const ConvertRequest& request) {
  std::vector<std::u16string> decoded;
  if (!request.markups) decoded = DocumentMarkups(request.document);
  const std::vector<std::u16string>& markups = request.markups ? *request.markups : decoded;
  const int32_t number = request.line > 0 ? request.line : 1;
  const auto count = static_cast<int32_t>(markups.size());
  if (number > count) {
    throw ConvertFailure{number, u"No such line; the document has " +
                                     Ascii16(std::to_string(count)) + u" line(s)"};
  }
  return {number, markups[number - 1]};
}

const NativeTypesetting& TypesettingFor(const ConvertRequest& request,
                                        std::optional<NativeTypesetting>& own) {
  if (request.typesetting) return *request.typesetting;
  return own.emplace();
}

// The PNG states where the picture lies around the formula's box: its oFFs position is the
// picture's top-left corner relative to the box's, so a reader can place the box exactly.
// With --scale or --transparent the picture is drawn from outlines instead.
std::vector<uint8_t> ConvertToPng(const ConvertRequest& request) {
  if (request.scale > 0 || request.transparent) return ConvertToScaledPng(request);
  const NativeTypesetting::Framed picture = LineImage(request);
  return WithPngResolution(
      WithPngOffset(EncodePng(picture.image, false), picture.frame.left, picture.frame.top), 1);
}

// The clipboard's CF_BITMAP reaches other programs as a bitmap file of this size.
std::vector<uint8_t> ConvertToBmp(const ConvertRequest& request) {
  return EncodeBmp(LineImage(request).image);
}

}  // namespace kav
