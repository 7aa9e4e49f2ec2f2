#include <gtest/gtest.h>

#include <array>

#include "recording_canvas.h"
#include "typeset/paint.h"

namespace kav {
namespace {

LayoutBox Box(SymbolCode code, int32_t x, int32_t y, StyleFlags style, uint32_t size = 40,
              int32_t width = 20) {
  return LayoutBox{code, x, y, 0, 0, width, 40, style, size, 0};
}

LayoutBox Rule(SymbolCode kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2, StyleFlags style) {
  return LayoutBox{kind, x1, y1, x2, y2, 10, 10, style, 0, 0};
}

LayoutBox SignBox(StyleFlags style) {
  return LayoutBox{code::MathGlyph, 0, 0, 7, 0, 20, 40, style, 40, 0};
}

std::array<int32_t, 4> Points(const DrawCall& call) {
  return {call.x1, call.y1, call.x2, call.y2};
}

TEST(PaintLineBoxes, RulesUseThicknessByKindAndOffsetByOrigin) {
  RecordingCanvas canvas;
  const std::vector<LayoutBox> boxes = {Rule(code::ThickLine, 1, 2, 3, 4, 0),
                                        Rule(code::ThinLine, 5, 6, 7, 8, StyleRed)};
  PaintLineBoxes(canvas, 100, 200, boxes, nullptr);
  ASSERT_EQ(canvas.calls.size(), 2u);
  EXPECT_EQ(Points(canvas.calls[0]), (std::array{101, 202, 103, 204}));
  EXPECT_EQ(canvas.calls[0].thickness, 2);
  EXPECT_EQ(canvas.calls[0].colour, kBlack);
  EXPECT_EQ(canvas.calls[1].thickness, 1);
  EXPECT_EQ(canvas.calls[1].colour, kRed);
}

TEST(PaintLineBoxes, SelectionWinsOverRedAndOnlyWhereMarked) {
  RecordingCanvas canvas;
  const std::vector<LayoutBox> boxes = {Box('x', 0, 0, StyleRed), Box('y', 20, 0, StyleRed),
                                        Rule(code::ThickLine, 0, 0, 5, 0, StyleRed),
                                        SignBox(StyleRed)};
  const std::vector<bool> marks = {true, false, true};  // shorter than the boxes
  PaintLineBoxes(canvas, 0, 0, boxes, &marks);
  ASSERT_EQ(canvas.calls.size(), 4u);
  EXPECT_EQ(canvas.calls[0].colour, kGreen);
  EXPECT_EQ(canvas.calls[1].colour, kRed);
  EXPECT_EQ(canvas.calls[2].colour, kGreen);
  EXPECT_EQ(canvas.calls[3].kind, DrawCall::GlyphById);
  EXPECT_EQ(canvas.calls[3].colour, kRed);
  canvas.calls.clear();
  PaintLineBoxes(canvas, 0, 0, boxes, nullptr);  // another line: marks are not ours
  EXPECT_EQ(canvas.calls[0].colour, kRed);
}

TEST(DrawGlyphBox, UprightRuleAppliesOnlyWithoutAFace) {
  RecordingCanvas canvas;
  DrawGlyphBox(canvas, 0, 0, '7', 40, 0, 20, false);
  DrawGlyphBox(canvas, 0, 0, 'x', 40, 0, 20, false);
  DrawGlyphBox(canvas, 0, 0, 945, 28, 0, 20, false);            // alpha: math italic
  DrawGlyphBox(canvas, 0, 0, 0x22EF, 20, 0, 20, false);         // cdots: symbol face
  DrawGlyphBox(canvas, 0, 0, '7', 40, StyleBoldRoman, 20, false);
  DrawGlyphBox(canvas, 0, 0, code::LBrace, 40, 0, 20, false);
  ASSERT_EQ(canvas.calls.size(), 6u);
  EXPECT_EQ(canvas.calls[0].font, (FontKey{FontFace::Roman, 40}));
  EXPECT_EQ(canvas.calls[1].font, (FontKey{FontFace::Italic, 40}));
  EXPECT_EQ(canvas.calls[2].font, (FontKey{FontFace::MathItalic, 28}));
  EXPECT_EQ(canvas.calls[3].font, (FontKey{FontFace::Symbol, 20}));
  EXPECT_EQ(canvas.calls[4].font, (FontKey{FontFace::Bold, 40}));
  EXPECT_EQ(canvas.calls[5].unit, u'{');
  EXPECT_EQ(canvas.calls[5].font.face, FontFace::Roman);
}

TEST(DrawGlyphBox, AccentsComeFirstFromTheShiftedCentre) {
  // x = 100, width 20, size 40: bx = 100 + 10 - 7 = 103.
  RecordingCanvas canvas;
  DrawGlyphBox(canvas, 100, 50, 'v', 40, StyleVector, 20, false);
  ASSERT_EQ(canvas.calls.size(), 4u);
  EXPECT_EQ(Points(canvas.calls[0]), (std::array{106, 55, 120, 55}));
  EXPECT_EQ(Points(canvas.calls[1]), (std::array{120, 55, 116, 51}));
  EXPECT_EQ(Points(canvas.calls[2]), (std::array{120, 55, 116, 59}));
  EXPECT_EQ(canvas.calls[0].thickness, 1);
  EXPECT_EQ(canvas.calls[3].kind, DrawCall::Glyph);

  canvas.calls.clear();
  DrawGlyphBox(canvas, 100, 50, 'a', 40, StyleBar | StyleRed, 20, false);
  EXPECT_EQ(Points(canvas.calls[0]), (std::array{106, 54, 120, 54}));
  EXPECT_EQ(canvas.calls[0].colour, kRed);

  canvas.calls.clear();
  DrawGlyphBox(canvas, 100, 50, 'a', 20, StyleHat, 20, true);  // size 20: bx = 110 - 3
  ASSERT_EQ(canvas.calls.size(), 3u);
  EXPECT_EQ(Points(canvas.calls[0]), (std::array{108, 54, 111, 50}));
  EXPECT_EQ(Points(canvas.calls[1]), (std::array{111, 50, 115, 54}));
  EXPECT_EQ(canvas.calls[1].colour, kGreen);
}

TEST(DrawGlyphBox, TildeIsATextInTheGlyphsFont) {
  RecordingCanvas canvas;
  DrawGlyphBox(canvas, 100, 50, 'n', 28, StyleTilde | StyleRoman, 14, false);
  ASSERT_EQ(canvas.calls.size(), 2u);
  // bx = 100 + 7 - 4 = 103; the tilde stands 5/40 left and 4/40 up of it (3 and 2 at 28).
  EXPECT_EQ(canvas.calls[0].unit, u'~');
  EXPECT_EQ((std::array{canvas.calls[0].x1, canvas.calls[0].y1}), (std::array{100, 48}));
  EXPECT_EQ(canvas.calls[0].font, (FontKey{FontFace::Roman, 28}));
}

TEST(DrawGlyphBox, TwoAccentsDrawNone) {
  RecordingCanvas canvas;
  DrawGlyphBox(canvas, 0, 0, 'a', 40, StyleHat | StyleBar, 20, false);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].kind, DrawCall::Glyph);
}

