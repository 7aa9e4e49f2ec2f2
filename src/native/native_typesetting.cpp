#include "native/native_typesetting.h"

#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "export/clipboard_payloads.h"
#include "native/raster_canvas.h"
#include "typeset/shifted_canvas.h"

namespace kav {
namespace {

// Far beyond any formula; keeps a runaway line from asking for gigabytes.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

// Bitmaps and outlines alike: a vector picture of such a line would be hundreds of megabytes of
// outlines that no program could show.
void CheckPictureSize(int64_t width, int64_t height) {
  if (width * height > kMaxPicturePixels) Fail(u"The line is too large for a picture");
}

}  // namespace

NativeTypesetting::NativeTypesetting() : NativeTypesetting(InstalledFontFiles()) {}

NativeTypesetting::NativeTypesetting(const FontFiles& files)
    : fonts_(files), cached_(fonts_), layouter_(cached_), outlines_(files) {}

NativeTypesetting::Framed NativeTypesetting::FramedPicture(const EquationLine& line) const {
  const ClipboardPicture picture = LinePicture(line);
  if (picture.width <= 0 || picture.height <= 0) {
    Fail(u"Nothing to draw: the line is " + Ascii16(std::to_string(picture.width)) + u" x " +
         Ascii16(std::to_string(picture.height)) + u" pixels");
  }
  RgbaImage padded;
  int32_t drawnRoom = 0;
  const PixelRect frame = FindPictureFrame(picture.width, picture.height, [&](int32_t room) {
    const int32_t width = picture.width + 2 * room, height = picture.height + 2 * room;
    CheckPictureSize(width, height);
    RasterCanvas canvas(width, height, kWindowColour, fonts_);
    ShiftedCanvas shifted(canvas, room, room);
    picture.draw(shifted);
    padded = canvas.TakeImage();
    drawnRoom = room;
    return InkBounds(padded, kWindowColour);
  });
  return {Crop(padded, frame), frame.Moved(-drawnRoom, -drawnRoom)};
}

VectorPicture NativeTypesetting::Vector(const EquationLine& line) const {
  const ClipboardPicture picture = LinePicture(line);
  CheckPictureSize(picture.width, picture.height);
  return DrawVectorPicture(picture, outlines_, cached_);
}

}  // namespace kav
