#include "typeset/paint.h"

#include "typeset/font_choice.h"
#include "typeset/fortieths.h"

namespace kav {
namespace {

// The integral images are 28 x 68 and drawn at 0.9 of that, times 1, 0.7 or 0.5 by size.
constexpr double kIntegralImageWidth = 28;
constexpr double kIntegralImageHeight = 68;

void DrawIntegral(Canvas& canvas, int32_t x, int32_t y, int32_t size, StyleFlags style,
                  bool selected) {
  const double scale = size == 40 ? 1.0 : size == 28 ? 0.7 : 0.5;
  IntegralInk ink = IntegralInk::Black;
  if (selected) {
    ink = IntegralInk::Green;
  } else if (style & StyleRed) {
    ink = IntegralInk::Red;
  }
  canvas.IntegralImage(ink, x, y, static_cast<int32_t>(kIntegralImageWidth * 0.9 * scale),
                       static_cast<int32_t>(kIntegralImageHeight * 0.9 * scale));
}

bool HasOneAccent(StyleFlags style) {
  const StyleFlags accents = style & StyleAccentMask;
  return accents == StyleVector || accents == StyleHat || accents == StyleBar ||
         accents == StyleTilde;
}

// Accents are drawn from bx, a little left of the box centre, in fortieths of the size.
void DrawAccent(Canvas& canvas, FontKey font, int32_t x, int32_t y, int32_t size,
                StyleFlags style, int32_t width, Rgb ink) {
  auto f = [size](int32_t k) { return Fortieths(k, size); };
  const int32_t bx = x + width / 2 + f(-7);
  switch (style & StyleAccentMask) {
    case StyleVector: {
      const int32_t tipX = bx + f(17), tipY = y + f(5);
      canvas.Line(bx + f(3), tipY, tipX, tipY, 1, ink);
      canvas.Line(tipX, tipY, bx + f(13), y + f(1), 1, ink);
      canvas.Line(tipX, tipY, bx + f(13), y + f(9), 1, ink);
      break;
    }
    case StyleBar:
      canvas.Line(bx + f(3), y + f(4), bx + f(17), y + f(4), 1, ink);
      break;
    case StyleHat:
      canvas.Line(bx + f(2), y + f(8), bx + f(9), y + f(1), 1, ink);
      canvas.Line(bx + f(9), y + f(1), bx + f(16), y + f(8), 1, ink);
      break;
    case StyleTilde:
      canvas.Glyph(font, u'~', bx - f(5), y - f(4), ink);
      break;
    default:
      break;
  }
}

}  // namespace

Rgb InkOf(bool selected, StyleFlags style) {
  if (selected) return kGreen;
  return (style & StyleRed) ? kRed : kBlack;
}

void DrawGlyphBox(Canvas& canvas, int32_t x, int32_t y, SymbolCode code, int32_t size,
                  StyleFlags style, int32_t width, bool selected) {
  // Digits, punctuation and operators stand upright unless a face was chosen; letters and
  // Greek stay italic.
  if ((style & StyleFaceMask) == 0 && IsUprightByDefault(code)) style |= StyleRoman;
  if (code == code::Integral) return DrawIntegral(canvas, x, y, size, style, selected);
  const FontKey font = SelectGlyphFont(code, size, style);
  const Rgb ink = InkOf(selected, style);
  if (HasOneAccent(style)) DrawAccent(canvas, font, x, y, size, style, width, ink);
  canvas.Glyph(font, GlyphUnit(code), x, y, ink);
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
    } else {
      DrawGlyphBox(canvas, originX + box.x, originY + box.y, box.code,
                   static_cast<int32_t>(box.size), box.style, box.width, selected);
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
