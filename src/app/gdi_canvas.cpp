#include "app/gdi_canvas.h"

#include "app/gdi_glyph.h"

namespace kav {

GdiCanvas::GdiCanvas(HDC dc, DrawingResources& resources, COLORREF background)
    : dc(dc),
      resources(resources),
      previousPen(GetCurrentObject(dc, OBJ_PEN)),
      previousFont(GetCurrentObject(dc, OBJ_FONT)),
      previousBkMode(SetBkMode(dc, TRANSPARENT)),
      previousAlign(GetTextAlign(dc)) {
  SetBkColor(dc, background);
  // Glyphs are placed by their baseline, so a face drawn in another face's cell (the math face)
  // lines up with the text around it.
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc, previousPen);
  SelectObject(dc, previousFont);
  SetBkMode(dc, previousBkMode);
  SetTextAlign(dc, previousAlign);
}

void GdiCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t thickness,
                     Rgb colour) {
  SelectObject(dc, resources.pens.Pen(thickness, colour));
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void GdiCanvas::Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb colour) {
  Draw(font, resources.fonts.GlyphOf(font, unit), x, y, colour);
}

void GdiCanvas::GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb colour) {
  Draw(font, resources.fonts.GlyphById(font, glyph), x, y, colour);
}

void GdiCanvas::Draw(FontKey font, GdiGlyph glyph, int32_t x, int32_t y, Rgb colour) {
  const FontCell& cell = resources.fonts.Cell(font);
  SelectObject(dc, cell.font.Get());
  SetTextColor(dc, ToColorRef(colour));
  GdiDrawGlyph(dc, glyph, x, y + cell.ascent);
}

GlyphInk GdiCanvas::Ink(FontKey font, char16_t unit) const {
  const FontCell& cell = resources.fonts.Cell(font);
  SelectObject(dc, cell.font.Get());
  return GdiInk(dc, resources.fonts.GlyphOf(font, unit), cell.ascent);
}

}  // namespace kav
