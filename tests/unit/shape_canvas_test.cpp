#include "typeset/shape_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "base/failure.h"
#include "fixed_metrics.h"
#include "typeset/glyph_measure.h"
#include "typeset/shifted_canvas.h"
#include "typeset/vector_picture.h"

namespace kav {
namespace {

// A square glyph of side 10 at (2, 3) in its cell.
class SquareOutlines final : public GlyphOutlines {
 public:
  Outline GlyphOutline(FontKey, char16_t unit) const override {
    Outline o;
    if (unit == u' ') return o;
    o.MoveTo({2, 3});
    o.LineTo({12, 3});
    o.LineTo({12, 13});
    o.LineTo({2, 13});
    o.Close();
    return o;
  }
  // A square as many pixels across as the glyph's index, at the same place.
  Outline GlyphOutlineById(FontKey, uint16_t glyph) const override {
    Outline o;
    o.MoveTo({2, 3});
    o.LineTo({2.0 + glyph, 3});
    o.LineTo({2.0 + glyph, 3.0 + glyph});
    o.LineTo({2, 3.0 + glyph});
    o.Close();
    return o;
  }
};

PixelRect PixelsOf(const Outline& o) {
  return InkPixels(o);
}

// Area by the shoelace formula over the end points (exact for the straight-edged shapes here).
double Area(const Outline& o) {
  double twice = 0;
  size_t start = 0;
  for (size_t i = 0; i < o.points.size(); ++i) {
    const bool last = i + 1 == o.points.size();
    const OutlinePoint a = o.points[i], b = last ? o.points[start] : o.points[i + 1];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2;
}

TEST(ShapeCanvasTest, AThinPenCoversOnePixelPerStepEndExcluded) {
  struct Case {
    const char* what;
    int32_t x1, y1, x2, y2;
    PixelRect pixels;
    double area;
  };
  const Case cases[] = {
      {"horizontal", 3, 5, 10, 5, {3, 5, 10, 6}, 7},
      {"vertical upward", 4, 9, 4, 2, {4, 3, 5, 10}, 7},
      {"backward", 9, 1, 2, 1, {3, 1, 10, 2}, 7},
      // Centres from (0.5, 0.5) to (5.5, 3): the band's corners reach a quarter pixel beyond.
      {"diagonal", 0, 0, 6, 3, {0, -1, 6, 4}, 6},
  };
  for (const Case& c : cases) {
    const Outline o = ThinSegment(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(PixelsOf(o), c.pixels) << c.what;
    EXPECT_NEAR(Area(o), c.area, 1e-9) << c.what;
  }
  EXPECT_TRUE(ThinSegment(4, 4, 4, 4).Empty());
}

TEST(ShapeCanvasTest, AThickPenReachesOnePixelAroundTheSegmentWithRoundEnds) {
  const Outline bar = ThickSegment(10, 20, 50, 20);
  EXPECT_EQ(PixelsOf(bar), (PixelRect{9, 19, 51, 21}));
  const OutlineBounds b = BoundsOf(bar);
  EXPECT_NEAR(b.left, 9, 1e-9);
  EXPECT_NEAR(b.right, 51, 1e-9);
  EXPECT_NEAR(b.top, 19, 1e-9);
  EXPECT_NEAR(b.bottom, 21, 1e-9);
}

// Glyphs by unit and by index alike, directly and through a canvas that shifts what passes.
TEST(ShapeCanvasTest, GlyphsMoveToTheirCell) {
  const SquareOutlines outlines;
  const FixedMetrics metrics;
  ShapeCanvas canvas(outlines, metrics);
  canvas.Glyph({FontFace::Italic, 40}, u'x', 100, 50, kRed);
  canvas.Glyph({FontFace::Italic, 40}, u' ', 120, 50, kRed);
  canvas.Line(0, 0, 0, 0, 1, kBlack);
  canvas.GlyphById({FontFace::Math, 40}, 7, 100, 50, kBlack);
  ShiftedCanvas shifted(canvas, -30, 4);
  shifted.GlyphById({FontFace::Math, 28}, 12, 40, 10, kGreen);
  std::vector<std::pair<Rgb, PixelRect>> drawn;
  for (const Shape& shape : canvas.Shapes()) drawn.push_back({shape.colour, PixelsOf(shape.outline)});
  const std::vector<std::pair<Rgb, PixelRect>> expected = {{kRed, {102, 53, 112, 63}},
                                                           {kBlack, {102, 53, 109, 60}},
                                                           {kGreen, {12, 17, 24, 29}}};
  EXPECT_EQ(drawn, expected);
}

// The cache answers by index from maps of its own: an index never meets the unit of the same
// number, and the platform is asked once per (font, index).
TEST(CachedGlyphMetricsTest, GlyphsByIndexAreRememberedApartFromUnits) {
  FixedMetrics platform;
  platform.SetWidth(u'x', 40, 3);
  platform.widthsById[{u'x', 40}] = 9;
  platform.widthsById[{u'x', 28}] = 6;
  platform.inksById[{u'x', 40}] = GlyphInk{1, 2, 8, 30};
  const CachedGlyphMetrics cached(platform);
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(cached.Extent({FontFace::Math, 40}, u'x'), (GlyphExtent{3, 40}));
    EXPECT_EQ(cached.ExtentById({FontFace::Math, 40}, u'x'), (GlyphExtent{9, 40}));
    EXPECT_EQ(cached.ExtentById({FontFace::Math, 28}, u'x'), (GlyphExtent{6, 28}));
    EXPECT_EQ(cached.InkById({FontFace::Math, 40}, u'x'), (GlyphInk{1, 2, 8, 30}));
    EXPECT_TRUE(cached.Ink({FontFace::Math, 40}, u'x').Empty());
  }
  EXPECT_EQ(platform.byIdCalls, 3);
  EXPECT_EQ(cached.Ascent({FontFace::Roman, 40}), 30);
  EXPECT_EQ(cached.PixelsPerEm({FontFace::Roman, 20}), 16.0);
}

TEST(VectorPictureTest, CurveBoundsFollowTheCurveNotItsControlPoints) {
  Outline quad;
  quad.MoveTo({0, 0});
  quad.QuadTo({5, 10}, {10, 0});  // peaks at y = 5
  quad.Close();
  EXPECT_NEAR(BoundsOf(quad).bottom, 5, 1e-9);
  Outline cubic;
  cubic.MoveTo({0, 0});
  cubic.CubicTo({0, -8}, {10, -8}, {10, 0});  // reaches y = -6
  cubic.Close();
  EXPECT_NEAR(BoundsOf(cubic).top, -6, 1e-9);
  EXPECT_EQ(InkPixels(cubic), (PixelRect{0, -6, 10, 0}));
}

TEST(VectorPictureTest, TheFrameHoldsTheRootBoxAndAllTheInkWithTheMargin) {
  const SquareOutlines outlines;
  const FixedMetrics metrics;
  const auto framed = [&](int32_t glyphX, int32_t glyphY) {
    ClipboardPicture picture{30, 20, [=](Canvas& canvas) {
                               canvas.Glyph({FontFace::Roman, 40}, u'a', glyphX, glyphY, kBlack);
                             }};
    return DrawVectorPicture(picture, outlines, metrics).frame;
  };
  constexpr int32_t m = kPictureMargin;
  EXPECT_EQ(framed(0, 0), (PixelRect{-m, -m, 30 + m, 20 + m}));
  EXPECT_EQ(framed(-6, 12), (PixelRect{-4 - m, -m, 30 + m, 25 + m}));
  EXPECT_THROW(DrawVectorPicture(ClipboardPicture{0, 20, [](Canvas&) {}}, outlines, metrics),
               Failure);
}

}  // namespace
}  // namespace kav
