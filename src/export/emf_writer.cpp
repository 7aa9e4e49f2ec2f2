#include "export/emf_writer.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/failure.h"

namespace kav {
namespace {

// Record types (MS-EMF 2.1.1).
enum : uint32_t {
  kHeader = 1,
  kPolyBezierTo = 5,
  kPolyLineTo = 6,
  kEof = 14,
  kSetWindowExtEx = 9,
  kSetViewportExtEx = 11,
  kSetMapMode = 17,
  kSetPolyFillMode = 19,
  kMoveToEx = 27,
  kSelectObject = 37,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
};

constexpr uint32_t kMmAnisotropic = 8;
constexpr uint32_t kWinding = 2;
constexpr uint32_t kNullPen = 0x80000008;    // the stock object NULL_PEN
constexpr uint32_t kNullBrush = 0x80000005;  // NULL_BRUSH, selected before a brush is deleted
constexpr uint32_t kBrushSlot = 1;           // handle 0 stands for the metafile itself
constexpr uint32_t kHeaderSize = 108;        // with both header extensions

// A 96-dpi reference device of 1920 x 1440 pixels is exactly 508 x 381 mm.
constexpr int32_t kDevicePixelsX = 1920, kDevicePixelsY = 1440;
constexpr int32_t kDeviceMmX = 508, kDeviceMmY = 381;

struct Point {
  int32_t x, y;
};

// Little-endian words appended to a buffer reserved up front; the records are many and small.
class Words {
 public:
  void U32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    bytes_.insert(bytes_.end(), b, b + 4);
  }
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void PatchU32(size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes_[at + k] = static_cast<uint8_t>(v >> (8 * k));
  }
  void Reserve(size_t n) { bytes_.reserve(n); }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

class EmfRecords {
 public:
  Words out;
  uint32_t count = 0;

