// The palette button's command.
#include "edit/editor.h"

namespace kav {

void Editor::TogglePalette() {
  host_.SetPaletteVisible(!host_.IsPaletteVisible());
}

}  // namespace kav
