#include "app/window_dpi.h"

#include <optional>

namespace kav {
namespace {

// Wider than any desktop; also keeps every coordinate far from overflowing.
constexpr LONG kLargestCoordinate = 1 << 16;

bool Sensible(const RECT& rect) {
  const auto within = [](LONG value) {
    return value > -kLargestCoordinate && value < kLargestCoordinate;
  };
  return within(rect.left) && within(rect.top) && within(rect.right) && within(rect.bottom) &&
         rect.right > rect.left && rect.bottom > rect.top;
}

// The system reads the memory on the program's behalf and fails, instead of faulting, where
// nothing readable lies (a null pointer, or one that only means something in another process).
std::optional<RECT> ReadRect(LPARAM address) {
  RECT rect{};
  SIZE_T copied = 0;
  if (address == 0 || !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(address),
                                          &rect, sizeof(rect), &copied) ||
      copied != sizeof(rect) || !Sensible(rect)) {
    return std::nullopt;
  }
  return rect;
}

}  // namespace

int32_t WindowDpi(HWND window) {
  // Looked up at run time: older systems have no per-window DPI and would refuse to load the
  // program if it imported the function.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int32_t>(dpi);
  }
  HDC dc = GetDC(window);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc != nullptr) ReleaseDC(window, dc);
  return dpi > 0 ? dpi : 96;
}

RECT RectForNewDpi(HWND window, LPARAM suggested, int32_t oldDpi, int32_t newDpi) {
  if (const std::optional<RECT> rect = ReadRect(suggested)) return *rect;
  RECT rect{};
  GetWindowRect(window, &rect);
  const int32_t from = oldDpi > 0 ? oldDpi : 96;
  rect.right = rect.left + MulDiv(rect.right - rect.left, newDpi, from);
  rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, newDpi, from);
  return rect;
}

}  // namespace kav
