#include "app/style_buttons.h"

#include <cstdint>

#include "edit/keys.h"

namespace kav {
namespace {

struct StyleButtonRow {
  const wchar_t* label;
  int32_t id;
};

// Left to right, 42 pixels apart. "IT" stands second although its id follows "BOLD"'s.
constexpr StyleButtonRow kStyleButtonRows[] = {
    {L"RM", command::StyleRoman},   {L"IT", command::StyleItalic},
    {L"BOLD", command::StyleBold},  {L"VEC", command::StyleVector},
    {L"HAT", command::StyleHat},    {L"BAR", command::StyleBar},
    {L"TILDE", command::StyleTilde}, {L"RED", command::StyleRed},
    {L"f(x)", command::TogglePalette},
};
constexpr int32_t kButtonSize = 40;
constexpr int32_t kButtonPitch = 42;

}  // namespace

void CreateStyleButtons(HWND parent, HINSTANCE instance) {
  int32_t x = 2;
  for (const StyleButtonRow& row : kStyleButtonRows) {
    CreateWindowExW(0, L"button", row.label, WS_CHILD | WS_VISIBLE | WS_BORDER, x, 2, kButtonSize,
                    kButtonSize, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                    instance, nullptr);
    x += kButtonPitch;
  }
}

void PlaceStyleButtons(HWND parent, int32_t dpi, HFONT font) {
  int32_t x = 2;
  for (const StyleButtonRow& row : kStyleButtonRows) {
    HWND button = GetDlgItem(parent, row.id);
    SetWindowPos(button, nullptr, MulDiv(x, dpi, 96), MulDiv(2, dpi, 96),
                 MulDiv(kButtonSize, dpi, 96), MulDiv(kButtonSize, dpi, 96),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)) != font) {
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    x += kButtonPitch;
  }
}

}  // namespace kav
