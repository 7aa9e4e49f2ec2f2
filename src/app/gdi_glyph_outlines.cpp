#include "app/gdi_glyph_outlines.h"

#include <vector>

#include "app/gdi_handles.h"
#include "base/failure.h"

namespace kav {
namespace {

double ToDouble(FIXED f) {
  return f.value + f.fract / 65536.0;
}

OutlinePoint At(const POINTFX& p, int32_t ascent) {
  return {ToDouble(p.x), ascent - ToDouble(p.y)};
}

// Walks GGO_BEZIER data: polygon headers, each followed by line and cubic runs up to its size.
Outline ParseOutline(const std::vector<uint8_t>& data, int32_t ascent) {
  Outline outline;
  size_t at = 0;
  while (at + sizeof(TTPOLYGONHEADER) <= data.size()) {
    const auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(&data[at]);
    const size_t end = at + header->cb;
    if (header->cb < sizeof(TTPOLYGONHEADER) || end > data.size()) Fail(u"Bad glyph outline");
    outline.MoveTo(At(header->pfxStart, ascent));
    size_t curve = at + sizeof(TTPOLYGONHEADER);
    while (curve + sizeof(TTPOLYCURVE) - sizeof(POINTFX) <= end) {
      const auto* run = reinterpret_cast<const TTPOLYCURVE*>(&data[curve]);
      const size_t size = sizeof(TTPOLYCURVE) + (run->cpfx - 1) * sizeof(POINTFX);
      if (run->cpfx == 0 || curve + size > end) Fail(u"Bad glyph outline");
      const POINTFX* p = run->apfx;
      if (run->wType == TT_PRIM_CSPLINE) {
        for (WORD k = 0; k + 2 < run->cpfx; k += 3) {
          outline.CubicTo(At(p[k], ascent), At(p[k + 1], ascent), At(p[k + 2], ascent));
        }
      } else {
        for (WORD k = 0; k < run->cpfx; ++k) outline.LineTo(At(p[k], ascent));
      }
      curve += size;
    }
    outline.Close();
    at = end;
  }
  return outline;
}

}  // namespace

Outline GdiGlyphOutlines::Read(FontKey font, UINT glyph, UINT flags) const {
  const FontCell& cell = fonts.Cell(font);
  SelectedObject selected(dc, cell.font.Get());
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const UINT format = GGO_BEZIER | GGO_UNHINTED | flags;
  const DWORD size = GetGlyphOutlineW(dc, glyph, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) Fail(u"Cannot read a glyph outline");
  if (size == 0) return {};
  std::vector<uint8_t> data(size);
  if (GetGlyphOutlineW(dc, glyph, format, &metrics, size, data.data(), &identity) == GDI_ERROR) {
    Fail(u"Cannot read a glyph outline");
  }
  return ParseOutline(data, cell.ascent);
}

// The math italic and bold letters lie outside the 16-bit units, so GDI reads them by index.
Outline GdiGlyphOutlines::GlyphOutline(FontKey font, char16_t unit) const {
  const GdiGlyph glyph = fonts.GlyphOf(font, unit);
  return Read(font, glyph.code, glyph.byIndex ? GGO_GLYPH_INDEX : 0);
}

Outline GdiGlyphOutlines::GlyphOutlineById(FontKey font, uint16_t glyph) const {
  return Read(font, fonts.GlyphById(font, glyph).code, GGO_GLYPH_INDEX);
}

}  // namespace kav
