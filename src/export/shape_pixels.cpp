#include "export/shape_pixels.h"

#include <algorithm>
#include <cmath>

#include "base/failure.h"

namespace kav {
namespace {

// Far beyond any formula at the largest scale; keeps a runaway line from asking for gigabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 28;
// How far a flattened curve may stray from the true one, in device pixels: well below what an
// 8-bit coverage can show.
constexpr double kFlatness = 0.02;
constexpr int32_t kMaxPieces = 256;

struct Point {
  double x = 0;
  double y = 0;
};

Point Lerp(Point a, Point b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Pieces for a curve whose control points bend by `bend` (the largest second difference): each
// of n chords strays from a cubic by at most 3 bend / (4 n^2), from a quadratic by a third of
// that, so this count keeps both within kFlatness.
int32_t Pieces(double bend) {
  const double n = std::ceil(std::sqrt(0.75 * bend / kFlatness));
  return std::clamp(static_cast<int32_t>(n), 1, kMaxPieces);
}

void AddQuad(std::vector<Point>& polygon, Point c, Point p1) {
  const Point p0 = polygon.back();
  const int32_t n = Pieces(Distance(Lerp(p0, p1, 0.5), c) * 2);
  for (int32_t i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    polygon.push_back(Lerp(Lerp(p0, c, t), Lerp(c, p1, t), t));
  }
}

void AddCubic(std::vector<Point>& polygon, Point c1, Point c2, Point p1) {
  const Point p0 = polygon.back();
  const double bend =
      std::max(Distance(Lerp(p0, c2, 0.5), c1), Distance(Lerp(c1, p1, 0.5), c2)) * 2;
  const int32_t n = Pieces(bend);
  for (int32_t i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const Point a = Lerp(p0, c1, t), b = Lerp(c1, c2, t), c = Lerp(c2, p1, t);
    polygon.push_back(Lerp(Lerp(a, b, t), Lerp(b, c, t), t));
  }
}

// The outline in device pixels as closed polygons, relative to the buffer's top-left corner.
std::vector<std::vector<Point>> Flatten(const Outline& outline, double scale, double dx,
                                        double dy) {
  std::vector<std::vector<Point>> polygons;
  size_t k = 0;
  const auto next = [&] {
    const OutlinePoint p = outline.points[k++];
    return Point{(p.x + dx) * scale, (p.y + dy) * scale};
  };
  for (const OutlineVerb verb : outline.verbs) {
    if (verb == OutlineVerb::Move) polygons.push_back({});
    if (polygons.empty()) {  // a contour without its move: skipped whole
      k += PointsOf(verb);
      continue;
    }
    std::vector<Point>& polygon = polygons.back();
    switch (verb) {
      case OutlineVerb::Move:
      case OutlineVerb::Line: polygon.push_back(next()); break;
      case OutlineVerb::Quad: {
        const Point c = next();
        AddQuad(polygon, c, next());
        break;
      }
      case OutlineVerb::Cubic: {
        const Point c1 = next(), c2 = next();
        AddCubic(polygon, c1, c2, next());
        break;
      }
      case OutlineVerb::Close: break;
    }
  }
  return polygons;
}

// Signed area deltas of one shape over a window of rows: summed along a row, they give how much
// of each pixel the shape covers, signed by the winding of the edges that pass beside it.
class AreaCells {
 public:
  AreaCells(int32_t left, int32_t top, int32_t width, int32_t height)
      : left(left),
        top(top),
        width(width),
        height(height),
        cells(static_cast<size_t>(width + 2) * height) {}

  void Edge(Point a, Point b);
  // The coverage (0 to 255) of every pixel of the window, row by row.
  template <typename Visit>
  void Each(Visit visit) const;

 private:
  void Add(int32_t row, int32_t x, double value) {
    cells[static_cast<size_t>(row) * (width + 2) + std::clamp(x, 0, width + 1)] += value;
  }
  void Row(int32_t row, double x, double xNext, double d);

  int32_t left, top, width, height;
  std::vector<double> cells;
};

// One edge's share of one row: `d` is the height it spans there (signed by its direction), and
// it runs from x to xNext across the row. Each pixel gets the part of d to its right of the
// edge, the pixel after it the rest, so that a running sum along the row is the coverage.
void AreaCells::Row(int32_t row, double x, double xNext, double d) {
  const double x0 = std::min(x, xNext), x1 = std::max(x, xNext);
  const double x0floor = std::floor(x0), x1ceil = std::ceil(x1);
  const auto x0i = static_cast<int32_t>(x0floor), x1i = static_cast<int32_t>(x1ceil);
  if (x1i <= x0i + 1) {
    const double middle = 0.5 * (x + xNext) - x0floor;
    Add(row, x0i, d - d * middle);
    Add(row, x0i + 1, d * middle);
    return;
  }
  // Across several pixels: the area right of the edge in each, as a trapezoid of the edge's
  // run over its width.
  const double s = 1.0 / (x1 - x0);
  const double x0f = x0 - x0floor, x1f = x1 - x1ceil + 1.0;
  const double first = 0.5 * s * (1.0 - x0f) * (1.0 - x0f), last = 0.5 * s * x1f * x1f;
  Add(row, x0i, d * first);
  if (x1i == x0i + 2) {
    Add(row, x0i + 1, d * (1.0 - first - last));
  } else {
    const double second = s * (1.5 - x0f);
    Add(row, x0i + 1, d * (second - first));
    for (int32_t xi = x0i + 2; xi < x1i - 1; ++xi) Add(row, xi, d * s);
    Add(row, x1i - 1, d * (1.0 - second - (x1i - x0i - 3) * s - last));
  }
  Add(row, x1i, d * last);
}

void AreaCells::Edge(Point a, Point b) {
  a = {a.x - left, a.y - top};
  b = {b.x - left, b.y - top};
  if (a.y == b.y) return;
  const double direction = a.y < b.y ? 1.0 : -1.0;
  if (a.y > b.y) std::swap(a, b);
  const double dxdy = (b.x - a.x) / (b.y - a.y);
  const double yStart = std::max(a.y, 0.0);
  double x = a.x + (yStart - a.y) * dxdy;
  const int32_t last = std::min(height, static_cast<int32_t>(std::ceil(b.y)));
  for (int32_t row = static_cast<int32_t>(std::floor(yStart)); row < last; ++row) {
    const double dy = std::min(row + 1.0, b.y) - std::max(static_cast<double>(row), a.y);
    const double xNext = x + dxdy * dy;
    Row(row, x, xNext, dy * direction);
    x = xNext;
  }
}

template <typename Visit>
void AreaCells::Each(Visit visit) const {
  for (int32_t row = 0; row < height; ++row) {
    double sum = 0;
    for (int32_t x = 0; x < width; ++x) {
      sum += cells[static_cast<size_t>(row) * (width + 2) + x];
      const double coverage = std::min(1.0, std::abs(sum));
      const auto alpha = static_cast<uint32_t>(std::lround(coverage * 255));
      if (alpha > 0) visit(left + x, top + row, alpha);
    }
  }
}

void FillShape(const std::vector<std::vector<Point>>& polygons, Rgb colour, int32_t width,
               int32_t height, std::span<uint8_t> rgba) {
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const auto& polygon : polygons) {
    for (const Point p : polygon) {
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
  }
  if (!(minX < maxX && minY < maxY)) return;
  const auto left = static_cast<int32_t>(std::floor(std::max(minX, -1.0)));
  const auto top = static_cast<int32_t>(std::floor(std::max(minY, -1.0)));
  const auto right = static_cast<int32_t>(std::ceil(std::min(maxX, width + 1.0)));
  const auto bottom = static_cast<int32_t>(std::ceil(std::min(maxY, height + 1.0)));
  if (right <= left || bottom <= top) return;
  AreaCells cells(left, top, right - left, bottom - top);
  for (const auto& polygon : polygons) {
    for (size_t i = 0; i < polygon.size(); ++i) {
      cells.Edge(polygon[i], polygon[(i + 1) % polygon.size()]);
    }
  }
  cells.Each([&](int32_t x, int32_t y, uint32_t alpha) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
      BlendOver(&rgba[(static_cast<size_t>(y) * width + x) * 4], colour, alpha);
    }
  });
}

}  // namespace

