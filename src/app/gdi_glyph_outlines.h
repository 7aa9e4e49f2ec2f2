// Glyph outlines from GDI (GetGlyphOutlineW, unhinted cubic outlines) in the program's own fonts,
// placed in their cells as GdiCanvas draws them.
#pragma once
#include "app/font_set.h"
#include "app/win32.h"
#include "platform/glyph_outlines.h"

namespace kav {

class GdiGlyphOutlines final : public GlyphOutlines {
 public:
  // `dc` measures; the fonts are selected into it while an outline is read.
  GdiGlyphOutlines(HDC dc, const FontSet& fonts) : dc(dc), fonts(fonts) {}

  // Throws a Failure when GDI cannot give the outline.
  Outline GlyphOutline(FontKey font, char16_t unit) const override;
  // By glyph index; also throws a Failure for an index the font does not hold.
  Outline GlyphOutlineById(FontKey font, uint16_t glyph) const override;

 private:
  Outline Read(FontKey font, UINT glyph, UINT flags) const;

  HDC dc;
  const FontSet& fonts;
};

}  // namespace kav
