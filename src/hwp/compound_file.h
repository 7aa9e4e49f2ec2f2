// A writer of compound files (the Microsoft "structured storage" container that HWP 5.0 documents
// use): version 3, 512-byte sectors, streams below 4,096 bytes kept in the mini stream.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kav {

// One directory entry: entry 0 is the root storage; every other names its parent storage.
struct CompoundEntry {
  std::u16string name;
  int32_t parent = -1;
  uint8_t type = 0;  // 1 storage, 2 stream, 5 root
  std::vector<uint8_t> data;
};

// Storages and streams are added under a parent storage (kCompoundRoot or an index that
// AddStorage returned); Build() lays out the sectors and returns the whole file.
class CompoundFileBuilder {
 public:
  static constexpr int32_t kCompoundRoot = 0;

  CompoundFileBuilder();

  // Entry names are at most 31 UTF-16 units, unique among their siblings (ignoring ASCII case)
  // and free of '/', '\', ':' and '!'. A bad name throws a Failure.
  int32_t AddStorage(int32_t parent, std::u16string name);
  void AddStream(int32_t parent, std::u16string name, std::vector<uint8_t> data);

  std::vector<uint8_t> Build() const;

 private:
  int32_t Add(int32_t parent, std::u16string name, uint8_t type, std::vector<uint8_t> data);

  std::vector<CompoundEntry> entries_;
};

// The order in which sibling names are kept in a storage's tree: shorter names first, then by
// upper-cased UTF-16 units. Negative, zero or positive like strcmp.
int CompareCompoundNames(const std::u16string& a, const std::u16string& b);

}  // namespace kav
