// HWP 5.0 record streams: a 32-bit header (tag in bits 0-9, level in bits 10-19, data size in
// bits 20-31, where 0xFFF means a 32-bit size follows) and the record's data.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/byte_writer.h"

namespace kav {

namespace hwptag {
// Document information records.
constexpr uint16_t kDocumentProperties = 16;
constexpr uint16_t kIdMappings = 17;
constexpr uint16_t kFaceName = 19;
constexpr uint16_t kBorderFill = 20;
constexpr uint16_t kCharShape = 21;
constexpr uint16_t kTabDef = 22;
constexpr uint16_t kParaShape = 25;
constexpr uint16_t kStyle = 26;
constexpr uint16_t kCompatibleDocument = 30;
constexpr uint16_t kLayoutCompatibility = 31;
// Body text records.
constexpr uint16_t kParaHeader = 66;
constexpr uint16_t kParaText = 67;
constexpr uint16_t kParaCharShape = 68;
constexpr uint16_t kCtrlHeader = 71;
constexpr uint16_t kPageDef = 73;
constexpr uint16_t kFootnoteShape = 74;
constexpr uint16_t kPageBorderFill = 75;
constexpr uint16_t kEqEdit = 88;
}  // namespace hwptag

enum class RecordSize {
  kShortest,  // the size in the header when it fits (below 0xFFF), else the extended form
  kExtended,  // always 0xFFF in the header and the size in a following 32-bit field
};

// Appends one record. Data larger than a 32-bit size can state is refused with a Failure.
void WriteRecord(ByteWriter& out, uint16_t tag, uint16_t level, const std::vector<uint8_t>& data,
                 RecordSize form = RecordSize::kShortest);

// A control id ('secd', 'cold', 'eqed') as HWP stores it: the four letters as one 32-bit
// value, first letter highest, written little-endian (so 'secd' appears as "dces").
constexpr uint32_t ControlId(char a, char b, char c, char d) {
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) |
         uint32_t(uint8_t(d));
}

// An "HWP string": a 16-bit count of UTF-16 units followed by the units.
void WriteHwpString(ByteWriter& out, std::u16string_view text);

}  // namespace kav
