// What painting asks of a platform: line segments and single glyphs, by unit or by glyph index.
#pragma once
#include <cstdint>

#include "base/failure.h"
#include "platform/glyph_metrics.h"

namespace kav {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // A solid segment `thickness` pixels wide from (x1, y1) to (x2, y2), end point excluded as
  // with MoveToEx/LineTo.
  virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
                    Rgb colour) = 0;
  // One unit of text with its cell's top-left corner at (x, y), transparent background.
  virtual void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) = 0;
  // The ink `Glyph` lays down for the unit, relative to the cell's top-left corner; empty when
  // the canvas cannot tell (accents then keep their fixed heights). Every canvas answers for
  // itself: one that stayed silent would draw accents away from where the layout put them.
  virtual GlyphInk Ink(FontKey font, char16_t unit) const = 0;
  // One glyph of the math face (FontFace::Math) by glyph index, placed as Glyph places a unit:
  // cell's top-left corner at (x, y), baseline GlyphMetrics::Ascent below it.
  virtual void GlyphById(FontKey /*font*/, uint16_t /*glyph*/, int32_t /*x*/, int32_t /*y*/,
                         Rgb /*colour*/) {
    Fail(u"Canvas: no glyph indices");
  }
};

}  // namespace kav
