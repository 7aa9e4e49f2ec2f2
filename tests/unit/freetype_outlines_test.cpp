#include "native/freetype_outlines.h"

#include <gtest/gtest.h>

#include "native/freetype_fonts.h"
#include "native/shape_raster.h"
#include "typeset/vector_picture.h"

namespace kav {
namespace {

class FreeTypeOutlinesTest : public ::testing::Test {
 protected:
  FontFiles files = InstalledFontFiles();
  FreeTypeFonts fonts{files};
  FreeTypeOutlines outlines{files};
};

// The unhinted outline lies where the hinted glyph is drawn, within a pixel, for every face,
// including the math face standing in a CMU cell; the emboldened Roman within two, as hinting
// moves the thickened stems' ends further.
TEST_F(FreeTypeOutlinesTest, OutlinesLieWhereTheDrawnGlyphsAre) {
  struct Case {
    FontKey font;
    char16_t unit;
    int32_t slack = 1;
  };
  const Case cases[] = {
      {{FontFace::Italic, 40}, u'f'},      {{FontFace::Roman, 40}, u'8'},
      {{FontFace::Bold, 28}, u'H', 2},     {{FontFace::Math, 40}, u'\u2264'},
      {{FontFace::Symbol, 57}, u'\u2211'}, {{FontFace::Italic, 20}, u'g'},
  };
  for (const Case& c : cases) {
    const GlyphCoverage drawn = fonts.Render(c.font, c.unit);
    const PixelRect ink = InkPixels(outlines.GlyphOutline(c.font, c.unit));
    const PixelRect expected{drawn.left, drawn.top, drawn.left + drawn.width,
                             drawn.top + drawn.height};
    EXPECT_NEAR(ink.left, expected.left, c.slack) << int(c.unit);
    EXPECT_NEAR(ink.top, expected.top, c.slack) << int(c.unit);
    EXPECT_NEAR(ink.right, expected.right, c.slack) << int(c.unit);
    EXPECT_NEAR(ink.bottom, expected.bottom, c.slack) << int(c.unit);
  }
  EXPECT_TRUE(outlines.GlyphOutline({FontFace::Roman, 40}, u' ').Empty());
}

TEST_F(FreeTypeOutlinesTest, BoldIsThickerThanRoman) {
  const OutlineBounds roman = BoundsOf(outlines.GlyphOutline({FontFace::Roman, 40}, u'l'));
  const OutlineBounds bold = BoundsOf(outlines.GlyphOutline({FontFace::Bold, 40}, u'l'));
  EXPECT_GT(bold.right - bold.left, roman.right - roman.left + 0.5);
}

// Drawn from outlines at twice the size, a square inks exactly its pixels, in its colour,
// transparent around it.
TEST(ShapeRasterTest, FillsShapesAtTheScaleOnTransparentOrOpaqueGround) {
  VectorPicture picture;
  picture.frame = {-1, -1, 4, 4};
  Outline square;
  square.MoveTo({0, 0});
  square.LineTo({2, 0});
  square.LineTo({2, 2});
  square.LineTo({0, 2});
  square.Close();
  picture.shapes = {{kRed, square}};
  const ShapeRaster raster;
  const RgbaImage clear = raster.Draw(picture, 2, true, Rgb{255, 255, 255});
  ASSERT_EQ(clear.width, 10);
  ASSERT_EQ(clear.height, 10);
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
      EXPECT_EQ(clear.At(x, y)[3], inside ? 255 : 0) << x << ',' << y;
      if (inside) {
        EXPECT_EQ((Rgb{clear.At(x, y)[0], clear.At(x, y)[1], clear.At(x, y)[2]}), kRed);
      }
    }
  }
  const RgbaImage opaque = raster.Draw(picture, 1, false, Rgb{255, 255, 255});
  EXPECT_EQ(opaque.At(0, 0)[3], 255);
  EXPECT_EQ(opaque.At(0, 0)[0], 255);
  EXPECT_EQ(opaque.At(1, 1)[1], 0);
}

}  // namespace
}  // namespace kav
