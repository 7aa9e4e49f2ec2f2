#include "native/raster_canvas.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "base/failure.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

class RasterCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    files = new FontFiles(InstalledFontFiles());
    fonts = new FreeTypeFonts(*files);
  }
  static void TearDownTestSuite() {
    delete fonts;
    delete files;
  }
  RasterCanvas Canvas(int32_t width = 24, int32_t height = 24) {
    return RasterCanvas(width, height, Rgb{255, 255, 255}, *fonts);
  }
  // The canvas as rows of '.' (white), '#' (the ink at full strength) and '+' (anything else).
  static std::string Picture(const RasterCanvas& canvas) {
    std::string rows;
    const RgbaImage& image = canvas.Image();
    for (int32_t y = 0; y < image.height; ++y) {
      for (int32_t x = 0; x < image.width; ++x) {
        const uint8_t* p = image.At(x, y);
        const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
        const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
        rows += white ? '.' : black ? '#' : '+';
      }
      rows += '\n';
    }
    return rows;
  }
  static FontFiles* files;
  static FreeTypeFonts* fonts;
};
FontFiles* RasterCanvasTest::files = nullptr;
FreeTypeFonts* RasterCanvasTest::fonts = nullptr;

TEST_F(RasterCanvasTest, ThinPenLeavesTheEndPointOut) {
  RasterCanvas canvas = Canvas(8, 4);
  canvas.Line(1, 1, 6, 1, 1, kBlack);
  canvas.Line(1, 3, 1, 3, 1, kBlack);  // a zero-length segment draws nothing
  EXPECT_EQ(Picture(canvas), "........\n.#####..\n........\n........\n");
  RasterCanvas diagonal = Canvas(6, 5);
  diagonal.Line(0, 0, 5, 4, 1, kBlack);
  // y = round(x * 4 / 5): 0, 1, 2, 2, 3 (0.8 and 2.4 rounded).
  EXPECT_EQ(Picture(diagonal), "#.....\n.#....\n..##..\n....#.\n......\n");
}

TEST_F(RasterCanvasTest, ThickPenCoversTwoRowsUpAndLeftWithRoundCaps) {
  RasterCanvas canvas = Canvas(8, 8);
  canvas.Line(2, 2, 5, 2, 2, kBlack);
  canvas.Line(6, 4, 6, 6, 2, kBlack);
  EXPECT_EQ(Picture(canvas),
            "........\n.#####..\n.#####..\n.....##.\n.....##.\n.....##.\n.....##.\n........\n");
}

TEST_F(RasterCanvasTest, GlyphBlendsTheInkInsideItsCell) {
  RasterCanvas canvas = Canvas(40, 40);
  canvas.Glyph(FontKey{FontFace::Italic, 40}, u'x', 5, 0, kRed);
  const RgbaImage& image = canvas.Image();
  int full = 0, touched = 0, lowest = 0;
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      if (p[1] == 255) continue;
      ++touched;
      lowest = y;
      EXPECT_EQ(p[0], 255);  // red over white keeps red full
      full += p[1] == 0;
      EXPECT_GE(x, 5);
    }
  }
  EXPECT_GT(full, 5);
  EXPECT_GT(touched, full);  // anti-aliased edges
  EXPECT_LT(lowest, 33);     // sits on the baseline, above the descent
}

TEST(Png, RejectsBytesThatAreNotAPicture) {
  const std::vector<uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_THROW(DecodePng(junk), Failure);
  EXPECT_THROW(EncodePng(RgbaImage(), false), Failure);
}

TEST(RgbaImage, InkBoundsHoldEveryPixelThatIsNotTheBackground) {
  struct Case {
    const char* what;
    std::vector<std::array<int32_t, 2>> inked;
    PixelRect bounds;
  };
  const Case cases[] = {
      {"nothing", {}, {}},
      {"one pixel", {{{3, 2}}}, {3, 2, 4, 3}},
      {"the corners", {{{0, 0}}, {{9, 6}}}, {0, 0, 10, 7}},
      {"left low, right high", {{{1, 5}}, {{8, 1}}, {{4, 3}}}, {1, 1, 9, 6}},
  };
  for (const Case& c : cases) {
    RgbaImage image(10, 7, kWindowColour, 255);
    for (const auto& [x, y] : c.inked) image.At(x, y)[1] = 254;  // barely off white is ink
    EXPECT_EQ(InkBounds(image, kWindowColour), c.bounds) << c.what;
  }
}

TEST(RgbaImage, CropKeepsTheRectangle) {
  RgbaImage image(6, 5, kWindowColour, 255);
  image.At(2, 1)[0] = 7;
  image.At(4, 3)[2] = 9;
  const RgbaImage part = Crop(image, {2, 1, 5, 4});
  ASSERT_EQ((std::array{part.width, part.height}), (std::array{3, 3}));
  EXPECT_EQ(part.At(0, 0)[0], 7);
  EXPECT_EQ(part.At(2, 2)[2], 9);
  EXPECT_EQ(InkBounds(part, kWindowColour), (PixelRect{0, 0, 3, 3}));
}

TEST(Png, OffsetChunkFollowsTheHeaderWithItsChecksum) {
  const std::vector<uint8_t> plain = EncodePng(RgbaImage(3, 2, kWindowColour, 255), false);
  const std::vector<uint8_t> placed = WithPngOffset(plain, -2, 5);
  ASSERT_EQ(placed.size(), plain.size() + 21);
  const std::vector<uint8_t> chunk(placed.begin() + 33, placed.begin() + 54);
  const std::vector<uint8_t> expected = {0,    0,    0,    9, 'o', 'F', 'F', 's', 0xFF,
                                         0xFF, 0xFF, 0xFE, 0, 0,   0,   5,   0};
  EXPECT_EQ(std::vector<uint8_t>(chunk.begin(), chunk.begin() + 17), expected);
  const uLong crc = crc32(0, chunk.data() + 4, 13);
  EXPECT_EQ(std::vector<uint8_t>(chunk.begin() + 17, chunk.end()),
            (std::vector<uint8_t>{static_cast<uint8_t>(crc >> 24), static_cast<uint8_t>(crc >> 16),
                                  static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)}));
  const RgbaImage decoded = DecodePng(placed);
  EXPECT_EQ((std::array{decoded.width, decoded.height}), (std::array{3, 2}));
}

}  // namespace
}  // namespace kav
