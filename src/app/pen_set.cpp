#include "app/pen_set.h"

namespace kav {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

void PenSet::Load() {
  for (int32_t thickness : {2, 1}) {
    for (Rgb colour : {kBlack, kGreen, kRed}) Pen(thickness, colour);
  }
}

HPEN PenSet::Pen(int32_t thickness, Rgb colour) {
  for (const Entry& entry : pens) {
    if (entry.thickness == thickness && entry.colour == colour) return entry.pen.Get();
  }
  pens.push_back({thickness, colour,
                  GdiObject<HPEN>(CreatePen(PS_SOLID, thickness, ToColorRef(colour)))});
  return pens.back().pen.Get();
}

}  // namespace kav
