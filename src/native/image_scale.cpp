#include <algorithm>
#include <array>

#include "native/rgba_image.h"

namespace kav {
namespace {

// How much of source cell [cell, cell + 1) lies inside [from, to).
double Overlap(int32_t cell, double from, double to) {
  return std::max(0.0, std::min(to, cell + 1.0) - std::max(from, static_cast<double>(cell)));
}

void AveragePixel(const RgbaImage& source, double x0, double x1, double y0, double y1,
                  uint8_t* out) {
  std::array<double, 4> sum{};  // premultiplied red, green, blue, and alpha
  for (int32_t sy = static_cast<int32_t>(y0); sy < source.height && sy < y1; ++sy) {
    const double wy = Overlap(sy, y0, y1);
    for (int32_t sx = static_cast<int32_t>(x0); sx < source.width && sx < x1; ++sx) {
      const double weight = wy * Overlap(sx, x0, x1);
      const uint8_t* p = source.At(sx, sy);
      const double alpha = p[3] * weight;
      for (int c = 0; c < 3; ++c) sum[c] += p[c] * alpha;
      sum[3] += alpha;
    }
  }
  const double area = (x1 - x0) * (y1 - y0);
  for (int c = 0; c < 3; ++c) {
    out[c] = static_cast<uint8_t>(sum[3] > 0 ? sum[c] / sum[3] + 0.5 : 0);
  }
  out[3] = static_cast<uint8_t>(std::min(255.0, sum[3] / area + 0.5));
}

}  // namespace

RgbaImage ScaleImage(const RgbaImage& source, int32_t width, int32_t height) {
  RgbaImage scaled(std::max(width, 0), std::max(height, 0), Rgb{}, 0);
  if (source.width <= 0 || source.height <= 0) return scaled;
  const double sx = static_cast<double>(source.width) / std::max(width, 1);
  const double sy = static_cast<double>(source.height) / std::max(height, 1);
  for (int32_t y = 0; y < scaled.height; ++y) {
    for (int32_t x = 0; x < scaled.width; ++x) {
      AveragePixel(source, x * sx, (x + 1) * sx, y * sy, (y + 1) * sy, scaled.At(x, y));
    }
  }
  return scaled;
}

}  // namespace kav
