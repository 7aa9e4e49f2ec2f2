// kav-convert --to svg and --to emf, and --to png with --scale or --transparent: the line's picture
// as outlines, painted by the same painter as the screen and framed like the clipboard picture.
#include <optional>
#include <string>

#include "base/failure.h"
#include "export/convert_text.h"
#include "export/emf_writer.h"
#include "export/svg_writer.h"
#include "hwp/png_chunks.h"
#include "native/native_typesetting.h"
#include "native/shape_raster.h"
#include "tools/convert_formats.h"

namespace kav {
namespace {

template <typename Write>
std::vector<uint8_t> WithVectorPicture(const ConvertRequest& request, Write write) {
  const RequestedLine wanted = FindRequestedLine(request);
  std::optional<NativeTypesetting> own;
  const NativeTypesetting& typesetting = TypesettingFor(request, own);
  try {
    const EquationLine line(wanted.markup, &typesetting.Layouter());
    return write(typesetting.Vector(line));
  } catch (const Failure& failure) {
    throw ConvertFailure{wanted.number, failure.text};
  }
}

}  // namespace

std::vector<uint8_t> ConvertToSvg(const ConvertRequest& request) {
  return WithVectorPicture(request, [](const VectorPicture& picture) {
    const std::string svg = WriteSvg(picture);
    return std::vector<uint8_t>(svg.begin(), svg.end());
  });
}

std::vector<uint8_t> ConvertToEmf(const ConvertRequest& request) {
  return WithVectorPicture(request, [](const VectorPicture& picture) { return WriteEmf(picture); });
}

// The oFFs position counts device pixels, so it scales with the picture.
std::vector<uint8_t> ConvertToScaledPng(const ConvertRequest& request) {
  const int32_t scale = request.scale > 0 ? request.scale : 1;
  return WithVectorPicture(request, [&](const VectorPicture& picture) {
    const ShapeRaster raster;
    const RgbaImage image = raster.Draw(picture, scale, request.transparent, kWindowColour);
    return WithPngResolution(WithPngOffset(EncodePng(image, request.transparent),
                                           picture.frame.left * scale, picture.frame.top * scale),
                             scale);
  });
}

}  // namespace kav
