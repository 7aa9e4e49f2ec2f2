// Everything the equation view draws with: fonts and pens, loaded once by the main window's
// creation handler and kept until exit.
#pragma once
#include "app/font_set.h"
#include "app/pen_set.h"
#include "app/win32.h"

namespace kav {

struct DrawingResources {
  FontSet fonts;
  PenSet pens;
};

// Installs the embedded faces, then creates the fonts and the pens, in that order.
void LoadDrawingResources(DrawingResources& resources, HINSTANCE instance, HWND window);

}  // namespace kav
