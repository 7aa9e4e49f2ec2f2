// The solid pens lines are drawn with: two widths in black, green and red, made once.
#pragma once
#include <cstdint>
#include <vector>

#include "app/gdi_handles.h"
#include "app/win32.h"
#include "platform/canvas.h"

namespace kav {

class PenSet {
 public:
  // Creates thick black, green, red (2 pixels), then thin black, green, red (1 pixel).
  void Load();
  // The pen of a width and colour; one the set lacks is made on first use and kept.
  HPEN Pen(int32_t thickness, Rgb colour);

 private:
  struct Entry {
    int32_t thickness;
    Rgb colour;
    GdiObject<HPEN> pen;
  };
  std::vector<Entry> pens;
};

COLORREF ToColorRef(Rgb colour);

}  // namespace kav
