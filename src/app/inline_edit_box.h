// The inline symbol-name box: a standard single-line edit control, child of the main window and
// hidden until Ctrl+G, the menu or the backslash key opens it. Its window procedure is replaced
// so that Enter, Space, Escape, Ctrl+G and the loss of the focus reach the editor; everything
// else goes to the control's own procedure.
#pragma once
#include <cstdint>
#include <string>

#include "app/gdi_handles.h"
#include "app/win32.h"
#include "edit/editor.h"

namespace kav {

class InlineEditBox {
 public:
  InlineEditBox() = default;
  InlineEditBox(const InlineEditBox&) = delete;
  InlineEditBox& operator=(const InlineEditBox&) = delete;

  // Creates the hidden box at (10, 10), 200 by 25, with a "Cambria" font of height 20, and
  // installs the replacement procedure; the editor decides what its keys do. False when the
  // system refused the control.
  bool Create(HWND parent, HINSTANCE instance, Editor& editor);
  HWND Handle() const { return box; }
  // The font at a window's DPI: height 20 at 96, in proportion elsewhere.
  void SetDpi(int32_t dpi);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnKeyDown(WPARAM virtualKey);
  // The box's text, at most the 14 characters the editor reads.
  std::u16string Text() const;

  // Only names are typed here, so whatever face the system puts in for a missing "Cambria" serves.
  GdiObject<HFONT> font;
  HWND box = nullptr;
  WNDPROC previous = nullptr;
  Editor* editor = nullptr;
};

}  // namespace kav
