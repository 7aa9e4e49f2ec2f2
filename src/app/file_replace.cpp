#include "app/file_replace.h"

#include <algorithm>
#include <random>

#include "app/file_handle.h"
#include "app/wide_text.h"
#include "base/save_names.h"

namespace kav {
namespace {

// Writes go in pieces a DWORD count can always express.
constexpr size_t kPieceBytes = 1u << 20;
// Names are random; a clash with an existing file only means another try.
constexpr int kNameAttempts = 16;
// What a replaced file keeps of its attributes (a read-only file is never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

struct PathParts {
  std::wstring folder;  // with its trailing separator; empty for the current folder
  std::wstring name;
};

PathParts Split(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  if (slash == std::wstring::npos) return {L"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
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

// What an earlier save of this file left when it was cut short (by a crash or a power cut).
void RemoveLeftovers(const PathParts& target) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = target.folder + target.name + L".*.kav-saving";
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        IsTemporarySaveNameOf(FromWide(found.cFileName), FromWide(target.name))) {
      DeleteFileW((target.folder + found.cFileName).c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// A new file beside the target, so that the final rename stays on one volume, created only if no
// file has its name. Gives the handle and sets `name`; an invalid handle when none could be made.
HANDLE CreateTemporaryBeside(const PathParts& target, std::wstring& name) {
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::u16string file = TemporarySaveName(FromWide(target.name), random());
    name = target.folder + std::wstring(file.begin(), file.end());
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

std::vector<uint8_t> AccessRulesOf(const std::wstring& path) {
  DWORD size = 0;
  GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  std::vector<uint8_t> descriptor(size);
  if (size == 0 || !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(),
                                     size, &size)) {
    return {};
  }
  return descriptor;
}

// The replaced file's access rules and attributes go over to the new one, so that a private file
// stays private and a hidden one hidden. Rules are set only where they differ from the new file's
// own: under Wine they stand for the Unix mode, which they picture only roughly (no group bits),
// so setting equal rules would still change the mode.
void CopyAccess(const std::wstring& from, const std::wstring& to) {
  std::vector<uint8_t> rules = AccessRulesOf(from);
  if (!rules.empty() && rules != AccessRulesOf(to)) {
    SetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, rules.data());
  }
  const DWORD attributes = GetFileAttributesW(from.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes) != 0) {
    SetFileAttributesW(to.c_str(), attributes & kKeptAttributes);
  }
}

}  // namespace

std::optional<FileStamp> ReplaceFileContents(const std::wstring& path,
                                             const std::vector<uint8_t>& bytes) {
  const std::wstring target = FinalPathOf(path);
  const std::optional<FileStamp> old = StampOfPath(target);
  if (old && old->readOnly) return std::nullopt;
  const PathParts parts = Split(target);
  RemoveLeftovers(parts);
  std::wstring temporary;
  FileHandle file(CreateTemporaryBeside(parts, temporary));
  if (!file.Valid()) return std::nullopt;
  const bool written = WriteAll(file.Get(), bytes);
  if (file.Close() && written) {
    if (old) CopyAccess(target, temporary);
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return StampOfPath(target).value_or(FileStamp{bytes.size()});
    }
  }
  DeleteFileW(temporary.c_str());
  return std::nullopt;
}

}  // namespace kav
