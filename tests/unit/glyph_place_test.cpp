// Placement by ink, worked out by hand with fixed metrics (glyphs size/2 wide, size tall): the
// fallback face's symbols keep their ink inside their box, accents sit a gap above their base.
#include "typeset/glyph_place.h"

#include <gtest/gtest.h>

#include <array>

#include "fixed_metrics.h"
#include "recording_canvas.h"
#include "typeset/layout.h"
#include "typeset/paint.h"

namespace kav {
namespace {

constexpr SymbolCode kLfloor = 0x230A;

std::array<int32_t, 4> Numbers(const GlyphPlace& p) {
  return {p.width, p.height, p.offsetX, p.offsetY};
}

TEST(PlaceGlyph, FallbackSymbolsArePlacedByTheirInkWithTheTablesAir) {
  FixedMetrics metrics;
  // Without ink, the table: 20 - 10 wide, shifted 2 right and 2 up.
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, kLfloor, 0, 40)), (std::array{10, 40, 2, -2}));
  // Ink 3..15: left air 3 + shift 2; the tail of -10 would cut into the ink, so the least air
  // of 3/40 stays on the right.
  metrics.SetInk(u'\u230A', 40, GlyphInk{3, 10, 15, 38});
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, kLfloor, 0, 40)), (std::array{5 + 12 + 3, 40, 2, -2}));
  // A drop that would push the ink out of the cell stops at its edge.
  metrics.SetInk(u'\u230A', 40, GlyphInk{3, 1, 15, 40});
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, kLfloor, 0, 40)), (std::array{20, 40, 2, -1}));
  // Less or equal: pad 10 split 5 and 5, shift 1 moves air from right to left.
  metrics.SetInk(u'\u2264', 28, GlyphInk{2, 5, 12, 22});
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, 0x2264, 0, 28)),
            (std::array{(2 + 3 + 0) + 10 + (14 - 12 + 4 - 0), 28, 3, 1}));
}

TEST(PlaceGlyph, CmuGlyphsKeepTheTableWhateverTheirInk) {
  FixedMetrics metrics;
  metrics.SetInk(u'+', 40, GlyphInk{-5, 0, 30, 40});
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, '+', 0, 40)), (std::array{20 + 1 + 4, 40, 4, 0}));
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
  // The gap is fixed by size only.
  EXPECT_EQ(AccentGap(40), 3);
  EXPECT_EQ(AccentGap(28), 2);
  EXPECT_EQ(AccentGap(20), 2);
  EXPECT_FALSE(PlaceAccent(StyleBar, 40, FontFace::Roman, {}, {}));
  EXPECT_FALSE(PlaceAccent(StyleTilde, 40, FontFace::Roman, x, {}));
}

TEST(PlaceGlyph, AnAccentAboveTheCellGrowsTheBoxUpward) {
  FixedMetrics metrics;
  metrics.SetInk(u'f', 40, GlyphInk{2, 2, 18, 40});
  // Hat over italic f: lean 38/8 = 4, lowest row 2 - 3 - 1 = -2, top -2 - 8 + 1 = -9.
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, 'f', StyleHat, 40)), (std::array{20, 49, 0, 9}));
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, 'f', 0, 40)), (std::array{20, 40, 0, 0}));
  // Two accents draw none and need no room; nor does an accent on an operator.
  EXPECT_EQ(Numbers(PlaceGlyph(metrics, 'f', StyleHat | StyleBar, 40)), (std::array{20, 40, 0, 0}));

  BoxLayouter layouter(metrics);
  const EquationLine line(u"<x><f|hat>", &layouter);
  ASSERT_EQ(line.boxes.size(), 2u);
  EXPECT_EQ(line.boxes[1].y, line.boxes[0].y);  // the cells share the baseline
  EXPECT_EQ(line.tree.Data(line.tree.root).height, 49);
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
