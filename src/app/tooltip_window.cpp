#include "app/tooltip_window.h"

#include <string>

#include "app/wide_text.h"
#include "edit/button_tooltips.h"

namespace kav {
namespace {

// The control copies the text; it watches the button's own mouse messages (TTF_SUBCLASS), so
// neither the main window nor the palette relays them.
BOOL CALLBACK AddButtonTool(HWND child, LPARAM tooltip) {
  const std::u16string text = ButtonTooltip(GetDlgCtrlID(child));
  if (text.empty()) return TRUE;
  std::wstring wide(Wide(text), text.size());
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(child);
  tool.uId = reinterpret_cast<UINT_PTR>(child);
  tool.lpszText = wide.data();
  SendMessageW(reinterpret_cast<HWND>(tooltip), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return TRUE;
}

}  // namespace

void CreateButtonTooltips(HWND main, HINSTANCE instance) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main, nullptr,
                                 instance, nullptr);
  if (tooltip == nullptr) return;
  // Long texts wrap rather than run off the screen.
  SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
  EnumChildWindows(main, &AddButtonTool, reinterpret_cast<LPARAM>(tooltip));
}

}  // namespace kav
