// PNG chunks: writing one, and placing one into a finished PNG (an encoder that is not ours
// gives no say over the chunks it writes).
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace kav {

// Appends a 32-bit number as PNG stores it, most significant byte first.
void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v);

// Appends one chunk: length, type, data, and the CRC-32 of type and data.
void WritePngChunk(std::vector<uint8_t>& out, std::string_view type,
                   const std::vector<uint8_t>& data);

// The PNG with a chunk of `type` right after its header chunk, in place of any it had. Throws a
// Failure when the bytes are not a PNG's chunks.
std::vector<uint8_t> WithPngChunk(const std::vector<uint8_t>& png, std::string_view type,
                                  const std::vector<uint8_t>& data);

// Pixels per metre of a picture drawn at `scale` times the screen's 96 dots per inch.
uint32_t PngPixelsPerMetre(int32_t scale);

// The PNG stating its true resolution in a pHYs chunk, so that programs which honour it place
// a picture drawn at `scale` times 96 dpi at the formula's own size, not `scale` times larger.
std::vector<uint8_t> WithPngResolution(const std::vector<uint8_t>& png, int32_t scale);

}  // namespace kav
