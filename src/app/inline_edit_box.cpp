#include "app/inline_edit_box.h"

#include <utility>

#include "app/child_guard.h"
#include "app/wide_text.h"
#include "edit/inline_box.h"

namespace kav {

bool InlineEditBox::Create(HWND parent, HINSTANCE instance, Editor& owner) {
  box = CreateWindowExW(0, L"edit", L"", WS_CHILD | WS_BORDER, 10, 10, kInlineBoxWidth,
                        kInlineBoxHeight, parent, nullptr, instance, nullptr);
  if (box == nullptr) return false;
  editor = &owner;
  SetDpi(96);
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InlineEditBox::Procedure)));
  return previous != nullptr;
}

// The box is told of the new face before the old one is deleted.
void InlineEditBox::SetDpi(int32_t dpi) {
  if (box == nullptr) return;
  GdiObject<HFONT> next(
      CreateFontW(MulDiv(20, dpi, 96), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Cambria"));
  if (next.Get() == nullptr) return;
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
  font = std::move(next);
}

LRESULT CALLBACK InlineEditBox::Procedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  auto* self = reinterpret_cast<InlineEditBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->previous == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

LRESULT InlineEditBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_CHAR:
      // The key that closed the box still sends its character here (a space, a carriage return,
      // Ctrl+G's bell); a hidden box takes no text.
      if (!IsWindowVisible(box)) return 0;
      break;
    case WM_KILLFOCUS: {
      // The control lets go of its own caret first.
      PassOn(message, wParam, lParam);
      RunGuarded(editor->host(), [&] { OnInlineBoxFocusLost(*editor); });
      return 0;
    }
    default: break;
  }
  return PassOn(message, wParam, lParam);
}

LRESULT InlineEditBox::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, box, message, wParam, lParam);
}

bool InlineEditBox::OnKeyDown(WPARAM virtualKey) {
  const Modifiers modifiers{GetAsyncKeyState(VK_CONTROL) < 0, GetAsyncKeyState(VK_SHIFT) < 0};
  bool handled = false;
  RunGuarded(editor->host(), [&] {
    handled = OnInlineBoxKey(*editor, static_cast<int32_t>(virtualKey), modifiers, Text());
  });
  return handled;
}

std::u16string InlineEditBox::Text() const {
  wchar_t text[kInlineBoxTextLimit + 1] = {};
  const int length = GetWindowTextW(box, text, static_cast<int>(std::size(text)));
  return FromWide(std::wstring_view(text, length > 0 ? static_cast<size_t>(length) : 0));
}

}  // namespace kav
