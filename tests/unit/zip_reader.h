// Test helper: reads a zip archive strictly in the plain form (local headers carry CRC and
// sizes equal to the central directory's, no data descriptors, no extra fields, the central
// directory right after the last entry) and returns the inflated entries in archive order.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "inflate_helper.h"

namespace kav::testing {

struct ZipRead {
  struct Entry {
    std::string name;
    uint16_t date = 0, time = 0, flags = 0;
    uint32_t crc = 0;
    std::vector<uint8_t> data;
  };
  std::vector<Entry> entries;
};

class PlainZipReader {
 public:
  explicit PlainZipReader(const std::vector<uint8_t>& z) : z_(z) {}

  ZipRead Read() {
    Require(z_.size() >= 22, "archive holds an end record");
    const size_t end = z_.size() - 22;
    Require(U32(end) == 0x06054B50 && U16(end + 20) == 0, "end record without comment last");
    const uint16_t count = U16(end + 10);
    Require(U16(end + 8) == count, "entry counts agree");
    const size_t cdSize = U32(end + 12), cdOffset = U32(end + 16);
    Require(cdOffset + cdSize == end, "central directory right before the end record");
    ZipRead out;
    size_t local = 0, central = cdOffset;
    for (uint16_t k = 0; k < count; ++k) {
      out.entries.push_back(ReadEntry(local, central));
    }
    Require(local == cdOffset, "entries directly followed by the central directory");
    Require(central == end, "central directory holds exactly the entries");
    return out;
  }

 private:
  static void Require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("zip: " + what);
  }
  uint16_t U16(size_t at) const { return uint16_t(z_.at(at) | (z_.at(at + 1) << 8)); }
  uint32_t U32(size_t at) const { return U16(at) | (uint32_t(U16(at + 2)) << 16); }

  ZipRead::Entry ReadEntry(size_t& local, size_t& central) {
    Require(U32(central) == 0x02014B50, "central header signature");
    Require(U32(local) == 0x04034B50, "local header signature");
    Require(U32(central + 42) == local, "central entry points at its local header");
    // Version needed through name length: local offsets 4..27 equal central offsets 6..29.
    for (size_t k = 0; k < 24; ++k)
      Require(z_.at(local + 4 + k) == z_.at(central + 6 + k), "local = central");
    ZipRead::Entry e;
    e.flags = U16(local + 6);
    Require((e.flags & 0x0008) == 0, "no data descriptor flag");
    Require(U16(local + 8) == 8, "deflated");
    e.time = U16(local + 10);
    e.date = U16(local + 12);
    e.crc = U32(local + 14);
    const uint32_t packed = U32(local + 18), size = U32(local + 22);
    const uint16_t nameLength = U16(local + 26);
    Require(U16(local + 28) == 0 && U16(central + 30) == 0, "no extra fields");
    Require(U16(central + 32) == 0, "no entry comment");
    e.name.assign(z_.begin() + local + 30, z_.begin() + local + 30 + nameLength);
    const std::string centralName(z_.begin() + central + 46,
                                  z_.begin() + central + 46 + nameLength);
    Require(e.name == centralName, "names agree");
    const size_t dataAt = local + 30 + nameLength;
    Require(dataAt + packed <= z_.size(), "entry data present");
    const Inflated inflated = Inflate({z_.begin() + dataAt, z_.begin() + dataAt + packed});
    Require(inflated.complete && inflated.unused == 0, "entry data is exactly one deflate stream");
    Require(inflated.data.size() == size, "uncompressed size");
    Require(crc32(0, inflated.data.data(), uInt(inflated.data.size())) == e.crc, "CRC-32");
    e.data = inflated.data;
    local = dataAt + packed;
    central += 46 + nameLength;
    return e;
  }

  const std::vector<uint8_t>& z_;
};

inline ZipRead ReadPlainZip(const std::vector<uint8_t>& z) {
  return PlainZipReader(z).Read();
}

}  // namespace kav::testing
