// Little-endian byte writer for binary containers built in memory (HWP records, zip, PNG chunks).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kav {

class ByteWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
  }
  void Bytes(const uint8_t* data, size_t n) { bytes_.insert(bytes_.end(), data, data + n); }
  void Bytes(const std::vector<uint8_t>& data) { Bytes(data.data(), data.size()); }
  void Ascii(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  void Utf16(std::u16string_view text) {
    for (char16_t c : text) U16(c);
  }
  void Zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  // Overwrites a 32-bit value at an earlier offset (for sizes known only later).
  void PatchU32(size_t offset, uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes_[offset + k] = static_cast<uint8_t>(v >> (8 * k));
  }

  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Data() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace kav
