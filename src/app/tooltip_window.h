// The tooltips of the style buttons and the palette's buttons: one tooltip control, owned by the
// main window, shows each button's name and its key or inline-box name while the pointer rests
// on it.
#pragma once
#include "app/win32.h"

namespace kav {

// Makes the control and gives it every button below `main` (the palette's included) that has a
// tooltip text. Nothing when the system refuses the control: the buttons work without it.
void CreateButtonTooltips(HWND main, HINSTANCE instance);

}  // namespace kav
