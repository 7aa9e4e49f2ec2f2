#include "app/message_loop.h"

#include "app/wide_text.h"

namespace kav {
namespace {

// The system timer that only blinks the caret: it must not cause title rebuilds.
constexpr UINT kCaretBlinkTimer = 0x0118;

bool QueueIsEmpty() {
  MSG waiting;
  return PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE) == 0;
}

}  // namespace

int RunMessageLoop(const MainWindow& window) {
  bool titleDirty = true;
  MSG message{};
  // GetMessageW returns -1 on an invalid call, which cannot be retried usefully: end as on quit.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message != kCaretBlinkTimer) titleDirty = true;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (titleDirty && QueueIsEmpty() && IsWindow(window.Handle())) {
      const std::u16string title = window.Title();
      SetWindowTextW(window.Handle(), Wide(title));
      titleDirty = false;
    }
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace kav