void BlendOver(uint8_t* p, Rgb colour, uint32_t alpha) {
  const uint32_t keep = (p[3] * (255 - alpha) + 127) / 255;
  const uint32_t out = alpha + keep;
  if (out == 0) return;
  const auto mix = [&](uint8_t ink, uint8_t old) {
    return static_cast<uint8_t>((ink * alpha + old * keep + out / 2) / out);
  };
  p[0] = mix(colour.r, p[0]);
  p[1] = mix(colour.g, p[1]);
  p[2] = mix(colour.b, p[2]);
  p[3] = static_cast<uint8_t>(out);
}

void FillShapes(const VectorPicture& picture, int32_t scale, std::span<uint8_t> rgba) {
  const int32_t width = picture.Width() * scale, height = picture.Height() * scale;
  if (rgba.size() != static_cast<size_t>(width) * height * 4) {
    Fail(u"The picture's pixels do not fit its size");
  }
  for (const Shape& shape : picture.shapes) {
    const auto polygons = Flatten(shape.outline, scale, -picture.frame.left, -picture.frame.top);
    FillShape(polygons, shape.colour, width, height, rgba);
  }
}

std::vector<uint8_t> ShapePixels(const VectorPicture& picture, int32_t scale, bool transparent,
                                 Rgb background) {
  const int64_t width = int64_t{picture.Width()} * scale,
                height = int64_t{picture.Height()} * scale;
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) {
    Fail(u"The line is too large for a picture");
  }
  std::vector<uint8_t> rgba(static_cast<size_t>(width * height) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = background.r;
    rgba[i + 1] = background.g;
    rgba[i + 2] = background.b;
    rgba[i + 3] = transparent ? 0 : 255;
  }
  FillShapes(picture, scale, rgba);
  return rgba;
}

}  // namespace kav
