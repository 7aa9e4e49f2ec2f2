#include "edit/view_scale.h"

#include <algorithm>
#include <iterator>

namespace kav {
namespace {

int32_t FloorDivide(int64_t value, int64_t divisor) {
  int64_t quotient = value / divisor;
  if (value % divisor != 0 && (value < 0) != (divisor < 0)) --quotient;
  return static_cast<int32_t>(quotient);
}

}  // namespace

int32_t ViewScale::ToPixels(int32_t units) const {
  return FloorDivide(int64_t{units} * Numerator(), kDenominator);
}

int32_t ViewScale::ToUnits(int32_t pixels) const {
  return FloorDivide(int64_t{pixels} * kDenominator, std::max<int64_t>(1, Numerator()));
}

ViewArea ViewScale::ToUnits(const ViewArea& pixels) const {
  return ViewArea{ToUnits(pixels.left), ToUnits(pixels.top), ToUnits(pixels.right),
                  ToUnits(pixels.bottom)};
}

int32_t ZoomStepUp(int32_t zoom) {
  const int32_t* next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), zoom);
  return next == std::end(kZoomSteps) ? kZoomSteps[std::size(kZoomSteps) - 1] : *next;
}

int32_t ZoomStepDown(int32_t zoom) {
  const int32_t* at = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), zoom);
  return at == std::begin(kZoomSteps) ? kZoomSteps[0] : *(at - 1);
}

}  // namespace kav
