// Leaf boxes by ink, worked out by hand with fixed metrics (glyphs size/2 wide, size tall,
// baseline at three quarters): ink above and below the baseline, accents a gap above their base.
#include "typeset/glyph_place.h"

#include <gtest/gtest.h>

#include <array>

#include "fixed_metrics.h"
#include "recording_canvas.h"
#include "typeset/layout.h"
#include "typeset/leaf_box.h"
#include "typeset/paint.h"

namespace kav {
namespace {

constexpr SymbolCode kLfloor = 0x230A;

// Fixed metrics put the baseline 30 below the top of a 40 cell.
TEST(MeasureLeaf, InkAboveAndBelowTheBaselineAccentRoomAndAdvance) {
  struct Row {
    SymbolCode code;
    StyleFlags style;
    GlyphInk ink;
    std::array<int32_t, 3> widthAscentDepth;
  };
  const Row rows[] = {
      {kLfloor, 0, {}, {20, 30, 10}},                 // no ink: the whole cell
      {kLfloor, 0, {3, 10, 15, 38}, {20, 21, 9}},     // ink rows 10..37 around row 30, and 1
      {u'+', 0, {2, 12, 18, 26}, {20, 19, 0}},        // well above the baseline: no depth
      // Hat over italic f (ink 2..39): lean 38/8 = 4, lowest row 2 - 3 - 1 = -2, top -9.
      {u'f', StyleHat, {2, 2, 18, 40}, {20, 39, 11}},
      {u'f', 0, {2, 2, 18, 40}, {20, 29, 11}},
      {u'f', StyleHat | StyleBar, {2, 2, 18, 40}, {20, 29, 11}},  // two accents draw none
  };
  for (const Row& row : rows) {
    FixedMetrics metrics;
    metrics.SetInk(static_cast<char16_t>(row.code), 40, row.ink);
    const LeafBox box = MeasureLeaf(metrics, MathUnits(metrics, 40), row.code, row.style, 40);
    EXPECT_EQ((std::array{box.width, box.ascent, box.depth}), row.widthAscentDepth) << row.code;
    EXPECT_EQ(box.baseline, 30);
  }
}

TEST(MathItalicCodePoint, LettersMapToTheMathFontsItalicAlphabet) {
  EXPECT_EQ(MathItalicCodePoint(FontFace::Italic, u'a'), U'\U0001D44E');
  EXPECT_EQ(MathItalicCodePoint(FontFace::Italic, u'h'), U'\u210E');
  EXPECT_EQ(MathItalicCodePoint(FontFace::Italic, u'Z'), U'\U0001D44D');
  EXPECT_EQ(MathItalicCodePoint(FontFace::MathItalic, 0x3B1), U'\U0001D6FC');
  EXPECT_EQ(MathItalicCodePoint(FontFace::Roman, u'a'), 0u);
  EXPECT_EQ(MathItalicCodePoint(FontFace::Italic, u'1'), 0u);
}

TEST(PlaceAccent, AGapAboveTheInkCentredWithTheSlant) {
  const GlyphInk x{2, 15, 18, 32};
  // Italic x: lean 17/8 = 2 puts the centre at 12; the hat's lowest row (8) is 3 + 1 above 15.
  auto hat = PlaceAccent(StyleHat, 40, FontFace::Italic, x, {});
  ASSERT_TRUE(hat);
  EXPECT_EQ((std::array{hat->x, hat->y, hat->top}), (std::array{3, 3, 4}));
  // Upright, the tilde glyph's ink 1..15 x 14..19 is centred on 10 and ends 3 rows above 15.
  auto tilde = PlaceAccent(StyleTilde, 40, FontFace::Roman, x, GlyphInk{1, 14, 15, 19});
  ASSERT_TRUE(tilde);
  EXPECT_EQ((std::array{tilde->x, tilde->y, tilde->top}), (std::array{2, -7, 7}));
  // The font's attachment at 14 wins over the ink: the hat's strokes span 2..16, centred there.
  auto attached = PlaceAccent(StyleHat, 40, FontFace::Italic, x, {}, 14);
  ASSERT_TRUE(attached);
  EXPECT_EQ((std::array{attached->x, attached->y}), (std::array{5, 3}));
  // The gap is fixed by size only.
  EXPECT_EQ(AccentGap(40), 3);
  EXPECT_EQ(AccentGap(28), 2);
  EXPECT_EQ(AccentGap(20), 2);
  EXPECT_FALSE(PlaceAccent(StyleBar, 40, FontFace::Roman, {}, {}));
  EXPECT_FALSE(PlaceAccent(StyleTilde, 40, FontFace::Roman, x, {}));
}

TEST(LayoutLine, AnAccentAboveTheCellGrowsTheRowUpward) {
  FixedMetrics metrics;
  metrics.SetInk(u'f', 40, GlyphInk{2, 2, 18, 40});
  BoxLayouter layouter(metrics);
  const EquationLine line(u"<x><f|hat>", &layouter);
  ASSERT_EQ(line.boxes.size(), 2u);
  EXPECT_EQ(line.boxes[1].y, line.boxes[0].y);  // the cells share the baseline
  EXPECT_EQ(line.tree.Data(line.tree.root).height, 39 + 11);
}

TEST(DrawGlyphBox, AccentStrokesFollowTheCanvasInk) {
  RecordingCanvas canvas;
  canvas.inks[u'x'] = GlyphInk{2, 15, 18, 32};
  DrawGlyphBox(canvas, 100, 50, 'x', 40, StyleHat, 20, false);
  ASSERT_EQ(canvas.calls.size(), 3u);
  // Reference (103, 53) from the place worked out above.
  EXPECT_EQ(
      (std::array{canvas.calls[0].x1, canvas.calls[0].y1, canvas.calls[0].x2, canvas.calls[0].y2}),
      (std::array{105, 61, 112, 54}));
  EXPECT_EQ(canvas.calls[2].kind, DrawCall::Glyph);
}

}  // namespace
}  // namespace kav
