// Glyphs by index as FreeType draws them: the math face's variants and assembly pieces have no
// code point, so a glyph that has one must come out the same by index on every surface, and the
// baseline and em that MATH values are scaled by must be the ones the glyphs are drawn at.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "native/native_typesetting.h"
#include "native/raster_canvas.h"
#include "native_suite.h"
#include "typeset/font_choice.h"
#include "typeset/shape_canvas.h"
#include "typeset/shifted_canvas.h"

namespace kav {
namespace {

constexpr FontFace kFaces[] = {FontFace::Italic,  FontFace::Roman, FontFace::Bold,
                               FontFace::Symbol,  FontFace::Math,  FontFace::MathItalic,
                               FontFace::MathBold};

class GlyphByIndexTest : public NativeSuite {
 protected:
  static RasterCanvas Blank() { return NativeSuite::Blank(160, 240); }
  static uint16_t IndexOf(FontKey font, char16_t unit) {
    return static_cast<uint16_t>(Fonts().GlyphIndex(font.face, DrawnCodePoint(font.face, unit)));
  }
};

std::vector<OutlinePoint> PointsOf(const std::vector<Shape>& shapes) {
  return shapes.size() == 1 ? shapes[0].outline.points : std::vector<OutlinePoint>{};
}

TEST_F(GlyphByIndexTest, ByIndexEveryMeasureAndSurfaceGivesWhatTheCodePointGives) {
  struct Case {
    FontKey font;
    char16_t unit;
  };
  const Case cases[] = {
      {{FontFace::Math, 40}, u'\u2211'},
      {{FontFace::Math, 57}, u'\u222B'},
      {{FontFace::Math, 20}, u'x'},
      {{FontFace::Symbol, 28}, u'\u2264'},
      {{FontFace::Italic, 40}, u'f'},
      {{FontFace::Bold, 28}, u'H'},
      {{FontFace::MathItalic, 40}, u'\u03B8'},
  };
  const GlyphMetrics& cached = typesetting->Metrics();
  const GlyphOutlines& outlines = typesetting->Outlines();
  for (const auto& [font, unit] : cases) {
    SCOPED_TRACE(testing::Message() << "unit " << int(unit) << " size " << font.size);
    const uint16_t glyph = IndexOf(font, unit);
    ASSERT_NE(glyph, 0);
    EXPECT_EQ(Fonts().ExtentById(font, glyph), Fonts().Extent(font, unit));
    EXPECT_EQ(cached.ExtentById(font, glyph), cached.Extent(font, unit));
    EXPECT_EQ(cached.InkById(font, glyph), cached.Ink(font, unit));
    EXPECT_FALSE(Fonts().InkById(font, glyph).Empty());
    // Pixels, through a shifted canvas as pictures draw.
    RasterCanvas byUnit = Blank(), byIndex = Blank();
    byUnit.Glyph(font, unit, 40, 60, kBlack);
    ShiftedCanvas shifted(byIndex, 10, 20);
    shifted.GlyphById(font, glyph, 30, 40, kBlack);
    EXPECT_EQ(byUnit.Image().pixels, byIndex.Image().pixels);
    // Outlines, alone and as a vector picture records them.
    const Outline outline = outlines.GlyphOutlineById(font, glyph);
    EXPECT_EQ(outline.verbs, outlines.GlyphOutline(font, unit).verbs);
    EXPECT_EQ(outline.points, outlines.GlyphOutline(font, unit).points);
    ShapeCanvas shapesByUnit(outlines, cached), shapesByIndex(outlines, cached);
    shapesByUnit.Glyph(font, unit, 7, 9, kRed);
    shapesByIndex.GlyphById(font, glyph, 7, 9, kRed);
    EXPECT_EQ(PointsOf(shapesByIndex.Shapes()), PointsOf(shapesByUnit.Shapes()));
    EXPECT_FALSE(PointsOf(shapesByIndex.Shapes()).empty());
  }
}

// The MATH table's tallest variant of the integral is the font's own display integral.
TEST_F(GlyphByIndexTest, TheDisplayIntegralInksTallerThanTheTextIntegralWhereItIsDrawn) {
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face = nullptr;
  ASSERT_EQ(FT_New_Face(library, InstalledFontFiles().math.c_str(), 0, &face), 0);
  char name[] = "integral.v1";
  EXPECT_EQ(FT_Get_Name_Index(face, name), DisplayIntegral());
  FT_Done_FreeType(library);
  for (int32_t size : {40, 28, 20}) {
    const FontKey font{FontFace::Math, size};
    const GlyphInk text = Fonts().Ink(font, u'\u222B');
    const GlyphInk display = Fonts().InkById(font, DisplayIntegral());
    EXPECT_GT(display.bottom - display.top, 3 * (text.bottom - text.top) / 2) << size;
    RasterCanvas canvas = Blank();
    canvas.GlyphById(font, DisplayIntegral(), 50, 80, kBlack);
    // The ink is the box the glyph is rendered into: the covered pixels fill it to within a
    // pixel on each side.
    const PixelRect drawn = InkBounds(canvas.Image(), kWindowColour);
    const PixelRect box =
        PixelRect{display.left, display.top, display.right, display.bottom}.Moved(50, 80);
    EXPECT_TRUE(drawn.left >= box.left && drawn.left <= box.left + 1) << size;
    EXPECT_TRUE(drawn.top >= box.top && drawn.top <= box.top + 1) << size;
    EXPECT_TRUE(drawn.right <= box.right && drawn.right >= box.right - 1) << size;
    EXPECT_TRUE(drawn.bottom <= box.bottom && drawn.bottom >= box.bottom - 1) << size;
  }
}

// A drawn "x" sits on the baseline, so its ink ends there.
TEST_F(GlyphByIndexTest, TheAscentIsWhereADrawnLetterSitsForEveryFaceAndSize) {
  for (FontFace face : kFaces) {
    for (int32_t size : {20, 28, 40, 57}) {
      const FontKey font{face, size};
      const int32_t ascent = Fonts().Ascent(font);
      EXPECT_NEAR(Fonts().Ink(font, u'x').bottom, ascent, 1) << int(face) << " " << size;
      EXPECT_EQ(typesetting->Metrics().Ascent(font), ascent);
    }
  }
}

// FreeType opened afresh at the reported em hints and draws each glyph exactly as the program
// does; the CMU cell of 1185 units makes the roman em 34 pixels at 40 and 17 at 20.
TEST_F(GlyphByIndexTest, ThePixelsPerEmAreTheSizeTheGlyphsAreDrawnAt) {
  EXPECT_EQ(Fonts().PixelsPerEm({FontFace::Roman, 40}), 34.0);
  EXPECT_EQ(Fonts().PixelsPerEm({FontFace::Math, 20}), 17.0);
  const FontFiles files = InstalledFontFiles();
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  for (FontFace face : {FontFace::Italic, FontFace::Roman, FontFace::Math}) {
    const std::string& path = face == FontFace::Italic  ? files.italic
                              : face == FontFace::Roman ? files.roman
                                                        : files.math;
    FT_Face file = nullptr;
    ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &file), 0);
    for (int32_t size : {20, 28, 40, 57}) {
      const FontKey font{face, size};
      const double em = Fonts().PixelsPerEm(font);
      EXPECT_EQ(typesetting->Metrics().PixelsPerEm(font), em);
      ASSERT_EQ(FT_Set_Pixel_Sizes(file, 0, static_cast<FT_UInt>(em)), 0);
      ASSERT_EQ(FT_Load_Char(file, 'g', FT_LOAD_RENDER), 0);
      const FT_Bitmap& bitmap = file->glyph->bitmap;
      const GlyphCoverage drawn = Fonts().Render(font, u'g');
      ASSERT_EQ(drawn.width, static_cast<int32_t>(bitmap.width)) << int(face) << " " << size;
      ASSERT_EQ(drawn.height, static_cast<int32_t>(bitmap.rows));
      std::vector<uint8_t> fresh;
      for (unsigned row = 0; row < bitmap.rows; ++row) {
        const uint8_t* start = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        fresh.insert(fresh.end(), start, start + bitmap.width);
      }
      EXPECT_EQ(drawn.alpha, fresh);
    }
  }
  FT_Done_FreeType(library);
}

TEST_F(GlyphByIndexTest, AnIndexPastTheFontIsRefusedByName) {
  const FontKey font{FontFace::Math, 40};
  const std::u16string expected = u"The font Latin Modern Math has no glyph 60000";
  RasterCanvas canvas = Blank();
  const std::array<std::function<void()>, 4> uses = {
      [&] { Fonts().ExtentById(font, 60000); }, [&] { Fonts().InkById(font, 60000); },
      [&] { canvas.GlyphById(font, 60000, 0, 0, kBlack); },
      [&] { typesetting->Outlines().GlyphOutlineById(font, 60000); }};
  for (const auto& use : uses) {
    try {
      use();
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.text, expected);
    }
  }
}

}  // namespace
}  // namespace kav