// A sign of the math font is drawn by its glyph index at the box's size, in the box's colour.
TEST(PaintLineBoxes, MathGlyphsAreDrawnByIndex) {
  RecordingCanvas canvas;
  LayoutBox sign = SignBox(StyleRed);
  sign.x = 3;
  sign.y = 4;
  sign.x2 = 1234;
  sign.size = 28;
  const std::vector<LayoutBox> boxes = {sign};
  const std::vector<bool> marks = {true};
  PaintLineBoxes(canvas, 10, 20, boxes, nullptr);
  PaintLineBoxes(canvas, 10, 20, boxes, &marks);
  ASSERT_EQ(canvas.calls.size(), 2u);
  EXPECT_EQ(canvas.calls[0].kind, DrawCall::GlyphById);
  EXPECT_EQ(canvas.calls[0].glyph, 1234);
  EXPECT_EQ((std::array{canvas.calls[0].x1, canvas.calls[0].y1}), (std::array{13, 24}));
  EXPECT_EQ(canvas.calls[0].font, (FontKey{FontFace::Math, 28}));
  EXPECT_EQ(canvas.calls[0].colour, kRed);
  EXPECT_EQ(canvas.calls[1].colour, kGreen);
}

// The rubber band is one closed outline, drawn from the press point round the current point, so
// a drag up and to the left outlines the same rectangle.
TEST(DrawDragOutline, ClosedBlackOutlineTwoPixelsWide) {
  RecordingCanvas canvas;
  DrawDragOutline(canvas, 50, 60, 10, 20);
  ASSERT_EQ(canvas.calls.size(), 4u);
  const std::array<std::array<int32_t, 4>, 4> expected = {
      {{50, 60, 10, 60}, {10, 60, 10, 20}, {10, 20, 50, 20}, {50, 20, 50, 60}}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.calls[i].kind, DrawCall::Line);
    EXPECT_EQ(Points(canvas.calls[i]), expected[i]) << i;
    EXPECT_EQ(canvas.calls[i].thickness, 2);
    EXPECT_EQ(canvas.calls[i].colour, kBlack);
  }
}

}  // namespace
}  // namespace kav
