#include "native/rgba_image.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "hwp/png_chunks.h"

namespace kav {

RgbaImage::RgbaImage(int32_t w, int32_t h, Rgb fill, uint8_t alpha) : width(w), height(h) {
  pixels.resize(static_cast<size_t>(w) * h * 4);
  if (pixels.empty()) return;
  const uint8_t first[4] = {fill.r, fill.g, fill.b, alpha};
  std::memcpy(pixels.data(), first, 4);
  // Doubling copies: a large canvas is filled in a few dozen block moves.
  for (size_t done = 4; done < pixels.size(); done *= 2) {
    std::memcpy(pixels.data() + done, pixels.data(), std::min(done, pixels.size() - done));
  }
}

// Most of a padded picture is background, so the scan compares whole rows only above and below
// the ink, and between them only the columns outside the bounds found so far.
PixelRect InkBounds(const RgbaImage& image, Rgb background) {
  const RgbaImage blankRow(image.width, 1, background, 255);
  const size_t rowBytes = blankRow.pixels.size();
  const auto rowInked = [&](int32_t y) {
    return std::memcmp(image.At(0, y), blankRow.pixels.data(), rowBytes) != 0;
  };
  const auto inked = [&](int32_t x, int32_t y) {
    return std::memcmp(image.At(x, y), blankRow.pixels.data(), 4) != 0;
  };
  int32_t top = 0;
  while (top < image.height && !rowInked(top)) ++top;
  if (top == image.height) return {};
  int32_t bottom = image.height;
  while (!rowInked(bottom - 1)) --bottom;
  int32_t left = image.width, right = 0;
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = 0; x < left; ++x) {
      if (inked(x, y)) left = x;
    }
    for (int32_t x = image.width - 1; x >= right; --x) {
      if (inked(x, y)) right = x + 1;
    }
  }
  return {left, top, right, bottom};
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

std::vector<uint8_t> WithPngOffset(const std::vector<uint8_t>& png, int32_t x, int32_t y) {
  std::vector<uint8_t> data;
  PutU32BigEndian(data, static_cast<uint32_t>(x));
  PutU32BigEndian(data, static_cast<uint32_t>(y));
  data.push_back(0);  // unit: pixels
  return WithPngChunk(png, "oFFs", data);
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
