#include "app/palette_window.h"

#include <utility>

#include "app/child_guard.h"
#include "app/gdi_handles.h"
#include "edit/palette.h"

namespace kav {
namespace {

// Whether the button's own font (the system's, unless one was set) has a glyph for `label`.
bool ButtonFontHasGlyph(HWND button, wchar_t label) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  WindowDc dc(button);
  if (dc.Get() == nullptr) return true;
  SelectedObject selected(dc.Get(), font);
  WORD glyph = 0;
  return GetGlyphIndicesW(dc.Get(), &label, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
         glyph != 0xFFFF;
}

}  // namespace

bool PaletteWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &PaletteWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kPaletteClassName;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The math face's floor, ceiling and ellipsis strokes are thinner than a pixel at the labels'
// size; smoothed they come out pale grey, like a disabled button's. The labels draw the face
// without smoothing, so every stroke is whole pixels of full ink. The formula keeps the smoothed
// face: `font` is only copied.
bool PaletteWindow::Create(HWND parent, HINSTANCE instance, HFONT font, Editor& owner) {
  LOGFONTW face{};
  if (GetObjectW(font, sizeof(face), &face) == sizeof(face)) {
    face.lfQuality = NONANTIALIASED_QUALITY;
    labelFont = GdiObject<HFONT>(CreateFontIndirectW(&face));
  }
  symbolFont = labelFont.Get() != nullptr ? labelFont.Get() : font;
  editor = &owner;
  window = CreateWindowExW(0, kPaletteClassName, L"", WS_CHILD | WS_VISIBLE | WS_BORDER,
                           kPaletteX, kPaletteY, kPaletteWidth, kPaletteHeight, parent, nullptr,
                           instance, this);
  return window != nullptr;
}

LRESULT CALLBACK PaletteWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PaletteWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      self->window = window;
      self->CreateButtons(reinterpret_cast<const CREATESTRUCTW*>(lParam)->hInstance);
      return 0;
    case WM_COMMAND:
      // Only presses: the buttons send no other notification without BS_NOTIFY.
      if (HIWORD(wParam) == BN_CLICKED) {
        Editor& editor = *self->editor;
        RunGuarded(editor.host(), [&] { OnPaletteCommand(editor, LOWORD(wParam)); });
      }
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void PaletteWindow::Place(int32_t dpi, HFONT buttonFont) {
  if (window == nullptr) return;
  const auto scaled = [dpi](int32_t length) { return MulDiv(length, dpi, 96); };
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window, nullptr, scaled(kPaletteX), scaled(kPaletteY), scaled(kPaletteWidth),
               scaled(kPaletteHeight), kFlags);
  // The buttons leave the old scaled face before it is deleted.
  LOGFONTW face{};
  GdiObject<HFONT> next;
  if (dpi != 96 && GetObjectW(symbolFont, sizeof(face), &face) == sizeof(face)) {
    face.lfHeight = MulDiv(face.lfHeight, dpi, 96);
    next = GdiObject<HFONT>(CreateFontIndirectW(&face));
  }
  HFONT symbol = next.Get() != nullptr ? next.Get() : symbolFont;
  for (const PaletteButton& button : PaletteButtons()) {
    HWND handle = GetDlgItem(window, button.id);
    if (handle == nullptr) continue;
    SetWindowPos(handle, nullptr, scaled(button.x), scaled(button.y),
                 scaled(kPaletteButtonSize), scaled(kPaletteButtonSize), kFlags);
    const auto current = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
    const bool symbolFace =
        button.symbolFont ||
        (current != nullptr && (current == symbolFont || current == scaledSymbolFont.Get()));
    HFONT font = symbolFace ? symbol : buttonFont;
    if (font != current) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  scaledSymbolFont = std::move(next);
}

void PaletteWindow::CreateButtons(HINSTANCE instance) {
  for (const PaletteButton& button : PaletteButtons()) {
    const wchar_t label[] = {static_cast<wchar_t>(button.label), L'\0'};
    HWND handle = CreateWindowExW(
        0, L"button", label, WS_CHILD | WS_VISIBLE | WS_BORDER, button.x, button.y,
        kPaletteButtonSize, kPaletteButtonSize, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), instance, nullptr);
    if (handle == nullptr) continue;
    // A label the system's button font cannot draw would show as an empty box: it takes the
    // symbol face too, which has every symbol of the palette.
    if (button.symbolFont || !ButtonFontHasGlyph(handle, label[0])) {
      SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(symbolFont), TRUE);
    }
  }
}

}  // namespace kav
