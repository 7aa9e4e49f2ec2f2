// Writes files through the program's own Win32 host under Wine, so that a test can check from
// outside what a save leaves on disk.
//   kav_file_check write PATH TEXT        replaces PATH with TEXT; prints "saved" or "failed"
//   kav_file_check write-held PATH TEXT   the same while another handle holds PATH open without
//                                         sharing, as a program that keeps the file open does
#include <cstring>
#include <string>
#include <vector>

#include "app/wide_text.h"
#include "app/win32_host.h"
#include "base/utf.h"

namespace {

void Print(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written,
            nullptr);
}

bool Save(const std::u16string& path, const std::u16string& text) {
  const kav::HostWindows windows;
  kav::DrawingResources resources;  // unused by file writes
  kav::Win32Host host(windows, resources);
  const std::string bytes = kav::EncodeUtf8(text);
  return host.WriteFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end())).has_value();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const std::wstring command = argv[1];
  const std::u16string path = kav::FromWide(argv[2]);
  const std::u16string text = kav::FromWide(argv[3]);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (command == L"write-held") {
    held = CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 3;
  } else if (command != L"write") {
    return 2;
  }
  Print(Save(path, text) ? "saved\n" : "failed\n");
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  return 0;
}
