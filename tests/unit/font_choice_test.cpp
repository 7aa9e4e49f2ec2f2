#include <gtest/gtest.h>

#include <initializer_list>

#include "fixed_metrics.h"
#include "typeset/font_choice.h"
#include "typeset/glyph_measure.h"

namespace kav {
namespace {

constexpr SymbolCode kCdots = 0x22EF;
constexpr SymbolCode kLeq = 0x2264;
constexpr SymbolCode kAlpha = 945;

TEST(SelectGlyphFont, FollowsSizeThenFaceBits) {
  EXPECT_EQ(SelectGlyphFont('x', 40, 0), (FontKey{FontFace::Italic, 40}));
  EXPECT_EQ(SelectGlyphFont('x', 28, StyleRoman), (FontKey{FontFace::Roman, 28}));
  EXPECT_EQ(SelectGlyphFont('x', 20, StyleBoldRoman), (FontKey{FontFace::Bold, 20}));
  EXPECT_EQ(SelectGlyphFont('x', 40, StyleRoman | StyleBoldRoman), (FontKey{FontFace::Bold, 40}));
  EXPECT_EQ(SelectGlyphFont(931, 57, StyleBoldRoman), (FontKey{FontFace::Roman, 57}));
  EXPECT_EQ(SelectGlyphFont('x', 57, 0), (FontKey{FontFace::Roman, 57}));
  // Any size other than 40, 28 and 57 means 20; accents and red do not choose faces.
  EXPECT_EQ(SelectGlyphFont('7', 12, StyleRed | StyleHat), (FontKey{FontFace::Italic, 20}));
  EXPECT_EQ(SelectGlyphFont(kAlpha, 40, StyleBoldRoman), (FontKey{FontFace::MathBold, 40}));
}

TEST(SelectGlyphFont, LowercaseGreekComesFromTheMathFaceInEveryStyle) {
  EXPECT_EQ(SelectGlyphFont(kAlpha, 28, 0), (FontKey{FontFace::MathItalic, 28}));
  EXPECT_EQ(SelectGlyphFont(969, 20, StyleRoman), (FontKey{FontFace::Math, 20}));
  EXPECT_EQ(SelectGlyphFont(952, 40, StyleRoman | StyleBoldRoman).face, FontFace::MathBold);
  EXPECT_EQ(SelectGlyphFont(920, 40, 0).face, FontFace::Italic);  // capitals stay CMU
  EXPECT_EQ(SelectGlyphFont(920, 40, StyleRoman).face, FontFace::Roman);
}

TEST(DrawnCodePoint, MathFacesDrawTheMathematicalGreekLetters) {
  struct Row {
    FontFace face;
    char16_t unit;
    char32_t drawn;
  };
  for (const Row& row : std::initializer_list<Row>{
           {FontFace::MathItalic, u'\u03B1', U'\U0001D6FC'},
           {FontFace::MathItalic, u'\u03C9', U'\U0001D714'},
           {FontFace::MathItalic, u'\u03D1', U'\U0001D717'},  // theta symbol
           {FontFace::MathItalic, u'\u03F1', U'\U0001D71A'},  // rho symbol
           {FontFace::MathBold, u'\u03B8', U'\U0001D6C9'},
           {FontFace::MathBold, u'\u03F0', U'\U0001D6DE'},    // kappa symbol
           {FontFace::MathItalic, u'~', U'~'},
           {FontFace::Math, u'\u03B8', U'\u03B8'},
           {FontFace::Italic, u'\u03B8', U'\u03B8'},
       }) {
    EXPECT_EQ(DrawnCodePoint(row.face, row.unit), row.drawn) << int{row.unit};
  }
}

TEST(SelectGlyphFont, SymbolFaceOnlyForItsRowsWithRmAlone) {
  for (SymbolCode code : {kCdots, SymbolCode(0x2308), SymbolCode(0x2309), SymbolCode(0x230A),
                          SymbolCode(0x230B)}) {
    EXPECT_EQ(SelectGlyphFont(code, 40, StyleRoman), (FontKey{FontFace::Symbol, 40})) << code;
  }
  EXPECT_EQ(SelectGlyphFont(kLeq, 28, StyleRoman).face, FontFace::Math);
  EXPECT_EQ(SelectGlyphFont('+', 28, StyleRoman).face, FontFace::Roman);
}

TEST(SelectGlyphFont, CmuGapsFallToMathFaceAtSameSize) {
  EXPECT_EQ(SelectGlyphFont(kCdots, 40, 0), (FontKey{FontFace::Math, 40}));
  EXPECT_EQ(SelectGlyphFont(kCdots, 20, StyleBoldRoman), (FontKey{FontFace::Math, 20}));
  EXPECT_EQ(SelectGlyphFont(kLeq, 28, 0), (FontKey{FontFace::Math, 28}));
  EXPECT_EQ(SelectGlyphFont(0x221E, 57, 0), (FontKey{FontFace::Math, 57}));
  EXPECT_EQ(SelectGlyphFont(0x2192, 40, 0), (FontKey{FontFace::Italic, 40}));  // arrow is there
}

TEST(GlyphUnit, BracesDrawAsAsciiBraces) {
  EXPECT_EQ(GlyphUnit(code::LBrace), u'{');
  EXPECT_EQ(GlyphUnit(code::RBrace), u'}');
  EXPECT_EQ(GlyphUnit(kAlpha), u'\u03B1');
}

TEST(MeasureGlyph, AsksTheChosenFontForTheGlyphUnit) {
  FixedMetrics metrics;
  metrics.SetWidth(u'{', 40, 17);
  EXPECT_EQ(MeasureGlyph(metrics, code::LBrace, StyleRoman, 40), (GlyphExtent{17, 40}));
  ASSERT_EQ(metrics.asked.size(), 1u);
  EXPECT_EQ(metrics.asked[0].first, (FontKey{FontFace::Roman, 40}));
  EXPECT_EQ(metrics.asked[0].second, u'{');
}

TEST(LetterHeight, IsTheCellHeightOfAInItalicOrRoman57) {
  FixedMetrics metrics;
  EXPECT_EQ(LetterHeight(metrics, 40), 40);
  EXPECT_EQ(LetterHeight(metrics, 57), 57);
  ASSERT_EQ(metrics.asked.size(), 2u);
  EXPECT_EQ(metrics.asked[0].first, (FontKey{FontFace::Italic, 40}));
  EXPECT_EQ(metrics.asked[1].first, (FontKey{FontFace::Roman, 57}));
  EXPECT_EQ(metrics.asked[1].second, u'a');
}

}  // namespace
}  // namespace kav
