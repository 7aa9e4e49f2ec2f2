#include "app/gdi_glyph_metrics.h"

#include "app/gdi_glyph.h"
#include "app/gdi_handles.h"

namespace kav {

GlyphExtent GdiGlyphMetrics::ExtentOf(FontKey font, GdiGlyph glyph) const {
  const FontCell& cell = fonts.Cell(font);
  WindowDc dc(window);
  SelectedObject selected(dc.Get(), cell.font.Get());
  return GlyphExtent{GdiAdvance(dc.Get(), glyph), cell.height};
}

GlyphInk GdiGlyphMetrics::InkOf(FontKey font, GdiGlyph glyph) const {
  const FontCell& cell = fonts.Cell(font);
  WindowDc dc(window);
  SelectedObject selected(dc.Get(), cell.font.Get());
  return GdiInk(dc.Get(), glyph, cell.ascent);
}

GlyphExtent GdiGlyphMetrics::Extent(FontKey font, char16_t unit) const {
  return ExtentOf(font, fonts.GlyphOf(font, unit));
}

GlyphInk GdiGlyphMetrics::Ink(FontKey font, char16_t unit) const {
  return InkOf(font, fonts.GlyphOf(font, unit));
}

GlyphExtent GdiGlyphMetrics::ExtentById(FontKey font, uint16_t glyph) const {
  return ExtentOf(font, fonts.GlyphById(font, glyph));
}

GlyphInk GdiGlyphMetrics::InkById(FontKey font, uint16_t glyph) const {
  return InkOf(font, fonts.GlyphById(font, glyph));
}

int32_t GdiGlyphMetrics::Ascent(FontKey font) const {
  return fonts.Cell(font).ascent;
}

double GdiGlyphMetrics::PixelsPerEm(FontKey font) const {
  return fonts.Cell(font).em;
}

}  // namespace kav
