#include "hwp/hwp_record.h"

#include "base/failure.h"

namespace kav {
namespace {

constexpr uint32_t kExtendedSize = 0xFFF;
constexpr uint32_t kMaxTag = 0x3FF;
constexpr uint32_t kMaxLevel = 0x3FF;

}  // namespace

void WriteRecord(ByteWriter& out, uint16_t tag, uint16_t level, const std::vector<uint8_t>& data,
                 RecordSize form) {
  if (tag > kMaxTag || level > kMaxLevel) Fail(u"Hwp:: Invalid record header");
  if (data.size() > UINT32_MAX) Fail(u"Hwp:: Record too large");
  const uint32_t size = static_cast<uint32_t>(data.size());
  const bool extended = form == RecordSize::kExtended || size >= kExtendedSize;
  out.U32(uint32_t{tag} | (uint32_t{level} << 10) | ((extended ? kExtendedSize : size) << 20));
  if (extended) out.U32(size);
  out.Bytes(data);
}

void WriteHwpString(ByteWriter& out, std::u16string_view text) {
  if (text.size() > UINT16_MAX) Fail(u"Hwp:: Text too long for a 16-bit length");
  out.U16(static_cast<uint16_t>(text.size()));
  out.Utf16(text);
}

}  // namespace kav
