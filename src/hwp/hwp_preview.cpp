#include "hwp/hwp_preview.h"

#include <cstddef>

#include "hwp/png_encoder.h"

namespace kav {

std::vector<uint8_t> BuildPagePreview() {
  constexpr uint32_t kRowBytes = (kPreviewWidth + 7) / 8;
  // In a 1-bit gray picture a set bit is white.
  std::vector<uint8_t> rows(std::size_t{kRowBytes} * kPreviewHeight, 0xFF);
  auto setBlack = [&](uint32_t x, uint32_t y) {
    rows[std::size_t{y} * kRowBytes + x / 8] &= static_cast<uint8_t>(~(0x80u >> (x % 8)));
  };
  for (uint32_t x = 0; x < kPreviewWidth; ++x) {
    setBlack(x, 0);
    setBlack(x, kPreviewHeight - 1);
  }
  for (uint32_t y = 0; y < kPreviewHeight; ++y) {
    setBlack(0, y);
    setBlack(kPreviewWidth - 1, y);
  }
  return EncodeGrayPng(kPreviewWidth, kPreviewHeight, 1, rows);
}

}  // namespace kav
