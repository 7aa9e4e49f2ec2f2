// The palette button's command.
#include "edit/editor.h"

namespace kav {

void Editor::TogglePalette() {
  host_.SetPaletteVisible(!host_.IsPaletteVisible());
  // The view starts below the palette while it is shown and grows back when it is hidden.
  UpdateScroll();
}

}  // namespace kav
