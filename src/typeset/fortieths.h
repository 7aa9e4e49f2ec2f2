// Proportions of a font size are fortieths, truncated toward zero; every layout and painting
// proportion goes through this one helper so the rounding is the same everywhere.
#pragma once
#include <cstdint>

namespace kav {

constexpr int32_t Fortieths(int32_t k, int32_t size) { return k * size / 40; }

}  // namespace kav
