// kav-convert's output files, written so that a failure leaves every file as it was. A regular
// file (or one not there yet) is written into a new temporary file beside it, flushed to disk and
// renamed over it only when every output is ready; a link is followed, so its target is
// replaced and the link stays. A device or a pipe is written directly: renaming a file over it
// would replace it.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kav {

// Why an output could not be written, for "Cannot write PATH: reason".
struct OutputFailure {
  std::string path;
  std::string reason;
};

class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  // Temporary files not yet renamed are removed: a failed run leaves no new file.
  ~OutputFiles();

  // Writes the bytes meant for `path`: directly into a device or pipe, otherwise into a
  // temporary file that Commit renames. A read-only file or a directory is refused. Throws an
  // OutputFailure.
  void Stage(const std::string& path, std::span<const uint8_t> bytes);

  // Renames every staged temporary file over its target. Throws an OutputFailure.
  void Commit();

 private:
  struct Pending {
    std::string path;       // as the user named it
    std::string target;     // where the links lead
    std::string temporary;  // written and flushed, beside the target
  };
  std::vector<Pending> pending_;
};

}  // namespace kav
