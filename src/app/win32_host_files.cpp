// The file dialogs and whole-file reading and writing of the Win32 host.
#include <algorithm>
#include <string>

#include "app/wide_text.h"
#include "app/win32_host.h"

namespace kav {
namespace {

// Filter lists: description and pattern pairs, each ending in a NUL, the list in a second NUL.
constexpr wchar_t kOpenFilter[] = L"All files(*.*)\0*.*\0Kav file\0*.kav\0";
constexpr wchar_t kSaveFilter[] = L"All files(*.*)\0*.*\0Kav file\0*.*kav\0";
constexpr DWORD kOpenNameUnits = 2000;
constexpr DWORD kSaveNameUnits = 260;
constexpr DWORD kSaveNameUsable = 256;
// A document is text; anything larger than this is not one and is not read into memory.
constexpr LONGLONG kLargestReadableFile = 1LL << 30;
// Reads and writes go in pieces a DWORD count can always express.
constexpr size_t kPieceBytes = 1u << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle; }
  bool Close() {
    if (!Valid()) return true;
    const bool closed = CloseHandle(handle) != 0;
    handle = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle;
};

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

bool WriteAll(HANDLE file, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - done, kPieceBytes));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written != piece) {
      return false;
    }
    done += piece;
  }
  return FlushFileBuffers(file) != 0;
}

// A fresh file beside the target, so that the final rename stays on one volume.
std::wstring TemporaryPathBeside(const std::wstring& target) {
  const size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
  wchar_t name[MAX_PATH + 1] = {};
  if (folder.size() >= MAX_PATH - 14 || GetTempFileNameW(folder.c_str(), L"kav", 0, name) == 0) {
    return L"";
  }
  return name;
}

}  // namespace

std::optional<std::u16string> Win32Host::ChooseOpenPath() {
  std::wstring name(kOpenNameUnits, L'\0');
  OPENFILENAMEW dialog = FileDialog(windows.main, kOpenFilter, name, kOpenNameUnits);
  dialog.Flags = OFN_EXPLORER;
  return Chosen(GetOpenFileNameW(&dialog), name);
}

std::optional<std::u16string> Win32Host::ChooseSavePath() {
  std::wstring name(kSaveNameUnits, L'\0');
  OPENFILENAMEW dialog = FileDialog(windows.main, kSaveFilter, name, kSaveNameUsable);
  dialog.lpstrDefExt = L"kav";
  return Chosen(GetSaveFileNameW(&dialog), name);
}

bool Win32Host::FileExists(std::u16string_view path) const {
  const std::u16string name(path);
  const DWORD attributes = GetFileAttributesW(Wide(name));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> Win32Host::ReadFile(std::u16string_view path) {
  const std::u16string name(path);
  FileHandle file(CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestReadableFile) {
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kPieceBytes));
    if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) || got == 0) {
      return std::nullopt;
    }
    done += got;
  }
  return bytes;
}

// The bytes go to a temporary file that replaces the target only once all of them are on disk;
// on any failure the target is untouched and the temporary file removed.
bool Win32Host::WriteFile(std::u16string_view path, const std::vector<uint8_t>& bytes) {
  const std::wstring target(reinterpret_cast<const wchar_t*>(path.data()), path.size());
  const std::wstring temporary = TemporaryPathBeside(target);
  if (temporary.empty()) return false;
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  const bool written = file.Valid() && WriteAll(file.Get(), bytes);
  if (!file.Close() || !written ||
      !MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace kav
