// The view's scale: the window's DPI and the zoom. Offsets and the drag are kept in layout units,
// so a new scale only redraws, re-clamps the scroll offsets and keeps the caret in sight.
#include <algorithm>
#include <string>

#include "base/utf.h"
#include "edit/editor.h"

namespace kav {

void Editor::SetDpi(int32_t dpi) {
  const int32_t held = std::max(dpi, 24);
  if (held == scale_.dpi) return;
  scale_.dpi = held;
  RescaleView();
}

void Editor::ZoomTo(int32_t zoom) {
  scale_.zoom = std::clamp(zoom, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
  RescaleView();
  host_.SetStatusText(u"Zoom " + Ascii16(std::to_string(scale_.zoom)) + u"%");
}

// Only the character right after the zoom chord's key-down is dropped: every key-down forgets it.
bool Editor::SwallowZoomCharacter(char16_t character) {
  const char16_t expected = zoomCharacter_;
  zoomCharacter_ = 0;
  return expected != 0 && character == expected;
}

void Editor::RescaleView() {
  // Inline text was placed at the old scale; the box is typed into at the caret only.
  host_.HideInlineBox();
  ScrollToCurrentLine();
  PlaceCaret();
}

}  // namespace kav
