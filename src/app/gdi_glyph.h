// One glyph through GDI, by UTF-16 unit or by glyph index: its advance, its ink and drawing it.
// The font is already selected into the device context.
#pragma once
#include "app/font_set.h"
#include "app/win32.h"
#include "platform/glyph_metrics.h"

namespace kav {

// The advance, as GetTextExtentPoint32W (or GetTextExtentPointI) reports it.
int32_t GdiAdvance(HDC dc, GdiGlyph glyph);

// The black box of the glyph's outline, relative to the top-left corner of a cell whose
// baseline is `ascent` pixels down; empty when GDI has no outline metrics for it.
GlyphInk GdiInk(HDC dc, GdiGlyph glyph, int32_t ascent);

// Draws the glyph with its baseline origin at (x, baseline), as the device's text alignment
// says.
void GdiDrawGlyph(HDC dc, GdiGlyph glyph, int32_t x, int32_t baseline);

}  // namespace kav
