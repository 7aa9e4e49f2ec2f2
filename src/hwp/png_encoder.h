// A small PNG encoder over zlib for grayscale pictures (the HWP document's page preview).
#pragma once
#include <cstdint>
#include <vector>

namespace kav {

// `rows` holds `height` rows of ceil(width * bitDepth / 8) bytes, pixels packed from the most
// significant bit. bitDepth is 1, 2, 4 or 8. Bad dimensions throw a Failure.
std::vector<uint8_t> EncodeGrayPng(uint32_t width, uint32_t height, int bitDepth,
                                   const std::vector<uint8_t>& rows);

}  // namespace kav
