#include "base/sfnt_bytes.h"

#include "base/failure.h"

namespace kav {

uint16_t SfntTable::U16(size_t at, std::u16string_view what) const {
  if (at > bytes_.size() || bytes_.size() - at < 2) Fail(what);
  return static_cast<uint16_t>((bytes_[at] << 8) | bytes_[at + 1]);
}

uint32_t SfntTable::U32(size_t at, std::u16string_view what) const {
  return (uint32_t{U16(at, what)} << 16) | U16(at + 2, what);
}

void SfntTable::Require(size_t at, size_t count, size_t recordSize,
                        std::u16string_view what) const {
  if (at > bytes_.size() || (bytes_.size() - at) / recordSize < count) Fail(what);
}

size_t SfntTable::Offset16(size_t base, size_t field, std::u16string_view what) const {
  const uint16_t offset = U16(base + field, what);
  if (offset == 0) return 0;
  if (base + offset >= bytes_.size()) Fail(what);
  return base + offset;
}

void SfntTable::Fail(std::u16string_view what) const {
  std::u16string text = name_;
  text += u": ";
  text += what;
  kav::Fail(std::move(text));
}

std::span<const uint8_t> SfntTableBytes(std::span<const uint8_t> font, std::string_view tag) {
  const SfntTable file(font, u"Font file");
  const uint32_t version = file.U32(0, u"too short for a table directory");
  if (version != 0x00010000 && version != 0x4F54544F) {  // TrueType outlines, or 'OTTO'
    file.Fail(u"not an OpenType or TrueType font");
  }
  const uint16_t count = file.U16(4, u"too short for a table directory");
  file.Require(12, count, 16, u"table directory past the end");
  const uint32_t wanted = (uint32_t{static_cast<uint8_t>(tag[0])} << 24) |
                          (uint32_t{static_cast<uint8_t>(tag[1])} << 16) |
                          (uint32_t{static_cast<uint8_t>(tag[2])} << 8) |
                          static_cast<uint8_t>(tag[3]);
  for (size_t i = 0; i < count; ++i) {
    const size_t record = 12 + 16 * i;
    if (file.U32(record, u"table directory past the end") != wanted) continue;
    const size_t offset = file.U32(record + 8, u"table directory past the end");
    const size_t length = file.U32(record + 12, u"table directory past the end");
    if (offset > font.size() || font.size() - offset < length) {
      std::u16string what(tag.begin(), tag.end());
      file.Fail(what + u" table past the end");
    }
    return font.subspan(offset, length);
  }
  return {};
}

}  // namespace kav
