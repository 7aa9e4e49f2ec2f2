#include "typeset/vector_picture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/failure.h"
#include "base/utf.h"

namespace kav {
namespace {

void Include(OutlineBounds& b, OutlinePoint p) {
  b.left = std::min(b.left, p.x);
  b.right = std::max(b.right, p.x);
  b.top = std::min(b.top, p.y);
  b.bottom = std::max(b.bottom, p.y);
}

// Where a quadratic's coordinate a, b, c turns: t with zero derivative, or -1 for none inside.
double QuadTurn(double a, double b, double c) {
  const double d = a - 2 * b + c;
  if (d == 0) return -1;
  const double t = (a - b) / d;
  return t > 0 && t < 1 ? t : -1;
}

OutlinePoint QuadAt(OutlinePoint p0, OutlinePoint p1, OutlinePoint p2, double t) {
  const double s = 1 - t;
  return {s * s * p0.x + 2 * s * t * p1.x + t * t * p2.x,
          s * s * p0.y + 2 * s * t * p1.y + t * t * p2.y};
}

OutlinePoint CubicAt(const OutlinePoint* p, double t) {
  const double s = 1 - t;
  const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
  return {a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
          a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y};
}

// The t in (0, 1) where one coordinate of a cubic turns (its derivative's roots).
int32_t CubicTurns(double p0, double p1, double p2, double p3, double* roots) {
  const double a = -p0 + 3 * p1 - 3 * p2 + p3, b = 2 * (p0 - 2 * p1 + p2), c = p1 - p0;
  double found[2];
  int32_t count = 0;
  if (std::abs(a) < 1e-12) {
    if (std::abs(b) > 1e-12) found[count++] = -c / b;
  } else {
    const double disc = b * b - 4 * a * c;
    if (disc >= 0) {
      const double root = std::sqrt(disc);
      found[count++] = (-b + root) / (2 * a);
      found[count++] = (-b - root) / (2 * a);
    }
  }
  int32_t inside = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (found[i] > 0 && found[i] < 1) roots[inside++] = found[i];
  }
  return inside;
}

void IncludeCubic(OutlineBounds& b, const OutlinePoint* p) {
  Include(b, p[3]);
  double roots[2];
  for (int32_t axis = 0; axis < 2; ++axis) {
    const auto c = [&](int32_t i) { return axis == 0 ? p[i].x : p[i].y; };
    const int32_t n = CubicTurns(c(0), c(1), c(2), c(3), roots);
    for (int32_t i = 0; i < n; ++i) Include(b, CubicAt(p, roots[i]));
  }
}

}  // namespace

OutlineBounds BoundsOf(const Outline& outline) {
  const OutlinePoint first = outline.points.front();
  OutlineBounds b{first.x, first.y, first.x, first.y};
  OutlinePoint current = first;
  size_t k = 0;
  for (const OutlineVerb verb : outline.verbs) {
    const OutlinePoint* p = &outline.points[k];
    if (verb == OutlineVerb::Quad) {
      Include(b, p[1]);
      const double tx = QuadTurn(current.x, p[0].x, p[1].x);
      const double ty = QuadTurn(current.y, p[0].y, p[1].y);
      if (tx > 0) Include(b, QuadAt(current, p[0], p[1], tx));
      if (ty > 0) Include(b, QuadAt(current, p[0], p[1], ty));
    } else if (verb == OutlineVerb::Cubic) {
      const OutlinePoint cubic[4] = {current, p[0], p[1], p[2]};
      IncludeCubic(b, cubic);
    } else if (verb != OutlineVerb::Close) {
      Include(b, p[0]);
    }
    k += PointsOf(verb);
    if (PointsOf(verb) > 0) current = outline.points[k - 1];
  }
  return b;
}

// A whisker of slack keeps an edge that lies on a pixel boundary from claiming the next pixel.
PixelRect InkPixels(const Outline& outline) {
  constexpr double kSlack = 1e-6;
  const OutlineBounds b = BoundsOf(outline);
  return {static_cast<int32_t>(std::floor(b.left + kSlack)),
          static_cast<int32_t>(std::floor(b.top + kSlack)),
          static_cast<int32_t>(std::ceil(b.right - kSlack)),
          static_cast<int32_t>(std::ceil(b.bottom - kSlack))};
}

VectorPicture DrawVectorPicture(const ClipboardPicture& picture, const GlyphOutlines& outlines,
                                const GlyphMetrics& inks) {
  if (picture.width <= 0 || picture.height <= 0) {
    Fail(u"Nothing to draw: the line is " + Ascii16(std::to_string(picture.width)) + u" x " +
         Ascii16(std::to_string(picture.height)) + u" pixels");
  }
  ShapeCanvas canvas(outlines, inks);
  picture.draw(canvas);
  VectorPicture result;
  result.shapes = canvas.TakeShapes();
  PixelRect ink;
  for (const Shape& shape : result.shapes) ink = Union(ink, InkPixels(shape.outline));
  result.frame = PictureFrame(picture.width, picture.height, ink);
  return result;
}

}  // namespace kav
