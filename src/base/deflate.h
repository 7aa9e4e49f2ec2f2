// zlib at one seam: deflate a whole buffer in memory and take CRC-32 checksums. Used by the HWP
// document (raw deflate of its record streams), the zip writer and the PNG encoder.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kav {

enum class DeflateWrapper {
  kRaw,   // bare RFC 1951 data, as HWP streams and zip entries hold it
  kZlib,  // RFC 1950: two-byte header, data, Adler-32 (PNG image data)
};

// Compresses `data` at `level` (0 to 9). Throws a Failure if zlib cannot start (out of memory).
std::vector<uint8_t> Deflate(std::span<const uint8_t> data, int level, DeflateWrapper wrapper);

// A compressor kept from one buffer to the next. zlib's working state (about 300 KB) is set up
// on the first buffer and only reset for the next ones, which gives the same bytes as a fresh
// compressor and spares the memory system a round trip per buffer.
class Deflater {
 public:
  Deflater(int level, DeflateWrapper wrapper);
  ~Deflater();
  Deflater(Deflater&&) noexcept;
  Deflater& operator=(Deflater&&) noexcept;

  // As Deflate above, at this compressor's level and wrapper.
  std::vector<uint8_t> Compress(std::span<const uint8_t> data);

 private:
  class Stream;

  int level_;
  DeflateWrapper wrapper_;
  std::unique_ptr<Stream> stream_;  // null until the first buffer
};

// CRC-32 (the zip and PNG polynomial); pass an earlier result as `crc` to continue it.
uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0);

}  // namespace kav
