#include "app/gdi_glyph_metrics.h"

#include "app/gdi_handles.h"

namespace kav {

GlyphExtent GdiGlyphMetrics::Extent(FontKey font, char16_t unit) const {
  const FontCell& cell = fonts.Cell(font);
  WindowDc dc(window);
  SelectedObject selected(dc.Get(), cell.font.Get());
  const wchar_t text = static_cast<wchar_t>(unit);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), &text, 1, &size);
  return GlyphExtent{size.cx, cell.height};
}

}  // namespace kav
