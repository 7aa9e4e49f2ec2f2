// A plain 8-bit RGBA picture, row by row, not premultiplied.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/canvas.h"
#include "typeset/picture_frame.h"

namespace kav {

struct RgbaImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // 4 bytes per pixel

  RgbaImage() = default;
  RgbaImage(int32_t w, int32_t h, Rgb fill, uint8_t alpha);
  uint8_t* At(int32_t x, int32_t y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* At(int32_t x, int32_t y) const {
    return &pixels[(static_cast<size_t>(y) * width + x) * 4];
  }
};

// The bounds of the pixels that are not `background` at full opacity, as every pixel of a
// canvas filled with it stays until ink is drawn there; empty when there are none.
PixelRect InkBounds(const RgbaImage& image, Rgb background);

// The part of the image inside `area`, which lies within the image.
RgbaImage Crop(const RgbaImage& image, const PixelRect& area);

// The image resampled to width x height by averaging the source area under each pixel, with
// colours weighted by their alpha so transparent pixels do not darken edges.
RgbaImage ScaleImage(const RgbaImage& source, int32_t width, int32_t height);

// PNG bytes of the image: RGBA when `withAlpha`, else RGB with alpha dropped. Deterministic:
// the same pixels always give the same bytes.
std::vector<uint8_t> EncodePng(const RgbaImage& image, bool withAlpha);

// The PNG with an oFFs chunk after its header: the picture's top-left corner stands at (x, y)
// pixels on the page it was cut from. `png` comes from EncodePng.
std::vector<uint8_t> WithPngOffset(const std::vector<uint8_t>& png, int32_t x, int32_t y);

// Decodes any PNG into RGBA; throws a Failure for bytes that are not a readable PNG.
RgbaImage DecodePng(std::span<const uint8_t> bytes);

}  // namespace kav
