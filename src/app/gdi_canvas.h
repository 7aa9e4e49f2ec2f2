// Drawing a line's boxes with GDI into a device context (the window's back buffer, or the
// clipboard picture).
#pragma once
#include "app/drawing_resources.h"
#include "app/win32.h"
#include "platform/canvas.h"

namespace kav {

class GdiCanvas final : public Canvas {
 public:
  // Text is drawn transparently over whatever the device holds; `background` is the colour set
  // as the text background, as the window colour.
  GdiCanvas(HDC dc, DrawingResources& resources, COLORREF background);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
            Rgb colour) override;
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) override;
  GlyphInk Ink(FontKey font, char16_t unit) const override;
  // ExtTextOutW with ETO_GLYPH_INDEX, on the baseline a unit of the font is drawn on.
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) override;

 private:
  void Draw(FontKey font, GdiGlyph glyph, int32_t x, int32_t y, Rgb colour);

  HDC dc;
  DrawingResources& resources;
  // What the device held before, put back when drawing ends.
  HGDIOBJ previousPen;
  HGDIOBJ previousFont;
  int previousBkMode;
  UINT previousAlign;
};

}  // namespace kav
