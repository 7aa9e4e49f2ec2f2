// A canvas that records what the painter draws as filled outlines instead of pixels: glyphs from
// the platform's outlines (by unit or by glyph index) and pen segments as the areas their pixels
// cover. Vector pictures and scaled bitmaps are made from these shapes.
// It answers the painter's ink questions from the metrics the layout measured with, so accents
// stand where the layout made room for them and where the screen draws them.
#pragma once
#include <vector>

#include "platform/canvas.h"
#include "platform/glyph_outlines.h"

namespace kav {

// One filled area in one colour, in the coordinates the painter drew in.
struct Shape {
  Rgb colour;
  Outline outline;
};

class ShapeCanvas final : public Canvas {
 public:
  ShapeCanvas(const GlyphOutlines& outlines, const GlyphMetrics& inks)
      : outlines_(outlines), inks_(inks) {}

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness, Rgb colour) override;
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) override;
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) override;
  GlyphInk Ink(FontKey font, char16_t unit) const override { return inks_.Ink(font, unit); }

  const std::vector<Shape>& Shapes() const { return shapes_; }
  std::vector<Shape> TakeShapes() { return std::move(shapes_); }

 private:
  const GlyphOutlines& outlines_;
  const GlyphMetrics& inks_;
  std::vector<Shape> shapes_;

  // Keeps a glyph's outline moved to a cell corner at (x, y); nothing for a glyph without ink.
  void Place(Outline outline, int32_t x, int32_t y, Rgb colour);
};

// The area a one-pixel pen inks from (x1, y1) to (x2, y2), end point excluded: one pixel per
// step along the major axis, so a parallelogram one pixel across that axis. Empty for a point.
Outline ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The area a two-pixel pen inks: every point within one pixel of the segment (round caps).
Outline ThickSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace kav
