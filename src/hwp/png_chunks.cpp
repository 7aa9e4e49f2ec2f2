#include "hwp/png_chunks.h"

#include <algorithm>
#include <utility>

#include "base/deflate.h"
#include "base/failure.h"

namespace kav {
namespace {

constexpr size_t kSignatureSize = 8;
constexpr uint32_t kMaxChunkSize = 0x7FFFFFFF;  // PNG's limit for a chunk's length

uint32_t U32BigEndian(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

}  // namespace

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void WritePngChunk(std::vector<uint8_t>& out, std::string_view type,
                   const std::vector<uint8_t>& data) {
  if (data.size() > kMaxChunkSize) Fail(u"PNG: chunk too large");
  PutU32BigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutU32BigEndian(out, Crc32({out.data() + typeAt, out.size() - typeAt}));
}

// The chunks are copied one by one; the new one follows the first (the header), and any of its
// type further on is left out.
std::vector<uint8_t> WithPngChunk(const std::vector<uint8_t>& png, std::string_view type,
                                  const std::vector<uint8_t>& data) {
  if (png.size() < kSignatureSize) Fail(u"PNG: no signature");
  std::vector<uint8_t> out(png.begin(), png.begin() + kSignatureSize);
  out.reserve(png.size() + data.size() + 12);
  size_t at = kSignatureSize;
  bool first = true;
  while (at < png.size()) {
    if (png.size() - at < 12) Fail(u"PNG: a chunk is cut short");
    const uint64_t size = uint64_t{U32BigEndian(&png[at])} + 12;
    if (size > png.size() - at) Fail(u"PNG: a chunk is cut short");
    const std::string_view chunkType(reinterpret_cast<const char*>(&png[at + 4]), 4);
    if (chunkType != type) out.insert(out.end(), png.begin() + at, png.begin() + at + size);
    if (std::exchange(first, false)) WritePngChunk(out, type, data);
    at += size;
  }
  if (first) Fail(u"PNG: no header chunk");
  return out;
}

uint32_t PngPixelsPerMetre(int32_t scale) {
  return static_cast<uint32_t>((int64_t{std::max(scale, 1)} * 96 * 10000 + 127) / 254);
}

std::vector<uint8_t> WithPngResolution(const std::vector<uint8_t>& png, int32_t scale) {
  const uint32_t perMetre = PngPixelsPerMetre(scale);
  std::vector<uint8_t> data;
  PutU32BigEndian(data, perMetre);
  PutU32BigEndian(data, perMetre);
  data.push_back(1);  // unit: the metre
  return WithPngChunk(png, "pHYs", data);
}

}  // namespace kav
