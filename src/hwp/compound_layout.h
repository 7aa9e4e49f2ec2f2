// Sector layout and serialisation of a compound file's entries (used by CompoundFileBuilder).
#pragma once
#include <cstdint>
#include <vector>

#include "hwp/compound_file.h"

namespace kav {

// Entry 0 must be the root; names and parents are already checked.
std::vector<uint8_t> WriteCompoundFile(const std::vector<CompoundEntry>& entries);

}  // namespace kav
