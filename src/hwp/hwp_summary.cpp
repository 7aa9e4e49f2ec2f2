#include "hwp/hwp_summary.h"

#include <iterator>
#include <string_view>
#include <utility>

#include "base/byte_writer.h"

namespace kav {
namespace {

// Format id 9FA2B660-1061-11D4-B4C6-006097C09D8C in its stored byte order (the first three
// fields little-endian).
constexpr uint8_t kHwpSummaryFormat[16] = {0x60, 0xB6, 0xA2, 0x9F, 0x61, 0x10, 0xD4, 0x11,
                                           0xB4, 0xC6, 0x00, 0x60, 0x97, 0xC0, 0x9D, 0x8C};
constexpr uint32_t kSystemWindows = 0x00020006;  // OS kind 2 (Windows), version 6.0
constexpr uint32_t kHeaderSize = 48;             // stream header with one format id and offset
constexpr uint16_t kVtI2 = 2;
constexpr uint16_t kVtI4 = 3;
constexpr uint16_t kVtLpwstr = 31;
constexpr uint16_t kUtf16CodePage = 1200;

struct TextProperty {
  uint32_t id;
  std::u16string_view value;
};
// Title, subject, author, keywords, comments, last saved by.
constexpr TextProperty kTexts[] = {{2, u""}, {3, u""}, {4, u""}, {5, u""}, {6, u""}, {8, u""}};
constexpr uint32_t kCodePageId = 1;
constexpr uint32_t kPageCountId = 14;

void PadToFour(ByteWriter& out) {
  while (out.Size() % 4 != 0) out.U8(0);
}

// The typed values, each 4-byte aligned; records each one's id and offset within the set.
ByteWriter WriteValues(std::vector<std::pair<uint32_t, uint32_t>>& index, uint32_t valuesStart) {
  ByteWriter values;
  index.push_back({kCodePageId, valuesStart + static_cast<uint32_t>(values.Size())});
  values.U16(kVtI2);
  values.U16(0);
  values.U16(kUtf16CodePage);
  PadToFour(values);
  for (const TextProperty& p : kTexts) {
    index.push_back({p.id, valuesStart + static_cast<uint32_t>(values.Size())});
    values.U16(kVtLpwstr);
    values.U16(0);
    values.U32(static_cast<uint32_t>(p.value.size() + 1));  // characters with the terminator
    values.Utf16(p.value);
    values.U16(0);
    PadToFour(values);
  }
  index.push_back({kPageCountId, valuesStart + static_cast<uint32_t>(values.Size())});
  values.U16(kVtI4);
  values.U16(0);
  values.U32(1);
  return values;
}

}  // namespace

std::vector<uint8_t> BuildHwpSummary() {
  constexpr uint32_t kPropertyCount = 2 + std::size(kTexts);
  std::vector<std::pair<uint32_t, uint32_t>> index;
  const ByteWriter values = WriteValues(index, 8 + 8 * kPropertyCount);

  ByteWriter out;
  out.U16(0xFFFE);  // byte order
  out.U16(0);       // version
  out.U32(kSystemWindows);
  out.Zeros(16);  // class id
  out.U32(1);     // one property set
  out.Bytes(kHwpSummaryFormat, sizeof kHwpSummaryFormat);
  out.U32(kHeaderSize);
  out.U32(static_cast<uint32_t>(8 + 8 * index.size() + values.Size()));  // size of the set
  out.U32(static_cast<uint32_t>(index.size()));
  for (const auto& [id, offset] : index) {
    out.U32(id);
    out.U32(offset);
  }
  out.Bytes(values.Data());
  return out.Take();
}

}  // namespace kav
