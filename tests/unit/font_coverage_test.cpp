// The coverage table and the font choice against the installed font files, through FreeType:
// no symbol the editor can insert may be drawn as a missing-glyph box.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "native/freetype_fonts.h"
#include "typeset/font_choice.h"
#include "typeset/font_coverage.h"

namespace kav {
namespace {

// Every code that layout draws as a glyph, plus the sigma and pi of sums and products.
std::vector<SymbolCode> DrawableCodes() {
  std::vector<SymbolCode> codes;
  for (SymbolCode code = 1; code <= 0xFFFF; ++code) {
    if (IsLeafSymbol(code)) codes.push_back(code);
  }
  for (SymbolCode code = code::Placeholder; code <= code::RedEscape; ++code) {
    if (IsLeafSymbol(code)) codes.push_back(code);
  }
  return codes;
}

class FontCoverageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fonts = new FreeTypeFonts(InstalledFontFiles()); }
  static void TearDownTestSuite() {
    delete fonts;
    fonts = nullptr;
  }
  static FreeTypeFonts* fonts;
};
FreeTypeFonts* FontCoverageTest::fonts = nullptr;

TEST_F(FontCoverageTest, DrawableSetIsTheLettersDigitsPunctuationAndTable) {
  const std::vector<SymbolCode> codes = DrawableCodes();
  EXPECT_EQ(codes.size(), 11u + 10u + 52u + 61u - 3u);  // less sum, prod and integral
}

TEST_F(FontCoverageTest, GapTableMatchesTheCmuFiles) {
  std::vector<char16_t> units = {u'~'};  // the tilde accent is drawn as text
  for (SymbolCode code : DrawableCodes()) units.push_back(GlyphUnit(code));
  for (FontFace face : {FontFace::Italic, FontFace::Roman, FontFace::Bold}) {
    for (char16_t unit : units) {
      EXPECT_EQ(fonts->HasGlyph(face, unit), FaceHasGlyph(face, unit))
          << "face " << static_cast<int>(face) << " unit U+" << std::hex << int{unit};
    }
  }
  for (char16_t gap : CmuSerifGaps()) {
    EXPECT_NE(std::find(units.begin(), units.end(), gap), units.end()) << int{gap};
  }
}

TEST_F(FontCoverageTest, EveryDrawableCodeHasAGlyphInItsChosenFont) {
  for (SymbolCode code : DrawableCodes()) {
    for (StyleFlags style : {0u, StyleRoman, StyleBoldRoman, StyleRoman | StyleBoldRoman}) {
      for (int32_t size : {40, 28, 20, 57}) {
        const FontKey key = SelectGlyphFont(code, size, style);
        EXPECT_TRUE(fonts->HasGlyph(key.face, GlyphUnit(code)))
            << "code " << code << " style " << style << " size " << size;
        EXPECT_TRUE(fonts->HasGlyph(key.face, u'~')) << "tilde over " << code;
      }
    }
  }
}

}  // namespace
}  // namespace kav
