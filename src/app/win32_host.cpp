#include "app/win32_host.h"

#include <string>

#include "app/manual_page.h"
#include "app/wide_text.h"

namespace kav {
namespace {

int Ask(HWND owner, std::u16string_view text, std::u16string_view caption, UINT buttons) {
  const std::u16string body(text);
  const std::u16string title(caption);
  return MessageBoxW(owner, Wide(body), Wide(title), buttons);
}

// A bar that cannot scroll is shown disabled rather than hidden.
void SetBar(HWND bar, const ScrollBarState& state) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = state.maximum;
  info.nPage = state.page < 0 ? 0 : static_cast<UINT>(state.page);
  info.nPos = state.position;
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

}  // namespace

void Win32Host::Invalidate() { InvalidateRect(windows.main, nullptr, FALSE); }
void Win32Host::InvalidateArea(const ViewArea& pixels) {
  const RECT rect{pixels.left, pixels.top, pixels.right, pixels.bottom};
  InvalidateRect(windows.main, &rect, FALSE);
}

ClientSize Win32Host::GetClientSize() const {
  RECT client{};
  GetClientRect(windows.main, &client);
  return ClientSize{client.right, client.bottom};
}

void Win32Host::SetScrollBar(const ScrollBarState& state) { SetBar(windows.scrollBar, state); }

void Win32Host::SetHorizontalScrollBar(const ScrollBarState& state) {
  if (windows.horizontalScrollBar != nullptr) SetBar(windows.horizontalScrollBar, state);
}

void Win32Host::SetStatusText(std::u16string_view text) {
  statusText = text;
  SetWindowTextW(windows.statusBar, Wide(statusText));
}

void Win32Host::FocusMainWindow() { SetFocus(windows.main); }
void Win32Host::CaptureMouse() { SetCapture(windows.main); }
void Win32Host::ReleaseMouse() { ReleaseCapture(); }
void Win32Host::PostClose() { PostMessageW(windows.main, WM_CLOSE, 0, 0); }

void Win32Host::OpenManual() {
  if (const auto failure = OpenManualPage(windows.main)) SetStatusText(*failure);
}

void Win32Host::CreateCaret(int32_t width, int32_t height) {
  ::CreateCaret(windows.main, nullptr, width, height);
}
void Win32Host::ShowCaret() { ::ShowCaret(windows.main); }
void Win32Host::MoveCaret(int32_t x, int32_t y) { SetCaretPos(x, y); }
void Win32Host::DestroyCaret() { ::DestroyCaret(); }

Answer Win32Host::AskYesNoCancel(std::u16string_view text, std::u16string_view caption) {
  switch (Ask(windows.main, text, caption, MB_YESNOCANCEL)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
  }
}

Answer Win32Host::AskYesNo(std::u16string_view text, std::u16string_view caption) {
  return Ask(windows.main, text, caption, MB_YESNO) == IDYES ? Answer::Yes : Answer::No;
}

void Win32Host::ShowError(std::u16string_view text, std::u16string_view caption) {
  Ask(windows.main, text, caption, MB_OK);
}

}  // namespace kav
