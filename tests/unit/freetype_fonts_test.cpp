#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/failure.h"
#include "native/native_typesetting.h"
#include "native_suite.h"
#include "typeset/glyph_measure.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

class FreeTypeFontsTest : public NativeSuite {};

TEST_F(FreeTypeFontsTest, LetterHeightIsTheCellHeight) {
  for (int32_t size : {40, 28, 20, 57}) EXPECT_EQ(LetterHeight(Fonts(), size), size);
}

TEST_F(FreeTypeFontsTest, WidthsAreHintedAdvancesAtTheCellEm) {
  // CMU Serif Roman's cell is 1185 units for an em of 1000: 40 pixels make a 34-pixel em, where
  // the digit advance of 500 units is 17 pixels.
  EXPECT_EQ(Fonts().Extent({FontFace::Roman, 40}, u'7'), (GlyphExtent{17, 40}));
  EXPECT_EQ(Fonts().Extent({FontFace::Roman, 20}, u'7').width, 9);  // 17-pixel em
  // Simulated bold: one pixel wider than the roman it is made from.
  for (char16_t unit : {u'x', u'7', u'A'}) {
    EXPECT_EQ(Fonts().Extent({FontFace::Bold, 28}, unit).width,
              Fonts().Extent({FontFace::Roman, 28}, unit).width + 1);
  }
}

TEST_F(FreeTypeFontsTest, MathGlyphsMatchTheTextScale) {
  // Latin Modern Math drawn at the CMU em: its "x" is as wide as CMU Serif Roman's.
  const GlyphExtent math = Fonts().Extent({FontFace::Math, 40}, u'x');
  EXPECT_NEAR(math.width, Fonts().Extent({FontFace::Roman, 40}, u'x').width, 1);
  EXPECT_EQ(math.height, 40);
  const GlyphCoverage leq = Fonts().Render({FontFace::Math, 40}, u'\u2264');
  EXPECT_GT(leq.height, 15);
  EXPECT_GE(leq.top, 0);
  EXPECT_LE(leq.top + leq.height, 40);
}

TEST_F(FreeTypeFontsTest, GlyphsStayInsideTheirCell) {
  for (FontFace face : {FontFace::Italic, FontFace::Roman, FontFace::Bold}) {
    const GlyphCoverage x = Fonts().Render({face, 40}, u'x');
    const GlyphCoverage p = Fonts().Render({face, 40}, u'p');
    EXPECT_GT(x.width, 0);
    EXPECT_EQ(x.top + x.height, p.top + p.height - (p.height - x.height));  // same baseline
    EXPECT_GE(x.top, 0);
    EXPECT_LE(p.top + p.height, 40);
  }
}

TEST_F(FreeTypeFontsTest, CacheGivesTheSameLayoutAsThePlatform) {
  std::ifstream corpus(std::string(KAV_TEST_DATA) + "/../../bench/corpus.kav");
  ASSERT_TRUE(corpus.good());
  const BoxLayouter direct(Fonts());
  std::string text;
  int lines = 0;
  while (std::getline(corpus, text)) {
    if (text.size() < 2 || text[0] != '@' || text[1] == '@') continue;
    const std::u16string markup(text.begin() + 1, text.end());  // the corpus is ASCII
    const EquationLine viaCache(markup, &typesetting->Layouter());
    const EquationLine viaPlatform(markup, &direct);
    ASSERT_EQ(viaCache.boxes.size(), viaPlatform.boxes.size());
    for (size_t i = 0; i < viaCache.boxes.size(); ++i) {
      const LayoutBox& a = viaCache.boxes[i];
      const LayoutBox& b = viaPlatform.boxes[i];
      EXPECT_EQ((std::array{a.x, a.y, a.x2, a.y2, a.width, a.height}),
                (std::array{b.x, b.y, b.x2, b.y2, b.width, b.height}));
    }
    ++lines;
  }
  EXPECT_GE(lines, 40);
}

TEST_F(FreeTypeFontsTest, PictureIsTheRootWithItsMarginOnWhite) {
  const EquationLine line(u"<x>\\super{<2>}<+>\\integral{<0>}{<1>}<leq><infinity>",
                          &typesetting->Layouter());
  const NativeTypesetting::Framed framed = typesetting->FramedPicture(line);
  const RgbaImage& picture = framed.image;
  // The final symbol's ink stays inside its box here, so the frame is the box and the margin.
  EXPECT_EQ(framed.frame,
            (PixelRect{-kPictureMargin, -kPictureMargin, RootWidth(line) + kPictureMargin,
                       RootHeight(line) + kPictureMargin}));
  EXPECT_EQ(picture.width, framed.frame.Width());
  EXPECT_EQ(picture.height, framed.frame.Height());
  const uint8_t* corner = picture.At(picture.width - 1, picture.height - 1);
  EXPECT_EQ((std::array{corner[0], corner[1], corner[2], corner[3]}),
            (std::array<uint8_t, 4>{255, 255, 255, 255}));
  int dark = 0;
  for (size_t i = 0; i < picture.pixels.size(); i += 4) dark += picture.pixels[i] < 64;
  EXPECT_GT(dark, 300);
  const EquationLine nothing(u"\\none", &typesetting->Layouter());
  EXPECT_THROW(typesetting->Picture(nothing), Failure);
}

}  // namespace
}  // namespace kav
