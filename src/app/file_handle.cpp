#include "app/file_handle.h"

namespace kav {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened only to look at: no access to the contents is asked for, so another program's own
// handle does not keep us from it. Folders need the backup flag to be opened at all.
HANDLE OpenToLookAt(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

std::optional<FileStamp> StampOfOpenFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  stamp.writeTime =
      (uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
  stamp.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return stamp;
}

std::optional<FileStamp> StampOfPath(const std::wstring& path) {
  const FileHandle file(OpenToLookAt(path));
  if (!file.Valid()) return std::nullopt;
  return StampOfOpenFile(file.Get());
}

std::wstring FinalPathOf(const std::wstring& path) {
  const FileHandle file(OpenToLookAt(path));
  if (!file.Valid()) return path;
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD units =
        GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (units == 0) return path;
    if (units < final.size()) {
      final.resize(units);
      return final;
    }
    final.resize(units);  // the size needed, with its terminating NUL
  }
}

}  // namespace kav
