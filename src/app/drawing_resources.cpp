#include "app/drawing_resources.h"

namespace kav {

void LoadDrawingResources(DrawingResources& resources, HINSTANCE instance, HWND window) {
  WindowDc dc(window);
  resources.fonts.Load(instance, dc.Get());
  resources.pens.Load();
}

}  // namespace kav
