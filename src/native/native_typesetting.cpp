#include "native/native_typesetting.h"

#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "export/clipboard_payloads.h"
#include "native/raster_canvas.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

// Far beyond any formula; keeps a runaway line from asking for gigabytes.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

}  // namespace

NativeTypesetting::NativeTypesetting() : NativeTypesetting(InstalledFontFiles()) {}

NativeTypesetting::NativeTypesetting(const FontFiles& files)
    : fonts_(files), cached_(fonts_), layouter_(cached_), integrals_(IntegralImages(files)) {}

RgbaImage NativeTypesetting::Picture(const EquationLine& line) const {
  const int32_t width = RootWidth(line);
  const int32_t height = RootHeight(line);
  if (width <= 0 || height <= 0) {
    Fail(u"Nothing to draw: the line is " + Ascii16(std::to_string(width)) + u" x " +
         Ascii16(std::to_string(height)) + u" pixels");
  }
  if (int64_t{width} * height > kMaxPicturePixels) Fail(u"The line is too large for a picture");
  RasterCanvas canvas(width, height, kWindowColour, fonts_, integrals_);
  LinePicture(line).draw(canvas);
  return canvas.Image();
}

}  // namespace kav
