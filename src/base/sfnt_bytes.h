// Bounded big-endian reading of an OpenType or TrueType font file: the table directory, and a
// view of one table whose every read is checked against its bytes. A read past the end throws a
// Failure that names the table and what was being read, so a damaged font is refused by name
// instead of read out of bounds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kav {

// One table's bytes; `name` ("MATH table") prefixes every failure text.
class SfntTable {
 public:
  SfntTable(std::span<const uint8_t> bytes, std::u16string_view name)
      : bytes_(bytes), name_(name) {}

  size_t Size() const { return bytes_.size(); }
  std::span<const uint8_t> Bytes() const { return bytes_; }

  uint16_t U16(size_t at, std::u16string_view what) const;
  int16_t S16(size_t at, std::u16string_view what) const {
    return static_cast<int16_t>(U16(at, what));
  }
  uint32_t U32(size_t at, std::u16string_view what) const;
  // Fails unless `count` records of `recordSize` bytes fit from `at`: a count read from the
  // bytes must be justified by them before anything is allocated for it.
  void Require(size_t at, size_t count, size_t recordSize, std::u16string_view what) const;
  // The position an Offset16 at `field` names, counted from `base`; 0 for a null offset.
  size_t Offset16(size_t base, size_t field, std::u16string_view what) const;

  [[noreturn]] void Fail(std::u16string_view what) const;

 private:
  std::span<const uint8_t> bytes_;
  std::u16string name_;
};

// The bytes of the table `tag` ('MATH', 'head', 'cmap') of a whole font file; empty when the
// file has no such table. Throws a Failure ("Font file: ...") when the file is not an OpenType
// or TrueType font or its directory or the table lies past the end of the file.
std::span<const uint8_t> SfntTableBytes(std::span<const uint8_t> font, std::string_view tag);

}  // namespace kav
