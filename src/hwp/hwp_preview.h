// The page preview that the HWP document carries for file browsers: an empty A4 page.
#pragma once
#include <cstdint>
#include <vector>

namespace kav {

constexpr uint32_t kPreviewWidth = 724;
constexpr uint32_t kPreviewHeight = 1024;

// A 1-bit grayscale PNG: a white page with a one-pixel black frame.
std::vector<uint8_t> BuildPagePreview();

}  // namespace kav
