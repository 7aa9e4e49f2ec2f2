#include "native/rgba_image.h"

#include <png.h>

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
