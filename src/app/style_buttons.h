// The row of style buttons along the top of the main window. They only send their command ids
// to the main window; the editor applies the style (or toggles the palette) and gives the
// keyboard focus back to the main window.
#pragma once
#include <cstdint>

#include "app/win32.h"

namespace kav {

void CreateStyleButtons(HWND parent, HINSTANCE instance);
// Moves and sizes the buttons for a window drawn at `dpi` (their places are given at 96) and
// gives them `font` for their labels; none means the system's.
void PlaceStyleButtons(HWND parent, int32_t dpi, HFONT font);

}  // namespace kav
