#include "app/manual_page.h"

#include <string>

#include "app/wide_text.h"

namespace kav {
namespace {

// The program's own path, however long: the buffer grows until the name fits.
std::wstring ProgramPath() {
  std::wstring path(260, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};  // longer than any Windows path can be
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::u16string ManualPath() {
  std::wstring path = ProgramPath();
  const size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  path += kManualFileName;
  return FromWide(path);
}

std::optional<std::u16string> OpenManualPage(HWND owner) {
  const std::u16string path = ManualPath();
  if (GetFileAttributesW(Wide(path)) == INVALID_FILE_ATTRIBUTES) {
    return u"The manual is missing: " + path;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL));
  // Values up to 32 are the shell's error codes.
  if (result <= 32) return u"No program could open the manual: " + path;
  return std::nullopt;
}

}  // namespace kav
