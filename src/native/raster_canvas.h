// A Canvas that paints into an RGBA picture in memory: FreeType glyphs blended by their
// coverage and pen lines with GDI's pixel coverage.
#pragma once
#include <utility>

#include "native/freetype_fonts.h"
#include "native/rgba_image.h"
#include "platform/canvas.h"

namespace kav {

class RasterCanvas final : public Canvas {
 public:
  // A canvas of the given size filled with `background`; canvas and caller share `fonts`.
  RasterCanvas(int32_t width, int32_t height, Rgb background, const FreeTypeFonts& fonts);

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
            Rgb colour) override;
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) override;
  GlyphInk Ink(FontKey font, char16_t unit) const override { return fonts_.Ink(font, unit); }
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) override;

  const RgbaImage& Image() const { return image_; }
  // The picture drawn so far, handed over; the canvas is empty afterwards.
  RgbaImage TakeImage() { return std::move(image_); }

 private:
  // Blends `colour` over the pixel at (x, y) with coverage `alpha` (0 to 255); outside is ignored.
  void Blend(int32_t x, int32_t y, Rgb colour, uint32_t alpha);
  // Blends a glyph's coverage with its cell's top-left corner at (x, y).
  void Coverage(const GlyphCoverage& glyph, int32_t x, int32_t y, Rgb colour);

  RgbaImage image_;
  const FreeTypeFonts& fonts_;
};

}  // namespace kav
