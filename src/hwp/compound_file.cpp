#include "hwp/compound_file.h"

#include <algorithm>

#include "base/failure.h"
#include "hwp/compound_layout.h"

namespace kav {
namespace {

constexpr size_t kMaxNameUnits = 31;  // 32 units with the terminator fill the 64-byte name field
constexpr uint8_t kTypeStorage = 1;
constexpr uint8_t kTypeStream = 2;
constexpr uint8_t kTypeRoot = 5;

char16_t UpperAscii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool IsForbiddenNameUnit(char16_t c) {
  return c == u'/' || c == u'\\' || c == u':' || c == u'!';
}

}  // namespace

int CompareCompoundNames(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t k = 0; k < a.size(); ++k) {
    const char16_t ua = UpperAscii(a[k]);
    const char16_t ub = UpperAscii(b[k]);
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  return 0;
}

CompoundFileBuilder::CompoundFileBuilder() {
  entries_.push_back({u"Root Entry", -1, kTypeRoot, {}});
}

int32_t CompoundFileBuilder::AddStorage(int32_t parent, std::u16string name) {
  return Add(parent, std::move(name), kTypeStorage, {});
}

void CompoundFileBuilder::AddStream(int32_t parent, std::u16string name,
                                    std::vector<uint8_t> data) {
  Add(parent, std::move(name), kTypeStream, std::move(data));
}

int32_t CompoundFileBuilder::Add(int32_t parent, std::u16string name, uint8_t type,
                                 std::vector<uint8_t> data) {
  if (parent < 0 || parent >= static_cast<int32_t>(entries_.size()) ||
      entries_[parent].type == kTypeStream) {
    Fail(u"Compound file: the parent of an entry must be a storage");
  }
  if (name.empty() || name.size() > kMaxNameUnits ||
      std::any_of(name.begin(), name.end(), IsForbiddenNameUnit)) {
    Fail(u"Compound file: invalid entry name \"" + name + u"\"");
  }
  for (const CompoundEntry& e : entries_) {
    if (e.parent == parent && CompareCompoundNames(e.name, name) == 0) {
      Fail(u"Compound file: duplicate entry name \"" + name + u"\"");
    }
  }
  entries_.push_back({std::move(name), parent, type, std::move(data)});
  return static_cast<int32_t>(entries_.size()) - 1;
}

std::vector<uint8_t> CompoundFileBuilder::Build() const {
  return WriteCompoundFile(entries_);
}

}  // namespace kav
