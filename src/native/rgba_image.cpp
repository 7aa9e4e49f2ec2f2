#include "native/rgba_image.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <string>

#include "base/failure.h"
#include "base/utf.h"

namespace kav {

RgbaImage::RgbaImage(int32_t w, int32_t h, Rgb fill, uint8_t alpha) : width(w), height(h) {
  pixels.resize(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = fill.r;
    pixels[i + 1] = fill.g;
    pixels[i + 2] = fill.b;
    pixels[i + 3] = alpha;
  }
}

PixelRect InkBounds(const RgbaImage& image, Rgb background) {
  PixelRect ink{image.width, image.height, 0, 0};
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      if (p[0] == background.r && p[1] == background.g && p[2] == background.b) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
             std::max(ink.bottom, y + 1)};
    }
  }
  return ink.Empty() ? PixelRect{} : ink;
}

RgbaImage Crop(const RgbaImage& image, const PixelRect& area) {
  RgbaImage part;
  part.width = area.Width();
  part.height = area.Height();
  part.pixels.reserve(static_cast<size_t>(part.width) * part.height * 4);
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const uint8_t* row = image.At(area.left, y);
    part.pixels.insert(part.pixels.end(), row, row + static_cast<size_t>(part.width) * 4);
  }
  return part;
}

std::vector<uint8_t> EncodePng(const RgbaImage& image, bool withAlpha) {
  if (image.width <= 0 || image.height <= 0) Fail(u"PNG: the picture is empty");
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgb;
  const void* source = image.pixels.data();
  if (!withAlpha) {
    png.format = PNG_FORMAT_RGB;
    rgb.reserve(image.pixels.size() / 4 * 3);
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
      rgb.insert(rgb.end(), image.pixels.begin() + i, image.pixels.begin() + i + 3);
    }
    source = rgb.data();
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, source, 0, nullptr)) {
    Fail(u"PNG: " + Ascii16(png.message));
  }
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, source, 0, nullptr)) {
    Fail(u"PNG: " + Ascii16(png.message));
  }
  bytes.resize(size);
  return bytes;
}

std::vector<uint8_t> WithPngOffset(std::vector<uint8_t> png, int32_t x, int32_t y) {
  // Signature (8), then the header chunk: length (4), type (4), 13 bytes, CRC (4).
  constexpr size_t kAfterHeader = 8 + 4 + 4 + 13 + 4;
  if (png.size() < kAfterHeader) Fail(u"PNG: no header chunk");
  std::vector<uint8_t> chunk = {0, 0, 0, 9, 'o', 'F', 'F', 's'};
  for (const int32_t value : {x, y}) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
      chunk.push_back(static_cast<uint8_t>(bits >> shift));
  }
  chunk.push_back(0);  // unit: pixels
  const uLong crc = crc32(crc32(0, nullptr, 0), chunk.data() + 4, 4 + 9);
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<uint8_t>(crc >> shift));
  png.insert(png.begin() + kAfterHeader, chunk.begin(), chunk.end());
  return png;
}

RgbaImage DecodePng(std::span<const uint8_t> bytes) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    Fail(u"PNG: " + Ascii16(png.message));
  }
  if (static_cast<uint64_t>(png.width) * png.height > (uint64_t{1} << 26)) {
    png_image_free(&png);
    Fail(u"PNG: picture too large");
  }
  png.format = PNG_FORMAT_RGBA;
  RgbaImage image;
  image.width = static_cast<int32_t>(png.width);
  image.height = static_cast<int32_t>(png.height);
  image.pixels.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    Fail(u"PNG: " + Ascii16(png.message));
  }
  return image;
}

}  // namespace kav
