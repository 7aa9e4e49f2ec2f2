#include "export/zip_writer.h"

#include <algorithm>

#include "base/byte_writer.h"
#include "base/deflate.h"
#include "base/failure.h"

namespace kav {
namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersion = 20;  // 2.0: deflate; made on MS-DOS (host 0)
constexpr uint16_t kMethodDeflate = 8;
constexpr uint16_t kUtf8Names = 0x0800;
constexpr int kLevel = 6;
constexpr uint64_t kMaxField32 = 0xFFFFFFFE;  // 0xFFFFFFFF would announce zip64 fields
constexpr uint64_t kMaxEntries = 0xFFFE;
constexpr uint64_t kMaxNameLength = 0xFFFF;

// What the central directory repeats about an entry.
struct EntryRecord {
  uint16_t flags = 0;
  uint32_t crc = 0;
  uint32_t compressedSize = 0;
  uint32_t size = 0;
  uint32_t localOffset = 0;
};

uint32_t Checked32(uint64_t value) {
  if (value > kMaxField32) Fail(u"Zip: the archive is too large");
  return static_cast<uint32_t>(value);
}

// Fields shared by the local and the central header, from "version needed" to the name length.
void WriteCommonFields(ByteWriter& out, const EntryRecord& r, DosDateTime stamp,
                       size_t nameLength) {
  out.U16(kVersion);
  out.U16(r.flags);
  out.U16(kMethodDeflate);
  out.U16(stamp.time);
  out.U16(stamp.date);
  out.U32(r.crc);
  out.U32(r.compressedSize);
  out.U32(r.size);
  out.U16(static_cast<uint16_t>(nameLength));
  out.U16(0);  // extra field length
}

bool AsciiName(const std::string& name) {
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void CheckName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) Fail(u"Zip: bad entry name");
}

EntryRecord WriteLocalEntry(ByteWriter& out, const PackedZipEntry& entry, DosDateTime stamp) {
  CheckName(entry.name);
  EntryRecord r;
  r.flags = AsciiName(entry.name) ? 0 : kUtf8Names;
  r.crc = entry.crc;
  r.compressedSize = Checked32(entry.packed.size());
  r.size = entry.size;
  r.localOffset = Checked32(out.Size());
  out.U32(kLocalHeaderSignature);
  WriteCommonFields(out, r, stamp, entry.name.size());
  out.Ascii(entry.name);
  out.Bytes(entry.packed);
  return r;
}

void WriteCentralEntry(ByteWriter& out, const PackedZipEntry& entry, const EntryRecord& r,
                       DosDateTime stamp) {
  out.U32(kCentralHeaderSignature);
  out.U16(kVersion);  // version made by
  WriteCommonFields(out, r, stamp, entry.name.size());
  out.U16(0);  // comment length
  out.U16(0);  // disk number
  out.U16(0);  // internal attributes
  out.U32(0);  // external attributes
  out.U32(r.localOffset);
  out.Ascii(entry.name);
}

}  // namespace

DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1980) return {static_cast<uint16_t>(1 * 32 + 1), 0};
  if (year > 2107) {
    return {static_cast<uint16_t>(127 * 512 + 12 * 32 + 31),
            static_cast<uint16_t>(23 * 2048 + 59 * 32 + 29)};
  }
  return {static_cast<uint16_t>((year - 1980) * 512 + month * 32 + day),
          static_cast<uint16_t>(hour * 2048 + minute * 32 + second / 2)};
}

ZipEntryPacker::ZipEntryPacker() : deflater_(kLevel, DeflateWrapper::kRaw) {}

PackedZipEntry ZipEntryPacker::Pack(const ZipEntry& entry) {
  CheckName(entry.name);
  PackedZipEntry packed;
  packed.name = entry.name;
  packed.packed = deflater_.Compress(entry.data);
  packed.crc = Crc32(entry.data);
  packed.size = Checked32(entry.data.size());
  return packed;
}

std::vector<uint8_t> WriteZip(const std::vector<ZipEntry>& entries, DosDateTime stamp) {
  if (entries.size() > kMaxEntries) Fail(u"Zip: too many entries");
  std::vector<PackedZipEntry> packed;
  packed.reserve(entries.size());
  ZipEntryPacker packer;
  for (const ZipEntry& entry : entries) packed.push_back(packer.Pack(entry));
  return WritePackedZip(packed, stamp);
}

std::vector<uint8_t> WritePackedZip(const std::vector<PackedZipEntry>& entries, DosDateTime stamp) {
  if (entries.size() > kMaxEntries) Fail(u"Zip: too many entries");
  ByteWriter out;
  std::vector<EntryRecord> records;
  for (const PackedZipEntry& entry : entries) {
    records.push_back(WriteLocalEntry(out, entry, stamp));
  }
  const uint32_t centralOffset = Checked32(out.Size());
  for (size_t k = 0; k < entries.size(); ++k) WriteCentralEntry(out, entries[k], records[k], stamp);
  const uint32_t centralSize = Checked32(out.Size() - centralOffset);
  out.U32(kEndSignature);
  out.U16(0);  // this disk
  out.U16(0);  // disk of the central directory
  out.U16(static_cast<uint16_t>(entries.size()));
  out.U16(static_cast<uint16_t>(entries.size()));
  out.U32(centralSize);
  out.U32(centralOffset);
  out.U16(0);  // comment length
  return out.Take();
}

}  // namespace kav
