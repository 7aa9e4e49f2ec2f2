// Layout on the installed fonts, for what fixed metrics cannot show: the math font's glyphs,
// variants, italic corrections and accent attachments reach the boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "base/utf.h"
#include "native_suite.h"
#include "typeset/math_units.h"

namespace kav {
namespace {

class MathFontLayoutTest : public NativeSuite {
 protected:
  static EquationLine Line(const char16_t* markup) {
    return EquationLine(markup, &typesetting->Layouter());
  }
  static const MathTable& Math() { return *Fonts().Math(); }
  // The glyph of the first MathGlyph box.
  static uint16_t FirstSign(const EquationLine& line) {
    for (const LayoutBox& box : line.boxes) {
      if (box.code == code::MathGlyph) return static_cast<uint16_t>(box.x2);
    }
    return 0;
  }
};

TEST_F(MathFontLayoutTest, SignsTakeTheirDisplaySizeOnTheTopRowOnly) {
  struct Row {
    const char16_t* markup;
    char32_t sign;
    bool display;
  };
  const Row rows[] = {
      {u"\\sum{<i>}{<n>}", U'\u2211', true},
      {u"<x>\\super{\\sum{<i>}{<n>}}", U'\u2211', false},
      {u"\\frac{\\sum{<i>}{<n>}}{<x>}", U'\u2211', false},
      {u"\\integral{<a>}{<b>}", U'\u222B', true},
      {u"\\prod{<i>}{<n>}", U'\u220F', true},
  };
  for (const Row& row : rows) {
    const uint16_t base = Math().GlyphOf(row.sign);
    const uint16_t drawn = FirstSign(Line(row.markup));
    EXPECT_EQ(drawn != base, row.display) << EncodeUtf8(row.markup);
    if (row.display) {
      EXPECT_EQ(drawn, Math().Variants(base, true)[1].glyph);
    }
  }
}

TEST_F(MathFontLayoutTest, TheRadicalGrowsWithItsRadicand) {
  const uint16_t small = FirstSign(Line(u"\\sqrt{<x>}"));
  const uint16_t tall = FirstSign(Line(u"\\sqrt{\\frac{\\frac{<a>}{<b>}}{<c>}}"));
  EXPECT_EQ(small, Math().GlyphOf(U'\u221A'));
  EXPECT_NE(tall, small);
}

// The math italic f is wider than the text italic f and has an italic correction; the box takes
// both, and a hat over it stands at the font's attachment.
TEST_F(MathFontLayoutTest, ItalicLettersTakeTheMathItalicsAdvanceAndAttachment) {
  const MathUnits units(Fonts(), 40);
  const uint16_t f = Math().GlyphOf(U'\U0001D453');
  const int32_t advance = Fonts().ExtentById(FontKey{FontFace::Math, 40}, f).width;
  const int32_t italic = units.Px(Math().ItalicCorrection(f));
  ASSERT_GT(italic, 0);
  const EquationLine line = Line(u"<f|hat>");
  EXPECT_EQ(line.tree.Data(line.tree.root).width, advance + italic);
  ASSERT_EQ(line.boxes.size(), 1u);
  EXPECT_EQ(line.boxes[0].y2, 1);
  EXPECT_EQ(line.boxes[0].x2 + line.boxes[0].x, units.Px(*Math().TopAccentAttachment(f)));
}

}  // namespace
}  // namespace kav
