// Windows bitmap files of a picture, as a clipboard bitmap reaches other programs.
#pragma once
#include <cstdint>
#include <vector>

#include "native/rgba_image.h"

namespace kav {

// A 24-bit bottom-up BMP (BITMAPFILEHEADER and BITMAPINFOHEADER) with alpha dropped. Throws a
// Failure for an empty or inconsistent picture, or one whose file would pass 4 GB.
std::vector<uint8_t> EncodeBmp(const RgbaImage& image);

}  // namespace kav
