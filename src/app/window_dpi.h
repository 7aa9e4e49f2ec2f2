// The DPI a window is drawn at: its monitor's for a per-monitor aware program on Windows 10 and
// later, else the system's; and where the window goes when that DPI changes.
#pragma once
#include <cstdint>

#include "app/win32.h"

namespace kav {

// The range a DPI change is held to: a message from another program may say anything.
inline constexpr int32_t kLowestDpi = 24;
inline constexpr int32_t kHighestDpi = 1536;

int32_t WindowDpi(HWND window);

// The window's rectangle at `newDpi`, in screen pixels: the one `suggested` points to, when it
// can be read in this process and is a sensible rectangle, else the window's present one scaled
// from `oldDpi` about its top-left corner.
RECT RectForNewDpi(HWND window, LPARAM suggested, int32_t oldDpi, int32_t newDpi);

}  // namespace kav
