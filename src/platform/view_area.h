// The part of the main window's client area where the document's lines are shown.
#pragma once
#include <cstdint>

namespace kav {

// Client coordinates of the rectangle that no control covers: below the style buttons and the
// palette (while it is shown), left of the vertical scroll bar, above the horizontal scroll bar
// and the status bar. Right and bottom are exclusive.
struct ViewArea {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  friend bool operator==(const ViewArea&, const ViewArea&) = default;
};

}  // namespace kav