  // Starts a record; its size is patched by End.
  size_t Begin(uint32_t type) {
    const size_t at = out.Size();
    out.U32(type);
    out.U32(0);
    ++count;
    return at;
  }
  void End(size_t at) { out.PatchU32(at + 4, static_cast<uint32_t>(out.Size() - at)); }
  void Simple(uint32_t type, std::initializer_list<uint32_t> values) {
    const size_t at = Begin(type);
    for (uint32_t v : values) out.U32(v);
    End(at);
  }
  void Rect(int32_t l, int32_t t, int32_t r, int32_t b) {
    for (int32_t v : {l, t, r, b}) out.U32(static_cast<uint32_t>(v));
  }
};

// Rounds half away from zero without a library call; the values are far inside int32_t.
int32_t Nearest(double v) {
  return static_cast<int32_t>(v + (v >= 0 ? 0.5 : -0.5));
}

Point ToUnits(OutlinePoint p, double dx, double dy) {
  return {Nearest((p.x + dx) * kEmfUnitsPerPixel), Nearest((p.y + dy) * kEmfUnitsPerPixel)};
}

// The device pixels (inclusive) that a run of points in logical units touches.
void DeviceBounds(EmfRecords& r, const std::vector<Point>& points) {
  int32_t l = INT32_MAX, t = INT32_MAX, right = INT32_MIN, b = INT32_MIN;
  for (const Point& p : points) {
    l = std::min(l, p.x);
    t = std::min(t, p.y);
    right = std::max(right, p.x);
    b = std::max(b, p.y);
  }
  const auto down = [](int32_t v) {
    return static_cast<int32_t>(std::floor(v / double(kEmfUnitsPerPixel)));
  };
  r.Rect(down(l), down(t), down(right), down(b));
}

void PolyTo(EmfRecords& r, uint32_t type, const std::vector<Point>& points) {
  const size_t at = r.Begin(type);
  DeviceBounds(r, points);
  r.out.U32(static_cast<uint32_t>(points.size()));
  for (const Point& p : points) {
    r.out.U32(static_cast<uint32_t>(p.x));
    r.out.U32(static_cast<uint32_t>(p.y));
  }
  r.End(at);
}

// The contours of one outline as MoveToEx, runs of PolyLineTo and PolyBezierTo (quadratic pieces
// raised to cubics, which is exact) and CloseFigure.
void WriteOutline(EmfRecords& r, const Outline& outline, double dx, double dy) {
  std::vector<Point> run;
  uint32_t runType = 0;
  const auto flush = [&] {
    if (!run.empty()) PolyTo(r, runType, run);
    run.clear();
  };
  const auto add = [&](uint32_t type, std::initializer_list<Point> points) {
    if (type != runType) flush();
    runType = type;
    run.insert(run.end(), points);
  };
  size_t k = 0;
  Point current{0, 0};
  const auto& p = outline.points;
  for (const OutlineVerb verb : outline.verbs) {
    switch (verb) {
      case OutlineVerb::Move:
        flush();
        current = ToUnits(p[k], dx, dy);
        r.Simple(kMoveToEx, {static_cast<uint32_t>(current.x), static_cast<uint32_t>(current.y)});
        break;
      case OutlineVerb::Line:
        current = ToUnits(p[k], dx, dy);
        add(kPolyLineTo, {current});
        break;
      case OutlineVerb::Quad: {
        const Point c = ToUnits(p[k], dx, dy), e = ToUnits(p[k + 1], dx, dy);
        const auto third = [](int32_t from, int32_t to) {
          return from + Nearest((to - from) * 2.0 / 3.0);
        };
        add(kPolyBezierTo, {{third(current.x, c.x), third(current.y, c.y)},
                            {third(e.x, c.x), third(e.y, c.y)},
                            e});
        current = e;
        break;
      }
      case OutlineVerb::Cubic:
        current = ToUnits(p[k + 2], dx, dy);
        add(kPolyBezierTo, {ToUnits(p[k], dx, dy), ToUnits(p[k + 1], dx, dy), current});
        break;
      case OutlineVerb::Close:
        flush();
        r.Simple(kCloseFigure, {});
        break;
    }
    k += PointsOf(verb);
  }
  flush();
}

void ReleaseBrush(EmfRecords& r) {
  r.Simple(kSelectObject, {kNullBrush});
  r.Simple(kDeleteObject, {kBrushSlot});
}

uint32_t ColorRef(Rgb c) {
  return c.r | (c.g << 8) | (uint32_t{c.b} << 16);
}

void WriteHeader(Words& out, int32_t width, int32_t height) {
  out.U32(kHeader);
  out.U32(kHeaderSize);
  for (int32_t v : {0, 0, width - 1, height - 1}) out.U32(static_cast<uint32_t>(v));  // bounds
  for (int32_t v : {0, 0, EmfFrameSize(width), EmfFrameSize(height)})
    out.U32(static_cast<uint32_t>(v));
  out.U32(0x464D4520);  // " EMF"
  out.U32(0x00010000);
  out.U32(0);  // bytes, patched
  out.U32(0);  // records, patched
  out.U16(2);  // handles: the metafile and the brush
  out.U16(0);
  out.U32(0);  // no description
  out.U32(0);
  out.U32(0);  // no palette
  for (int32_t v : {kDevicePixelsX, kDevicePixelsY, kDeviceMmX, kDeviceMmY}) out.U32(v);
  out.U32(0);  // no pixel format
  out.U32(0);
  out.U32(0);  // not OpenGL
  out.U32(kDeviceMmX * 1000);
  out.U32(kDeviceMmY * 1000);
}

}  // namespace

int32_t EmfFrameSize(int32_t pixels) {
  return static_cast<int32_t>((int64_t{pixels} * 2540 + 48) / 96);
}

std::vector<uint8_t> WriteEmf(const VectorPicture& picture) {
  const int32_t width = picture.Width(), height = picture.Height();
  if (width <= 0 || height <= 0 || int64_t{width} * kEmfUnitsPerPixel > INT32_MAX / 2 ||
      int64_t{height} * kEmfUnitsPerPixel > INT32_MAX / 2) {
    Fail(u"The picture is too large for a metafile");
  }
  EmfRecords r;
  size_t points = 0;
  for (const Shape& shape : picture.shapes) points += shape.outline.points.size();
  r.out.Reserve(512 + picture.shapes.size() * 160 + points * 12);
  WriteHeader(r.out, width, height);
  r.count = 1;
  r.Simple(kSetMapMode, {kMmAnisotropic});
  r.Simple(kSetWindowExtEx, {static_cast<uint32_t>(width * kEmfUnitsPerPixel),
                             static_cast<uint32_t>(height * kEmfUnitsPerPixel)});
  r.Simple(kSetViewportExtEx, {static_cast<uint32_t>(width), static_cast<uint32_t>(height)});
  r.Simple(kSetPolyFillMode, {kWinding});
  r.Simple(kSelectObject, {kNullPen});
  const double dx = -picture.frame.left, dy = -picture.frame.top;
  bool haveBrush = false;
  Rgb brush;
  for (const Shape& shape : picture.shapes) {
    if (!haveBrush || !(brush == shape.colour)) {
      if (haveBrush) ReleaseBrush(r);
      r.Simple(kCreateBrushIndirect, {kBrushSlot, 0 /* BS_SOLID */, ColorRef(shape.colour), 0});
      r.Simple(kSelectObject, {kBrushSlot});
      haveBrush = true;
      brush = shape.colour;
    }
    r.Simple(kBeginPath, {});
    WriteOutline(r, shape.outline, dx, dy);
    r.Simple(kEndPath, {});
    const size_t at = r.Begin(kFillPath);
    r.Rect(0, 0, width - 1, height - 1);
    r.End(at);
  }
  if (haveBrush) ReleaseBrush(r);
  r.Simple(kEof, {0, 16, 20});
  r.out.PatchU32(48, static_cast<uint32_t>(r.out.Size()));
  r.out.PatchU32(52, r.count);
  return r.out.Take();
}

}  // namespace kav
