#include "app/gdi_glyph.h"

namespace kav {

int32_t GdiAdvance(HDC dc, GdiGlyph glyph) {
  SIZE size{};
  if (glyph.byIndex) {
    WORD index = static_cast<WORD>(glyph.code);
    GetTextExtentPointI(dc, &index, 1, &size);
  } else {
    const wchar_t text = static_cast<wchar_t>(glyph.code);
    GetTextExtentPoint32W(dc, &text, 1, &size);
  }
  return size.cx;
}

GlyphInk GdiInk(HDC dc, GdiGlyph glyph, int32_t ascent) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const UINT format = GGO_METRICS | (glyph.byIndex ? GGO_GLYPH_INDEX : 0u);
  if (GetGlyphOutlineW(dc, glyph.code, format, &metrics, 0, nullptr, &identity) == GDI_ERROR) {
    return GlyphInk{};
  }
  const int32_t left = metrics.gmptGlyphOrigin.x;
  const int32_t top = ascent - metrics.gmptGlyphOrigin.y;
  return GlyphInk{left, top, left + static_cast<int32_t>(metrics.gmBlackBoxX),
                  top + static_cast<int32_t>(metrics.gmBlackBoxY)};
}

void GdiDrawGlyph(HDC dc, GdiGlyph glyph, int32_t x, int32_t baseline) {
  if (glyph.byIndex) {
    WORD index = static_cast<WORD>(glyph.code);
    ExtTextOutW(dc, x, baseline, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(&index), 1,
                nullptr);
    return;
  }
  const wchar_t text = static_cast<wchar_t>(glyph.code);
  TextOutW(dc, x, baseline, &text, 1);
}

}  // namespace kav
