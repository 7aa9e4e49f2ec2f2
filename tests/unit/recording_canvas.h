// A canvas that writes down every call, for painting tests.
#pragma once
#include <map>
#include <vector>

#include "platform/canvas.h"

namespace kav {

struct DrawCall {
  enum Kind { Line, Glyph, GlyphById } kind = Line;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t thickness = 0;
  Rgb colour;
  FontKey font;
  char16_t unit = 0;
  uint16_t glyph = 0;  // GlyphById: the glyph index
};

class RecordingCanvas final : public Canvas {
 public:
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
            Rgb colour) override {
    calls.push_back({DrawCall::Line, x1, y1, x2, y2, thickness, colour, {}, 0});
  }
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) override {
    calls.push_back({DrawCall::Glyph, x, y, 0, 0, 0, colour, font, unit});
  }
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) override {
    calls.push_back({DrawCall::GlyphById, x, y, 0, 0, 0, colour, font, 0, glyph});
  }
  // Unknown unless set for the unit (any font), as a canvas that cannot tell.
  GlyphInk Ink(FontKey, char16_t unit) const override {
    auto found = inks.find(unit);
    return found != inks.end() ? found->second : GlyphInk{};
  }
  std::vector<DrawCall> calls;
  std::map<char16_t, GlyphInk> inks;
};

}  // namespace kav
