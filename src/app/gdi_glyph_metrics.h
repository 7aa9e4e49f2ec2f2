// Glyph extents measured by GDI on the main window's device context, in the program's fonts.
#pragma once
#include "app/font_set.h"
#include "app/win32.h"
#include "platform/glyph_metrics.h"

namespace kav {

class GdiGlyphMetrics final : public GlyphMetrics {
 public:
  GdiGlyphMetrics(HWND window, const FontSet& fonts) : window(window), fonts(fonts) {}
  // The advance of the unit as GetTextExtentPoint32W reports it (by glyph index for a code
  // point past U+FFFF), and the height of the font's
  // cell.
  GlyphExtent Extent(FontKey font, char16_t unit) const override;
  // The black box of the glyph's outline (GetGlyphOutlineW, GGO_METRICS).
  GlyphInk Ink(FontKey font, char16_t unit) const override;
  // Latin Modern Math's MATH table, read from the embedded file through GetFontData once, when
  // the fonts were loaded.
  const MathTable* Math() const override { return fonts.Math(); }
  // The cell's baseline and em, as the font was made (GetTextMetricsW).
  int32_t Ascent(FontKey font) const override;
  double PixelsPerEm(FontKey font) const override;
  // As Extent and Ink, by glyph index (GetTextExtentPointI, GetGlyphOutlineW with
  // GGO_GLYPH_INDEX). Throw a Failure for an index the font does not hold.
  GlyphExtent ExtentById(FontKey font, uint16_t glyph) const override;
  GlyphInk InkById(FontKey font, uint16_t glyph) const override;

 private:
  GlyphExtent ExtentOf(FontKey font, GdiGlyph glyph) const;
  GlyphInk InkOf(FontKey font, GdiGlyph glyph) const;

  HWND window;
  const FontSet& fonts;
};

}  // namespace kav
