// Saving over a file the way a careful editor does: the bytes go to a temporary file beside the
// target, which replaces the target in one step once all of them are on disk.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace kav {

// Replaces the contents of the file at `path` (the file a link names, the link staying a link),
// keeping its attributes and access rules. A read-only file is not replaced. Leftovers of earlier
// saves of the same file that were cut short are removed first. On failure nothing is changed and
// no temporary file stays. Gives the stamp of the written file.
std::optional<FileStamp> ReplaceFileContents(const std::wstring& path,
                                             const std::vector<uint8_t>& bytes);

}  // namespace kav
