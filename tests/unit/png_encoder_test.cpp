#include "hwp/png_encoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "base/failure.h"
#include "hwp/hwp_preview.h"
#include "hwp/png_chunks.h"
#include "inflate_helper.h"

namespace kav {
namespace {

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

uint32_t BigEndian(const std::vector<uint8_t>& b, size_t at) {
  return (uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// Splits a PNG into chunks, checking the signature and every chunk's CRC.
std::vector<Chunk> Chunks(const std::vector<uint8_t>& png) {
  const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8), signature);
  std::vector<Chunk> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = BigEndian(png, at);
    const uint8_t* typeAndData = png.data() + at + 4;
    EXPECT_EQ(BigEndian(png, at + 8 + length), crc32(0, typeAndData, 4 + length));
    chunks.push_back(
        {std::string(typeAndData, typeAndData + 4), {typeAndData + 4, typeAndData + 4 + length}});
    at += 12 + length;
  }
  return chunks;
}

TEST(PngEncoder, WritesHeaderRowsAndEnd) {
  // 12 x 2 pixels at one bit: two bytes a row, the last four bits of each unused.
  const std::vector<uint8_t> png = EncodeGrayPng(12, 2, 1, {0xFF, 0xF0, 0x00, 0x10});
  const std::vector<Chunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 12, 0, 0, 0, 2, 1, 0, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  const auto pixels = testing::Inflate(chunks[1].data, false);
  EXPECT_TRUE(pixels.complete);
  EXPECT_EQ(pixels.data, (std::vector<uint8_t>{0, 0xFF, 0xF0, 0, 0x00, 0x10}));
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());
}

TEST(PngEncoder, RefusesInconsistentPictures) {
  EXPECT_THROW(EncodeGrayPng(0, 1, 8, {}), Failure);
  EXPECT_THROW(EncodeGrayPng(2, 2, 8, {1, 2, 3}), Failure);
  EXPECT_THROW(EncodeGrayPng(1, 1, 3, {0}), Failure);
}

TEST(PagePreview, IsAFramedWhitePage) {
  const std::vector<Chunk> chunks = Chunks(BuildPagePreview());
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(BigEndian(chunks[0].data, 0), kPreviewWidth);
  EXPECT_EQ(BigEndian(chunks[0].data, 4), kPreviewHeight);
  const auto pixels = testing::Inflate(chunks[1].data, false);
  const size_t rowBytes = (kPreviewWidth + 7) / 8 + 1;
  ASSERT_EQ(pixels.data.size(), rowBytes * kPreviewHeight);
  EXPECT_EQ(pixels.data[1], 0x00);                   // top edge black
  EXPECT_EQ(pixels.data[rowBytes * 500 + 1], 0x7F);  // left edge black, inside white
  EXPECT_EQ(pixels.data[rowBytes * 500 + 40], 0xFF);
}

// A picture drawn at N times the screen's size says so, so other programs place it at the
// formula's own size: 96 dpi times N in pixels per metre, right after the header, replacing
// whatever resolution the encoder wrote.
TEST(PngChunks, ResolutionFollowsTheScale) {
  const std::vector<uint8_t> png = EncodeGrayPng(3, 2, 8, std::vector<uint8_t>(6, 0x80));
  const std::pair<int32_t, uint32_t> scales[] = {{1, 3780}, {2, 7559}, {4, 15118}};
  for (const auto& [scale, perMetre] : scales) {
    SCOPED_TRACE(scale);
    const std::vector<Chunk> chunks = Chunks(WithPngResolution(WithPngResolution(png, 7), scale));
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "pHYs");
    EXPECT_EQ(chunks[2].type, "IDAT");
    EXPECT_EQ(BigEndian(chunks[1].data, 0), perMetre);
    EXPECT_EQ(BigEndian(chunks[1].data, 4), perMetre);
    EXPECT_EQ(chunks[1].data[8], 1);  // metres
  }
  EXPECT_THROW(WithPngResolution({}, 4), Failure);
  EXPECT_THROW(WithPngResolution(std::vector<uint8_t>(png.begin(), png.end() - 3), 4), Failure);
}

}  // namespace
}  // namespace kav
