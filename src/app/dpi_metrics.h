// Sizes and fonts of the system's controls for a window drawn at a given DPI. A per-monitor aware
// window on a monitor whose scaling differs from the system's must not take them at the system
// DPI: the status bar's text, the scroll bars and the buttons' labels would keep the size they
// have on the first monitor.
#pragma once
#include <cstdint>

#include "app/gdi_handles.h"
#include "app/win32.h"

namespace kav {

// The DPI the system's own fonts and metrics are given at.
int32_t SystemDpi();
// A system metric (SM_CYHSCROLL, ...) at `dpi`.
int32_t SystemMetricForDpi(int index, int32_t dpi);
// The status bar's font of the non-client metrics at `dpi`; empty when the system cannot say.
GdiObject<HFONT> CreateStatusFont(int32_t dpi);
// The system's button face at `dpi`; empty at the system DPI, where buttons keep the system's
// own font without being told.
GdiObject<HFONT> CreateButtonFont(int32_t dpi);

}  // namespace kav
