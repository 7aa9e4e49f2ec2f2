// How large the view draws its lines: the window's DPI over 96 times the zoom. Lines are laid
// out and hit-tested in layout units; only the window's pixels are scaled, when painting, when
// placing the screen caret and when reading the mouse.
#pragma once
#include <cstdint>
#include <span>

#include "platform/view_area.h"

namespace kav {

// The zoom steps, in percent; 100 is the size of the clipboard picture and every export.
inline constexpr int32_t kZoomSteps[] = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
inline constexpr int32_t kDefaultDpi = 96;

struct ViewScale {
  int32_t dpi = kDefaultDpi;
  int32_t zoom = 100;

  // Pixels per layout unit as a fraction over 9600.
  int64_t Numerator() const { return int64_t{dpi} * zoom; }
  static constexpr int64_t kDenominator = int64_t{kDefaultDpi} * 100;
  bool IsOne() const { return Numerator() == kDenominator; }
  // Both round toward minus infinity, so that a point left of or above the area stays outside.
  int32_t ToPixels(int32_t units) const;
  int32_t ToUnits(int32_t pixels) const;
  ViewArea ToUnits(const ViewArea& pixels) const;
};

// The next step up or down from `zoom` (a zoom between steps goes to the neighbouring step),
// held within the first and last step.
int32_t ZoomStepUp(int32_t zoom);
int32_t ZoomStepDown(int32_t zoom);

}  // namespace kav
