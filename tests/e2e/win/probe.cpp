// Reads what the running program shows but X11 cannot tell: the status bar's text and where the
// main window's client area lies on the screen. Runs under Wine in the program's prefix.
//   kav_probe status   prints the status bar text
//   kav_probe client   prints "left top width height" of the client area in screen pixels
//   kav_probe command ID   sends the main window the command ID, as choosing its menu item does
//   kav_probe formats   prints the clipboard's formats in the order Windows lists them: a
//                       registered format by its name, a standard one as "#" and its number
#include <cwchar>
#include <string>

#include "app/win32.h"
#include "app/wide_text.h"
#include "base/utf.h"

namespace {

void Print(const std::u16string& text) {
  const std::string bytes = kav::EncodeUtf8(text) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

HWND MainWindow() { return FindWindowW(L"Kav v0.2", nullptr); }

int PrintStatus(HWND main) {
  HWND status = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  if (status == nullptr) return 3;
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(status, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return 4;
  }
  Print(kav::FromWide(std::wstring_view(text, copied)));
  return 0;
}

int PrintClient(HWND main) {
  RECT client{};
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  Print(kav::Ascii16(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
                     std::to_string(client.right) + " " + std::to_string(client.bottom)));
  return 0;
}

int PostCommand(HWND main, const std::wstring& id) {
  const unsigned long value = std::wcstoul(id.c_str(), nullptr, 10);
  if (value == 0 || value > 0xFFFF) return 2;
  return PostMessageW(main, WM_COMMAND, MAKEWPARAM(value, 0), 0) ? 0 : 4;
}

std::u16string FormatName(UINT format) {
  wchar_t name[256] = {};
  const int length = GetClipboardFormatNameW(format, name, 256);
  if (length > 0) return kav::FromWide(std::wstring_view(name, length));
  return kav::Ascii16("#" + std::to_string(format));
}

int PrintFormats() {
  if (!OpenClipboard(nullptr)) return 4;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    Print(FormatName(format));
  }
  CloseClipboard();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND main = MainWindow();
  if (main == nullptr) return 3;
  const std::wstring command = argv[1];
  if (command == L"status" && argc == 2) return PrintStatus(main);
  if (command == L"client" && argc == 2) return PrintClient(main);
  if (command == L"command" && argc == 3) return PostCommand(main, argv[2]);
  if (command == L"formats" && argc == 2) return PrintFormats();
  return 2;
}
