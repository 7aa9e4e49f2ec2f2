#include "tools/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

namespace kav {
namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

[[noreturn]] void FailWith(const std::string& path, int error) {
  throw OutputFailure{path, std::strerror(error)};
}

// The file the path's links lead to, which need not exist yet.
std::string FinalTarget(const std::string& path) {
  fs::path target = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return target.string();
    std::error_code error;
    const fs::path link = fs::read_symlink(target, error);
    if (error) FailWith(path, error.value());
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  FailWith(path, ELOOP);
}

std::optional<struct stat> StatusOf(const std::string& target) {
  struct stat status {};
  if (stat(target.c_str(), &status) == 0) return status;
  return std::nullopt;
}

// The permission bits alone: the super-user may write any file, but a file its owner made
// read-only is not one to replace.
bool IsReadOnly(const std::string& target, const struct stat& status) {
  return (status.st_mode & kAnyWrite) == 0 || access(target.c_str(), W_OK) != 0;
}

// A new file gets what the user's mask allows, as one made by a shell's redirection would.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void WriteAll(int fd, std::span<const uint8_t> bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) FailWith(path, written < 0 ? errno : EIO);
    done += static_cast<size_t>(written);
  }
}

// Closes the descriptor whatever happens; the first failure is the one reported.
void WriteAndClose(int fd, std::span<const uint8_t> bytes, const std::string& path, bool flush) {
  try {
    WriteAll(fd, bytes, path);
    if (flush && fsync(fd) != 0) FailWith(path, errno);
  } catch (...) {
    close(fd);
    throw;
  }
  if (close(fd) != 0) FailWith(path, errno);
}

void WriteDirectly(const std::string& target, std::span<const uint8_t> bytes,
                   const std::string& path) {
  const int fd = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) FailWith(path, errno);
  WriteAndClose(fd, bytes, path, false);
}

// A fresh name beside the target, created exclusively (never a file or link already there).
int CreateTemporary(const std::string& target, std::string& temporary) {
  const fs::path where = fs::path(target).parent_path();
  const std::string name = "." + fs::path(target).filename().string() + ".kav-convert-XXXXXX";
  temporary = (where.empty() ? fs::path(name) : where / name).string();
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) temporary.clear();
  return fd;
}

// The replacement keeps the replaced file's permissions and, where allowed, its owner.
void TakeAttributes(int fd, const std::optional<struct stat>& replaced) {
  if (!replaced) {
    fchmod(fd, NewFileMode());
    return;
  }
  fchmod(fd, replaced->st_mode & 07777);
  // Only the super-user may give a file away; anyone else's replacement stays their own.
  const bool givenAway = fchown(fd, replaced->st_uid, replaced->st_gid) == 0;
  static_cast<void>(givenAway);
}

void FlushDirectory(const std::string& target) {
  const fs::path where = fs::path(target).parent_path();
  const int fd = open(where.empty() ? "." : where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

OutputFiles::~OutputFiles() {
  for (const Pending& file : pending_) unlink(file.temporary.c_str());
}

void OutputFiles::Stage(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string target = FinalTarget(path);
  const std::optional<struct stat> status = StatusOf(target);
  if (status && S_ISDIR(status->st_mode)) FailWith(path, EISDIR);
  if (status && !S_ISREG(status->st_mode)) return WriteDirectly(target, bytes, path);
  if (status && IsReadOnly(target, *status)) {
    throw OutputFailure{path, "the file is read-only; it was left as it was"};
  }
  Pending file{path, target, {}};
  const int fd = CreateTemporary(target, file.temporary);
  if (fd < 0) FailWith(path, errno);
  pending_.push_back(file);
  TakeAttributes(fd, status);
  WriteAndClose(fd, bytes, path, true);
}

void OutputFiles::Commit() {
  for (size_t k = 0; k < pending_.size(); ++k) {
    const Pending& file = pending_[k];
    if (rename(file.temporary.c_str(), file.target.c_str()) != 0) {
      const int error = errno;
      const std::string path = file.path;
      pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(k));
      FailWith(path, error);
    }
    FlushDirectory(file.target);
  }
  pending_.clear();
}

}  // namespace kav
