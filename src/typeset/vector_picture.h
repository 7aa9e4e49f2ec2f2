// A line's picture as filled outlines: what the SVG and EMF writers and the scaled bitmaps
// draw. It is painted by the same painter as the screen, onto a ShapeCanvas, and framed like the
// bitmap picture: the root box and all the ink, plus the picture margin.
#pragma once
#include <vector>

#include "platform/glyph_outlines.h"
#include "platform/host.h"
#include "typeset/picture_frame.h"
#include "typeset/shape_canvas.h"

namespace kav {

struct VectorPicture {
  PixelRect frame;            // the picture's rectangle in the root's coordinates
  std::vector<Shape> shapes;  // in the root's coordinates, in drawing order
  int32_t Width() const { return frame.Width(); }
  int32_t Height() const { return frame.Height(); }
};

// The exact bounds of an outline's area (curve extremes, not control points).
struct OutlineBounds {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};
// Throws nothing; `outline` is not empty.
OutlineBounds BoundsOf(const Outline& outline);

// The pixels a shape can touch: every pixel its bounds overlap.
PixelRect InkPixels(const Outline& outline);

// Draws the picture's shapes and frames them; `inks` are the metrics the line was laid out with,
// which place the accents. Throws a Failure for a picture with nothing to draw, as the bitmap
// picture does.
VectorPicture DrawVectorPicture(const ClipboardPicture& picture, const GlyphOutlines& outlines,
                                const GlyphMetrics& inks);

}  // namespace kav
