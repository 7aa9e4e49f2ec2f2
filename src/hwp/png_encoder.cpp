#include "hwp/png_encoder.h"

#include <string_view>

#include "base/deflate.h"
#include "base/failure.h"
#include "hwp/png_chunks.h"

namespace kav {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kMaxDimension = 0x7FFFFFFF;  // PNG's limit for width and height
constexpr uint8_t kGray = 0;
constexpr uint8_t kFilterNone = 0;
constexpr int kLevel = 9;

// Every row gets filter byte 0 (none) in front.
std::vector<uint8_t> FilterRows(uint32_t height, uint64_t rowBytes,
                                const std::vector<uint8_t>& rows) {
  std::vector<uint8_t> filtered;
  filtered.reserve(height * (rowBytes + 1));
  for (uint64_t y = 0; y < height; ++y) {
    filtered.push_back(kFilterNone);
    filtered.insert(filtered.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
  }
  return filtered;
}

}  // namespace

std::vector<uint8_t> EncodeGrayPng(uint32_t width, uint32_t height, int bitDepth,
                                   const std::vector<uint8_t>& rows) {
  if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8) Fail(u"PNG: bad bit depth");
  if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) {
    Fail(u"PNG: bad picture size");
  }
  const uint64_t rowBytes = (uint64_t{width} * bitDepth + 7) / 8;
  if (rows.size() != rowBytes * height) Fail(u"PNG: pixel data does not match the picture size");

  std::vector<uint8_t> header;
  PutU32BigEndian(header, width);
  PutU32BigEndian(header, height);
  header.push_back(static_cast<uint8_t>(bitDepth));
  header.push_back(kGray);
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filtering: adaptive, per row
  header.push_back(0);  // no interlace

  std::vector<uint8_t> png(std::begin(kSignature), std::end(kSignature));
  WritePngChunk(png, "IHDR", header);
  WritePngChunk(png, "IDAT",
             Deflate(FilterRows(height, rowBytes, rows), kLevel, DeflateWrapper::kZlib));
  WritePngChunk(png, "IEND", {});
  return png;
}

}  // namespace kav
