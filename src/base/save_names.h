// Names of the temporary files a save writes beside its target before it replaces the target.
// They carry the target's name, so that a save interrupted by a crash leaves a file the user can
// place, and so that the next save of the same file finds its own leftovers and only those.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// "NAME.XXXXXXXX.kav-saving": the target's file name, eight hex digits of `unique`, the suffix.
std::u16string TemporarySaveName(std::u16string_view targetName, uint32_t unique);

// Whether `name` is a temporary file of a save to `targetName` (names compared as Windows does,
// ignoring the case of ASCII letters).
bool IsTemporarySaveNameOf(std::u16string_view name, std::u16string_view targetName);

}  // namespace kav
