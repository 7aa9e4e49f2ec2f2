// What vector pictures ask of a platform: the outline of one glyph in one of the program's fonts,
// by unit or by glyph index. Coordinates are layout pixels with y growing downward, so outlines
// drop onto the same grid as the canvas.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "base/failure.h"
#include "platform/glyph_metrics.h"

namespace kav {

struct OutlinePoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};

// Move and Line take one point, Quad two (control, end), Cubic three (two controls, end), Close
// none. Every contour starts with Move and ends with Close; filled with the non-zero rule.
enum class OutlineVerb : uint8_t { Move, Line, Quad, Cubic, Close };

struct Outline {
  std::vector<OutlineVerb> verbs;
  std::vector<OutlinePoint> points;

  void MoveTo(OutlinePoint p) { Add(OutlineVerb::Move, {p}); }
  void LineTo(OutlinePoint p) { Add(OutlineVerb::Line, {p}); }
  void QuadTo(OutlinePoint c, OutlinePoint p) { Add(OutlineVerb::Quad, {c, p}); }
  void CubicTo(OutlinePoint c1, OutlinePoint c2, OutlinePoint p) {
    Add(OutlineVerb::Cubic, {c1, c2, p});
  }
  void Close() { verbs.push_back(OutlineVerb::Close); }
  bool Empty() const { return verbs.empty(); }

 private:
  void Add(OutlineVerb verb, std::initializer_list<OutlinePoint> taken) {
    verbs.push_back(verb);
    points.insert(points.end(), taken);
  }
};

// How many points a verb takes.
constexpr int32_t PointsOf(OutlineVerb verb) {
  switch (verb) {
    case OutlineVerb::Move:
    case OutlineVerb::Line: return 1;
    case OutlineVerb::Quad: return 2;
    case OutlineVerb::Cubic: return 3;
    case OutlineVerb::Close: return 0;
  }
  return 0;
}

class GlyphOutlines {
 public:
  virtual ~GlyphOutlines() = default;
  // The unhinted outline of `unit` drawn in `font`, relative to the top-left corner of its cell,
  // exactly where Canvas::Glyph puts the glyph. Empty for a glyph with no ink (a space).
  virtual Outline GlyphOutline(FontKey font, char16_t unit) const = 0;
  // The outline of a glyph of the math face by glyph index, placed as GlyphOutline places a unit.
  virtual Outline GlyphOutlineById(FontKey /*font*/, uint16_t /*glyph*/) const {
    Fail(u"GlyphOutlines: no glyph indices");
  }
};

}  // namespace kav
