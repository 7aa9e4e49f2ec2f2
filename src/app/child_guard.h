// The failure guard of the child windows' procedures (inline box, palette): what the editor
// raises while handling their messages is shown in the status bar, as the main window does for
// its own, and never unwinds into the system's caller.
#pragma once
#include <new>
#include <string_view>

#include "base/failure.h"
#include "platform/host.h"

namespace kav {

// Showing the text may fail in turn (no memory left); then it is not shown.
inline void ShowFailure(Host& host, std::u16string_view text) noexcept {
  try {
    host.SetStatusText(text);
  } catch (...) {
  }
}

// Runs `work`; false when it failed (the failure is then in the status bar).
template <typename Work>
bool RunGuarded(Host& host, Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (const Failure& failure) {
    ShowFailure(host, failure.text);
  } catch (const std::bad_alloc&) {
    ShowFailure(host, u"Out of memory.");
  } catch (...) {
    ShowFailure(host, u"Internal error.");
  }
  return false;
}

}  // namespace kav
