#include "drop_check.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace kavprobe {

bool DropFileOn(HWND main, const std::wstring& path) {
  DROPFILES header{};
  header.pFiles = sizeof(header);
  header.fWide = TRUE;
  // The header, the name and the two NULs that end the list of names.
  std::vector<char> block(sizeof(header) + (path.size() + 2) * sizeof(wchar_t), 0);
  std::memcpy(block.data(), &header, sizeof(header));
  std::memcpy(block.data() + sizeof(header), path.data(), path.size() * sizeof(wchar_t));
  DWORD id = 0;
  GetWindowThreadProcessId(main, &id);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
  if (process == nullptr) return false;
  // The block stays in the program, whose drop handle it is from now on.
  void* remote =
      VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  SIZE_T written = 0;
  const bool placed = remote != nullptr &&
                      WriteProcessMemory(process, remote, block.data(), block.size(), &written) &&
                      written == block.size();
  CloseHandle(process);
  return placed && PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

}  // namespace kavprobe
