// The program's manual: an HTML page installed beside kav.exe, opened with the shell's "open"
// verb (the user's browser).
#pragma once
#include <optional>
#include <string>

#include "app/win32.h"

namespace kav {

inline constexpr wchar_t kManualFileName[] = L"manual.html";

// The manual's path: the folder of the running program and the page's name.
std::u16string ManualPath();

// Opens the manual; nothing when it opened, otherwise the text to show in the status bar.
std::optional<std::u16string> OpenManualPage(HWND owner);

}  // namespace kav
