#include "typeset/paint.h"

#include <optional>

#include "typeset/font_choice.h"
#include "typeset/fortieths.h"
#include "typeset/glyph_place.h"

namespace kav {
namespace {

// The strokes of an accent from the reference point (bx, top), in fortieths of the size.
void DrawAccentStrokes(Canvas& canvas, int32_t bx, int32_t top, int32_t size, StyleFlags accent,
                       Rgb ink) {
  auto f = [size](int32_t k) { return Fortieths(k, size); };
  switch (accent) {
    case StyleVector: {
      const int32_t tipX = bx + f(17), tipY = top + f(5);
      canvas.Line(bx + f(3), tipY, tipX, tipY, 1, ink);
      canvas.Line(tipX, tipY, bx + f(13), top + f(1), 1, ink);
      canvas.Line(tipX, tipY, bx + f(13), top + f(9), 1, ink);
      break;
    }
    case StyleBar:
      canvas.Line(bx + f(3), top + f(4), bx + f(17), top + f(4), 1, ink);
      break;
    case StyleHat:
      canvas.Line(bx + f(2), top + f(8), bx + f(9), top + f(1), 1, ink);
      canvas.Line(bx + f(9), top + f(1), bx + f(16), top + f(8), 1, ink);
      break;
    default:
      break;
  }
}

// The accent sits a fixed gap above the glyph's ink, centred on its attachment or its ink. A
// canvas that cannot tell the ink gets the fixed heights, from a point a little left of the box
// centre.
void DrawAccent(Canvas& canvas, FontKey font, char16_t unit, int32_t x, int32_t y,
                StyleFlags style, int32_t width, std::optional<int32_t> centre, Rgb ink) {
  const StyleFlags accent = style & StyleAccentMask;
  const int32_t size = font.size;
  const std::optional<AccentPlace> place = PlaceAccent(
      style, size, font.face, canvas.Ink(font, unit), canvas.Ink(font, u'~'), centre);
  if (place && accent == StyleTilde) return canvas.Glyph(font, u'~', x + place->x, y + place->y, ink);
  if (place) return DrawAccentStrokes(canvas, x + place->x, y + place->y, size, accent, ink);
  const int32_t bx = x + width / 2 + Fortieths(-7, size);
  if (accent == StyleTilde) {
    return canvas.Glyph(font, u'~', bx - Fortieths(5, size), y - Fortieths(4, size), ink);
  }
  DrawAccentStrokes(canvas, bx, y, size, accent, ink);
}

}  // namespace

Rgb InkOf(bool selected, StyleFlags style) {
  if (selected) return kGreen;
  return (style & StyleRed) ? kRed : kBlack;
}

void DrawGlyphBox(Canvas& canvas, int32_t x, int32_t y, SymbolCode code, int32_t size,
                  StyleFlags style, int32_t width, bool selected, std::optional<int32_t> centre) {
  // Digits, punctuation and operators stand upright unless a face was chosen; letters and
  // Greek stay italic.
  const FontKey font = DrawnGlyphFont(code, size, style);
  const Rgb ink = InkOf(selected, style);
  const char16_t unit = GlyphUnit(code);
  if (HasOneAccent(style)) DrawAccent(canvas, font, unit, x, y, style, width, centre, ink);
  canvas.Glyph(font, unit, x, y, ink);
}

void PaintLineBoxes(Canvas& canvas, int32_t originX, int32_t originY,
                    std::span<const LayoutBox> boxes, const std::vector<bool>* selectionMarks) {
  for (size_t k = 0; k < boxes.size(); ++k) {
    const LayoutBox& box = boxes[k];
    const bool selected = selectionMarks && k < selectionMarks->size() && (*selectionMarks)[k];
    const Rgb ink = InkOf(selected, box.style);
    if (box.code == code::ThickLine || box.code == code::ThinLine) {
      canvas.Line(originX + box.x, originY + box.y, originX + box.x2, originY + box.y2,
                  box.code == code::ThickLine ? 2 : 1, ink);
    } else if (box.code == code::MathGlyph) {
      canvas.GlyphById(FontKey{FontFace::Math, FontSizeOf(static_cast<int32_t>(box.size))},
                       static_cast<uint16_t>(box.x2), originX + box.x, originY + box.y, ink);
    } else {
      DrawGlyphBox(canvas, originX + box.x, originY + box.y, box.code,
                   static_cast<int32_t>(box.size), box.style, box.width, selected,
                   box.y2 == 1 ? std::optional<int32_t>(box.x2) : std::nullopt);
    }
  }
}

void DrawDragOutline(Canvas& canvas, int32_t startX, int32_t startY, int32_t endX, int32_t endY) {
  canvas.Line(startX, startY, endX, startY, 2, kBlack);
  canvas.Line(endX, startY, endX, endY, 2, kBlack);
  canvas.Line(endX, endY, startX, endY, 2, kBlack);
  canvas.Line(startX, endY, startX, startY, 2, kBlack);
}

}  // namespace kav
