#include "native/raster_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace kav {
namespace {

// Rounds a / b to the nearest integer, halves upward; b > 0.
int32_t RoundDiv(int64_t a, int64_t b) {
  const int64_t twice = 2 * a + b;
  return static_cast<int32_t>(twice >= 0 ? twice / (2 * b) : -((-twice + 2 * b - 1) / (2 * b)));
}

}  // namespace

RasterCanvas::RasterCanvas(int32_t width, int32_t height, Rgb background,
                           const FreeTypeFonts& fonts)
    : image_(width, height, background, 255), fonts_(fonts) {}

void RasterCanvas::Blend(int32_t x, int32_t y, Rgb colour, uint32_t alpha) {
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height || alpha == 0) return;
  uint8_t* p = image_.At(x, y);
  const uint32_t keep = 255 - alpha;
  p[0] = static_cast<uint8_t>((colour.r * alpha + p[0] * keep + 127) / 255);
  p[1] = static_cast<uint8_t>((colour.g * alpha + p[1] * keep + 127) / 255);
  p[2] = static_cast<uint8_t>((colour.b * alpha + p[2] * keep + 127) / 255);
  p[3] = static_cast<uint8_t>(alpha + (p[3] * keep + 127) / 255);
}

// A one-pixel pen steps along the major axis and leaves the end point out, as LineTo does. A
// two-pixel pen covers the pixels whose centres lie within one pixel of the segment, end
// points included with round caps, which is what a wide GDI pen gives for these segments.
void RasterCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
                        Rgb colour) {
  const int64_t dx = x2 - x1, dy = y2 - y1;
  if (thickness <= 1) {
    const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    for (int64_t i = 0; i < steps; ++i) {
      Blend(x1 + RoundDiv(i * dx, steps), y1 + RoundDiv(i * dy, steps), colour, 255);
    }
    return;
  }
  const double radius = thickness / 2.0;
  const double length2 = static_cast<double>(dx * dx + dy * dy);
  const int32_t reach = thickness;
  for (int32_t y = std::min(y1, y2) - reach; y <= std::max(y1, y2) + reach; ++y) {
    for (int32_t x = std::min(x1, x2) - reach; x <= std::max(x1, x2) + reach; ++x) {
      const double px = x + 0.5 - x1, py = y + 0.5 - y1;
      double t = length2 > 0 ? (px * dx + py * dy) / length2 : 0.0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = px - t * dx, ey = py - t * dy;
      if (ex * ex + ey * ey < radius * radius) Blend(x, y, colour, 255);
    }
  }
}

void RasterCanvas::Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) {
  Coverage(fonts_.Render(font, unit), x, y, colour);
}

void RasterCanvas::GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) {
  Coverage(fonts_.RenderById(font, glyph), x, y, colour);
}

void RasterCanvas::Coverage(const GlyphCoverage& glyph, int32_t x, int32_t y, Rgb colour) {
  for (int32_t row = 0; row < glyph.height; ++row) {
    for (int32_t column = 0; column < glyph.width; ++column) {
      Blend(x + glyph.left + column, y + glyph.top + row, colour,
            glyph.alpha[static_cast<size_t>(row) * glyph.width + column]);
    }
  }
}

}  // namespace kav
