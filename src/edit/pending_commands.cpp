// Commands whose work lives with the clipboard code. Until that code is in
// place each one tells the user so in the status bar instead of doing nothing silently.
#include "edit/editor.h"

namespace kav {

void Editor::Cut() {
  NotAvailableYet(u"Cut");
}

void Editor::Paste() {
  NotAvailableYet(u"Paste");
}

void Editor::TogglePalette() {
  host_.SetPaletteVisible(!host_.IsPaletteVisible());
}

}  // namespace kav
