// The file dialogs and whole-file reading and writing of the Win32 host.
#include <algorithm>
#include <string>

#include "app/file_handle.h"
#include "app/file_replace.h"
#include "app/wide_text.h"
#include "app/win32_host.h"

namespace kav {
namespace {

// Filter list: description and pattern pairs, each ending in a NUL, the list in a second NUL.
// Documents come first, so that the dialogs show them and not every file in the folder.
constexpr wchar_t kFilter[] = L"Kav documents (*.kav)\0*.kav\0All files (*.*)\0*.*\0";
constexpr DWORD kOpenNameUnits = 2000;
constexpr DWORD kSaveNameUnits = 260;
constexpr DWORD kSaveNameUsable = 256;
// A document is text; anything larger than this is not one and is not read into memory.
constexpr LONGLONG kLargestReadableFile = 1LL << 30;
// Reads go in pieces a DWORD count can always express.
constexpr size_t kPieceBytes = 1u << 20;

// What the open and save dialogs share: their owner, the first filter and the name buffer, of
// which `usable` units may hold the chosen path.
OPENFILENAMEW FileDialog(HWND owner, const wchar_t* filter, std::wstring& name, DWORD usable) {
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = usable;
  return dialog;
}

std::optional<std::u16string> Chosen(BOOL accepted, const std::wstring& buffer) {
  if (!accepted) return std::nullopt;
  return FromWide(buffer.c_str());
}

}  // namespace

std::optional<std::u16string> Win32Host::ChooseOpenPath() {
  std::wstring name(kOpenNameUnits, L'\0');
  OPENFILENAMEW dialog = FileDialog(windows.main, kFilter, name, kOpenNameUnits);
  dialog.Flags = OFN_EXPLORER;
  return Chosen(GetOpenFileNameW(&dialog), name);
}

std::optional<std::u16string> Win32Host::ChooseSavePath() {
  std::wstring name(kSaveNameUnits, L'\0');
  OPENFILENAMEW dialog = FileDialog(windows.main, kFilter, name, kSaveNameUsable);
  dialog.lpstrDefExt = L"kav";
  return Chosen(GetSaveFileNameW(&dialog), name);
}

bool Win32Host::FileExists(std::u16string_view path) const {
  const std::u16string name(path);
  const DWORD attributes = GetFileAttributesW(Wide(name));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> Win32Host::StampOfFile(std::u16string_view path) const {
  return StampOfPath(std::wstring(path.begin(), path.end()));
}

std::optional<FileContents> Win32Host::ReadFile(std::u16string_view path) {
  const std::u16string name(path);
  FileHandle file(CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestReadableFile) {
    return std::nullopt;
  }
  const std::optional<FileStamp> stamp = StampOfOpenFile(file.Get());
  if (!stamp) return std::nullopt;
  FileContents contents{std::vector<uint8_t>(static_cast<size_t>(size.QuadPart)), *stamp};
  std::vector<uint8_t>& bytes = contents.bytes;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kPieceBytes));
    if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) || got == 0) {
      return std::nullopt;
    }
    done += got;
  }
  return contents;
}

std::optional<FileStamp> Win32Host::WriteFile(std::u16string_view path,
                                              const std::vector<uint8_t>& bytes) {
  return ReplaceFileContents(std::wstring(path.begin(), path.end()), bytes);
}

}  // namespace kav
