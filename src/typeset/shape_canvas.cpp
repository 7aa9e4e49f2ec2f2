#include "typeset/shape_canvas.h"

#include <cmath>
#include <cstdlib>

namespace kav {
namespace {

// A quarter circle as one cubic: the control points lie this far along the tangents.
constexpr double kQuarterArc = 0.5522847498;

// Half a circle of radius `r` around `c` from c + n*r through c + u*r to c - n*r.
void HalfTurn(Outline& outline, OutlinePoint c, OutlinePoint u, OutlinePoint n, double r) {
  const auto at = [&](double a, OutlinePoint p, double b, OutlinePoint q) {
    return OutlinePoint{c.x + a * p.x + b * q.x, c.y + a * p.y + b * q.y};
  };
  const double k = kQuarterArc * r;
  outline.CubicTo(at(r, n, k, u), at(k, n, r, u), at(0, n, r, u));
  outline.CubicTo(at(-k, n, r, u), at(-r, n, k, u), at(-r, n, 0, u));
}

}  // namespace

Outline ThinSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t dx = x2 - x1, dy = y2 - y1;
  Outline outline;
  if (dx == 0 && dy == 0) return outline;
  // Pixel i is the cell at the start plus i steps, so along the major axis the cells span from
  // the start to the end point (one cell later when stepping backwards), and across it the band
  // is one pixel wide around the line through the cells' centres.
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const int32_t major1 = alongX ? x1 : y1, major2 = alongX ? x2 : y2;
  const int32_t minor1 = alongX ? y1 : x1;
  const double slope = alongX ? static_cast<double>(dy) / dx : static_cast<double>(dx) / dy;
  const int32_t back = major2 < major1 ? 1 : 0;
  const auto at = [&](int32_t major, double across) {
    const double minor = minor1 + slope * (major + back - major1 - 0.5) + across;
    const double m = major + back;
    return alongX ? OutlinePoint{m, minor} : OutlinePoint{minor, m};
  };
  outline.MoveTo(at(major1, 0));
  outline.LineTo(at(major2, 0));
  outline.LineTo(at(major2, 1));
  outline.LineTo(at(major1, 1));
  outline.Close();
  return outline;
}

Outline ThickSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double length = std::hypot(dx, dy);
  const OutlinePoint u = length > 0 ? OutlinePoint{dx / length, dy / length} : OutlinePoint{1, 0};
  const OutlinePoint n{-u.y, u.x};
  const OutlinePoint a{double(x1), double(y1)}, b{double(x2), double(y2)};
  const OutlinePoint minusU{-u.x, -u.y}, minusN{-n.x, -n.y};
  Outline outline;
  outline.MoveTo({a.x + n.x, a.y + n.y});
  outline.LineTo({b.x + n.x, b.y + n.y});
  HalfTurn(outline, b, u, n, 1.0);
  outline.LineTo({a.x - n.x, a.y - n.y});
  HalfTurn(outline, a, minusU, minusN, 1.0);
  outline.Close();
  return outline;
}

void ShapeCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
                       Rgb colour) {
  Outline outline = thickness <= 1 ? ThinSegment(x1, y1, x2, y2) : ThickSegment(x1, y1, x2, y2);
  if (!outline.Empty()) shapes_.push_back(Shape{colour, std::move(outline)});
}

void ShapeCanvas::Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) {
  Place(outlines_.GlyphOutline(font, unit), x, y, colour);
}

void ShapeCanvas::GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) {
  Place(outlines_.GlyphOutlineById(font, glyph), x, y, colour);
}

void ShapeCanvas::Place(Outline outline, int32_t x, int32_t y, Rgb colour) {
  if (outline.Empty()) return;
  for (OutlinePoint& p : outline.points) {
    p.x += x;
    p.y += y;
  }
  shapes_.push_back(Shape{colour, std::move(outline)});
}

}  // namespace kav
