// The inline symbol-name box and the palette side of the Win32 host.
#include "app/win32_host.h"
#include "edit/inline_box.h"

namespace kav {

// Emptied, moved (its place among its siblings unchanged), shown and focused.
void Win32Host::ShowInlineBox(int32_t x, int32_t y) {
  if (windows.inlineBox == nullptr) return;
  SetWindowTextW(windows.inlineBox, L"");
  SetWindowPos(windows.inlineBox, nullptr, x, y, MulDiv(kInlineBoxWidth, windows.dpi, 96),
               MulDiv(kInlineBoxHeight, windows.dpi, 96), SWP_NOZORDER);
  ShowWindow(windows.inlineBox, SW_SHOW);
  SetFocus(windows.inlineBox);
}

void Win32Host::HideInlineBox() {
  if (windows.inlineBox != nullptr) ShowWindow(windows.inlineBox, SW_HIDE);
}

// The palette's own visible style is its shown flag: set when it is created, inverted by "f(x)".
bool Win32Host::IsPaletteVisible() const {
  return windows.palette != nullptr &&
         (GetWindowLongPtrW(windows.palette, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Host::SetPaletteVisible(bool visible) {
  if (windows.palette != nullptr) ShowWindow(windows.palette, visible ? SW_SHOWNORMAL : SW_HIDE);
}

}  // namespace kav
