// A zip writer of our own over zlib that emits the plain form Office expects from the
// clipboard: every entry deflated, its CRC-32 and sizes in the local header, no data
// descriptors, no extra fields, entries in the order given.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/deflate.h"

namespace kav {

// A date and time in the two 16-bit words of the DOS form that zip headers use.
struct DosDateTime {
  uint16_t date = 0;  // (year - 1980) * 512 + month * 32 + day
  uint16_t time = 0;  // hour * 2048 + minute * 32 + second / 2
};

// Years outside 1980 to 2107 (the form's range) are clamped to its first or last day.
DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second);

struct ZipEntry {
  std::string name;  // UTF-8, '/' between folders
  std::vector<uint8_t> data;
};

// An entry already deflated, so that a part that goes into many archives is packed only once.
struct PackedZipEntry {
  std::string name;
  std::vector<uint8_t> packed;  // raw deflate
  uint32_t crc = 0;             // of the data before packing
  uint32_t size = 0;            // of the data before packing
};

// Deflates entries one after another with one compressor.
class ZipEntryPacker {
 public:
  ZipEntryPacker();

  // The entry deflated. An empty name or one too long, or data beyond what a zip without
  // extensions can state, is refused with a Failure.
  PackedZipEntry Pack(const ZipEntry& entry);

 private:
  Deflater deflater_;
};

// The whole archive. Sizes or counts beyond what a zip without extensions can state are
// refused with a Failure.
std::vector<uint8_t> WriteZip(const std::vector<ZipEntry>& entries, DosDateTime stamp);
// The same from entries packed before.
std::vector<uint8_t> WritePackedZip(const std::vector<PackedZipEntry>& entries, DosDateTime stamp);

}  // namespace kav
