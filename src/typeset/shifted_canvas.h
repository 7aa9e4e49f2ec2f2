// A canvas that moves everything drawn on it by a fixed offset before passing it on, so that a
// drawing made for the origin can be placed anywhere on a larger surface.
#pragma once
#include <cstdint>

#include "platform/canvas.h"

namespace kav {

class ShiftedCanvas final : public Canvas {
 public:
  ShiftedCanvas(Canvas& target, int32_t dx, int32_t dy) : target(target), dx(dx), dy(dy) {}

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
            Rgb colour) override {
    target.Line(x1 + dx, y1 + dy, x2 + dx, y2 + dy, thickness, colour);
  }
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) override {
    target.Glyph(font, unit, x + dx, y + dy, colour);
  }
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) override {
    target.GlyphById(font, glyph, x + dx, y + dy, colour);
  }
  GlyphInk Ink(FontKey font, char16_t unit) const override { return target.Ink(font, unit); }

 private:
  Canvas& target;
  int32_t dx;
  int32_t dy;
};

}  // namespace kav
