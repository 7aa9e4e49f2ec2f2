// Everything the equation view draws with: fonts, pens and the integral images, loaded once by
// the main window's creation handler and kept until exit.
#pragma once
#include "app/font_set.h"
#include "app/integral_images.h"
#include "app/pen_set.h"
#include "app/win32.h"

namespace kav {

struct DrawingResources {
  FontSet fonts;
  PenSet pens;
  IntegralImages integrals;
};

// Installs the embedded faces, then creates the fonts, the pens and the images, in that order.
void LoadDrawingResources(DrawingResources& resources, HINSTANCE instance, HWND window);

}  // namespace kav
