// The bitmap file of a picture: header fields, bottom-up rows in BGR order, rows padded to four
// bytes, and refusals of pictures that cannot be written.
#include "native/bmp_image.h"

#include <gtest/gtest.h>

#include "base/failure.h"

namespace kav {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(BmpImage, HeadersDescribeATwentyFourBitBottomUpBitmap) {
  const RgbaImage image(3, 2, Rgb{255, 255, 255}, 255);
  const std::vector<uint8_t> bmp = EncodeBmp(image);
  // Rows of 3 pixels take 9 bytes, padded to 12.
  ASSERT_EQ(bmp.size(), 14u + 40u + 2u * 12u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 3u);
  EXPECT_EQ(U32(bmp, 22), 2u);
  EXPECT_EQ(U16(bmp, 26), 1);
  EXPECT_EQ(U16(bmp, 28), 24);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_EQ(U32(bmp, 34), 24u);
}

TEST(BmpImage, RowsRunFromTheBottomInBlueGreenRedWithZeroPadding) {
  RgbaImage image(3, 2, Rgb{255, 255, 255}, 255);
  uint8_t* topLeft = image.At(0, 0);
  topLeft[0] = 10;  // red
  topLeft[1] = 20;
  topLeft[2] = 30;
  uint8_t* bottomRight = image.At(2, 1);
  bottomRight[0] = 40;
  bottomRight[1] = 50;
  bottomRight[2] = 60;
  bottomRight[3] = 0;  // alpha is dropped
  const std::vector<uint8_t> bmp = EncodeBmp(image);
  const std::vector<uint8_t> bottomRow(bmp.begin() + 54, bmp.begin() + 66);
  const std::vector<uint8_t> topRow(bmp.begin() + 66, bmp.end());
  EXPECT_EQ(bottomRow, (std::vector<uint8_t>{255, 255, 255, 255, 255, 255, 60, 50, 40, 0, 0, 0}));
  EXPECT_EQ(topRow, (std::vector<uint8_t>{30, 20, 10, 255, 255, 255, 255, 255, 255, 0, 0, 0}));
}

TEST(BmpImage, RefusesPicturesWithoutConsistentPixels) {
  EXPECT_THROW(EncodeBmp(RgbaImage()), Failure);
  RgbaImage broken(2, 2, Rgb{}, 255);
  broken.pixels.pop_back();
  EXPECT_THROW(EncodeBmp(broken), Failure);
}

}  // namespace
}  // namespace kav
