// The symbol palette window (class "Kav_TB"): a bordered child of the main window holding one
// button per symbol-table entry from leq on. A press inserts its entry at the caret and gives
// the keyboard focus back to the main window.
#pragma once
#include "app/gdi_handles.h"
#include "app/win32.h"
#include "edit/editor.h"

namespace kav {

inline constexpr wchar_t kPaletteClassName[] = L"Kav_TB";

class PaletteWindow {
 public:
  PaletteWindow() = default;
  PaletteWindow(const PaletteWindow&) = delete;
  PaletteWindow& operator=(const PaletteWindow&) = delete;

  static bool RegisterWindowClass(HINSTANCE instance);
  // Creates the visible palette at (2, 50), 424 by 130, with its buttons; the buttons of the
  // symbol-face entries get `symbolFont`, the others keep the system's button font. False when
  // the system refused the window.
  bool Create(HWND parent, HINSTANCE instance, HFONT symbolFont, Editor& editor);
  HWND Handle() const { return window; }
  // Moves and sizes the palette and its buttons, and sizes the symbol face, for a window drawn
  // at `dpi` (the places above are those at 96). The buttons that do not show the symbol face
  // get `buttonFont`; none means the system's.
  void Place(int32_t dpi, HFONT buttonFont);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateButtons(HINSTANCE instance);

  HWND window = nullptr;
  HFONT symbolFont = nullptr;
  // The symbol face as the labels draw it (see Create), when it could be made.
  GdiObject<HFONT> labelFont;
  // The symbol face at the window's DPI, when it is not 96.
  GdiObject<HFONT> scaledSymbolFont;
  Editor* editor = nullptr;
};

}  // namespace kav
