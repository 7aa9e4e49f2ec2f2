// The DPI a window is drawn at: its monitor's for a per-monitor aware program on Windows 10 and
// later, else the system's.
#pragma once
#include <cstdint>

#include "app/win32.h"

namespace kav {

int32_t WindowDpi(HWND window);

}  // namespace kav
