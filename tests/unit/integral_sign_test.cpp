// The integral sign is the math font's own glyph: its tall display design on the top row, the
// plain sign in scripts, drawn where the layout put it and in its colour, in the bitmap picture
// and in the outlines of the vector picture alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native_suite.h"
#include "typeset/font_choice.h"

namespace kav {
namespace {

class IntegralSignTest : public NativeSuite {
 protected:
  // The layout's boxes that draw an integral sign of the math face.
  static std::vector<LayoutBox> SignBoxes(const EquationLine& line) {
    std::vector<LayoutBox> signs;
    for (const LayoutBox& box : line.boxes) {
      const bool integral = box.x2 == TextIntegral() || box.x2 == DisplayIntegral();
      if (box.code == code::MathGlyph && integral) signs.push_back(box);
    }
    return signs;
  }

  // How many of the pixels the glyph inks alone on the window colour the picture holds exactly,
  // out of how many it inks.
  static std::pair<int32_t, int32_t> PixelsKept(const NativeTypesetting::Framed& picture,
                                                const LayoutBox& box, Rgb colour) {
    const RgbaImage& image = picture.image;
    RasterCanvas alone = Blank(image.width, image.height);
    alone.GlyphById(MathFont(box), static_cast<uint16_t>(box.x2), box.x - picture.frame.left,
                    box.y - picture.frame.top, colour);
    int32_t kept = 0, inked = 0;
    for (int32_t y = 0; y < image.height; ++y) {
      for (int32_t x = 0; x < image.width; ++x) {
        const uint8_t* a = alone.Image().At(x, y);
        if (a[0] == 255 && a[1] == 255 && a[2] == 255) continue;
        ++inked;
        const uint8_t* p = image.At(x, y);
        kept += a[0] == p[0] && a[1] == p[1] && a[2] == p[2];
      }
    }
    return {kept, inked};
  }

  // Whether the vector picture holds the glyph's outline at the box, in the colour.
  static bool OutlineDrawn(const VectorPicture& picture, const LayoutBox& box, Rgb colour) {
    Outline expected =
        typesetting->Outlines().GlyphOutlineById(MathFont(box), static_cast<uint16_t>(box.x2));
    for (OutlinePoint& p : expected.points) p = {p.x + box.x, p.y + box.y};
    for (const Shape& shape : picture.shapes) {
      if (shape.colour == colour && shape.outline.verbs == expected.verbs &&
          shape.outline.points == expected.points) {
        return true;
      }
    }
    return false;
  }

  static FontKey MathFont(const LayoutBox& box) {
    return {FontFace::Math, FontSizeOf(static_cast<int32_t>(box.size))};
  }
};

TEST_F(IntegralSignTest, TheSignIsTheFontsGlyphDrawnWhereTheLayoutPutIt) {
  struct Case {
    const char16_t* markup;
    bool display;
    uint32_t size;
    Rgb colour;
  };
  const Case cases[] = {
      {u"\\integral{<0>}{<1>}<x>", true, 40, kBlack},
      {u"<a><=>\\red\\integral{\\none}{\\none}<f>", true, 40, kRed},
      {u"<e>\\super{\\integral{<0>}{<t>}<x>}", false, 28, kBlack},
  };
  ASSERT_NE(DisplayIntegral(), TextIntegral());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.markup, c.markup + std::char_traits<char16_t>::length(c.markup)));
    const EquationLine line(c.markup, &typesetting->Layouter());
    const std::vector<LayoutBox> signs = SignBoxes(line);
    ASSERT_EQ(signs.size(), 1u);
    const LayoutBox& sign = signs[0];
    EXPECT_EQ(sign.x2, c.display ? DisplayIntegral() : TextIntegral());
    EXPECT_EQ(sign.size, c.size);
    const auto [kept, inked] = PixelsKept(typesetting->FramedPicture(line), sign, c.colour);
    EXPECT_GT(inked, 40);
    // Limits beside the sign may touch a few of its edge pixels, never more.
    EXPECT_GE(kept * 10, inked * 9) << kept << " of " << inked;
    EXPECT_TRUE(OutlineDrawn(typesetting->Vector(line), sign, c.colour));
  }
}

}  // namespace
}  // namespace kav
