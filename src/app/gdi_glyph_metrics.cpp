#include "app/gdi_glyph_metrics.h"

#include "app/gdi_glyph.h"
#include "app/gdi_handles.h"

namespace kav {

GlyphExtent GdiGlyphMetrics::Extent(FontKey font, char16_t unit) const {
  const FontCell& cell = fonts.Cell(font);
  WindowDc dc(window);
  SelectedObject selected(dc.Get(), cell.font.Get());
  return GlyphExtent{GdiAdvance(dc.Get(), fonts.GlyphOf(font, unit)), cell.height};
}

GlyphInk GdiGlyphMetrics::Ink(FontKey font, char16_t unit) const {
  const FontCell& cell = fonts.Cell(font);
  WindowDc dc(window);
  SelectedObject selected(dc.Get(), cell.font.Get());
  return GdiInk(dc.Get(), fonts.GlyphOf(font, unit), cell.ascent);
}

}  // namespace kav
