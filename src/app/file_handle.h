// A Win32 file handle with an owner, and what the host reads off an open file.
#pragma once
#include <optional>
#include <string>

#include "app/win32.h"
#include "platform/host.h"

namespace kav {

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

// Size, last write time and read-only flag of an open file; nothing for a folder or on failure.
std::optional<FileStamp> StampOfOpenFile(HANDLE file);

// The stamp of the file a path names, following links; nothing when there is no such file.
std::optional<FileStamp> StampOfPath(const std::wstring& path);

// Where a save to `path` must write: the file a link names, so that the link stays a link; the
// path itself when it names no file yet.
std::wstring FinalPathOf(const std::wstring& path);

}  // namespace kav
