// The body of the one-equation HWP document: the record stream of "BodyText/Section0", one
// paragraph holding the section definition, the column definition and the equation object.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kav {

// The equation record stores the script length in 16 bits.
constexpr size_t kMaxEquationScriptUnits = 65535;

// The uncompressed records (471 + 2L bytes for a script of L UTF-16 units). A longer script
// than the record can describe is refused with a Failure.
std::vector<uint8_t> BuildSectionRecords(std::u16string_view script);

}  // namespace kav
