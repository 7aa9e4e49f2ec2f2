#include "native/bmp_image.h"

#include "base/byte_writer.h"
#include "base/failure.h"

namespace kav {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
// 96 dots per inch, as a screen bitmap has.
constexpr uint32_t kPixelsPerMetre = 3780;

uint32_t RowBytes(int32_t width, uint32_t bitsPerPixel) {
  return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const RgbaImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) {
    Fail(u"BMP: the picture has no pixels or the wrong number of them");
  }
  const uint64_t row = RowBytes(image.width, 24);
  const uint64_t dataSize = row * static_cast<uint64_t>(image.height);
  if (dataSize + kFileHeaderSize + kInfoHeaderSize > UINT32_MAX) Fail(u"BMP: picture too large");
  ByteWriter out;
  out.Ascii("BM");
  out.U32(static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + dataSize));
  out.U32(0);
  out.U32(kFileHeaderSize + kInfoHeaderSize);
  out.U32(kInfoHeaderSize);
  out.U32(static_cast<uint32_t>(image.width));
  out.U32(static_cast<uint32_t>(image.height));  // positive: the bottom row comes first
  out.U16(1);
  out.U16(24);
  out.U32(kBiRgb);
  out.U32(static_cast<uint32_t>(dataSize));
  out.U32(kPixelsPerMetre);
  out.U32(kPixelsPerMetre);
  out.U32(0);
  out.U32(0);
  for (int32_t y = image.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      out.U8(p[2]);
      out.U8(p[1]);
      out.U8(p[0]);
    }
    out.Zeros(row - 3 * static_cast<uint64_t>(image.width));
  }
  return out.Take();
}

}  // namespace kav
