// Test helper: a strict reader of version-3 compound files that checks what the writer
// promises (every chain ends exactly where its stream does, the file holds exactly the
// allocated sectors, sibling trees are red-black search trees) and returns the entries.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "hwp/compound_file.h"

namespace kav::testing {

struct ReadEntry {
  std::u16string name;
  uint8_t type = 0;
  uint8_t colour = 0;
  uint32_t left = 0, right = 0, child = 0, start = 0;
  uint64_t size = 0;
  std::vector<uint8_t> data;
};

struct ReadCompoundFile {
  std::vector<ReadEntry> entries;
  std::map<std::u16string, size_t> byPath;  // "BodyText/Section0" -> entry index
  uint32_t fatSectors = 0;
  uint32_t difatSectors = 0;
  uint32_t miniFatSectors = 0;
  uint64_t sectorCount = 0;

  const std::vector<uint8_t>& Stream(const std::u16string& path) const {
    return entries.at(byPath.at(path)).data;
  }
};

class CompoundReader {
 public:
  explicit CompoundReader(const std::vector<uint8_t>& file) : f_(file) {}

  ReadCompoundFile Read() {
    Require(f_.size() >= 512 && (f_.size() % 512) == 0, "file is whole sectors");
    Require(U32(0) == 0xE011CFD0 && U32(4) == 0xE11AB1A1, "signature");
    Require(U16(26) == 3 && U16(28) == 0xFFFE && U16(30) == 9 && U16(32) == 6, "version 3 header");
    Require(U32(56) == 4096, "mini stream cutoff");
    out_.sectorCount = f_.size() / 512 - 1;
    out_.fatSectors = U32(44);
    out_.difatSectors = U32(72);
    out_.miniFatSectors = U32(64);
    ReadFat();
    const std::vector<uint8_t> dir = Chain(U32(48), 0, false);
    ReadDirectory(dir);
    if (U32(60) != kEnd)
      miniFat_ = AsIds(Chain(U32(60), uint64_t{out_.miniFatSectors} * 512, false));
    const ReadEntry& root = out_.entries.at(0);
    ministream_ = Chain(root.start, root.size, false);
    for (size_t k = 1; k < out_.entries.size(); ++k) LoadStream(out_.entries[k]);
    CheckEveryFatSectorUsedOnce();
    CheckTree(0, u"");
    return out_;
  }

 private:
  static constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFat = 0xFFFFFFFD,
                            kDif = 0xFFFFFFFC;

  static void Require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("compound file: " + what);
  }
  uint16_t U16(size_t at) const { return uint16_t(f_.at(at) | (f_.at(at + 1) << 8)); }
  uint32_t U32(size_t at) const { return U16(at) | (uint32_t(U16(at + 2)) << 16); }
  uint64_t U64(size_t at) const { return U32(at) | (uint64_t(U32(at + 4)) << 32); }
  size_t SectorAt(uint32_t s) const { return (size_t{s} + 1) * 512; }

  static std::vector<uint32_t> AsIds(const std::vector<uint8_t>& bytes) {
    std::vector<uint32_t> ids;
    for (size_t k = 0; k + 4 <= bytes.size(); k += 4) {
      ids.push_back(bytes[k] | (bytes[k + 1] << 8) | (bytes[k + 2] << 16) |
                    (uint32_t(bytes[k + 3]) << 24));
    }
    return ids;
  }

  void ReadFat() {
    std::vector<uint32_t> fatSectors;
    for (uint32_t k = 0; k < 109 && k < out_.fatSectors; ++k) fatSectors.push_back(U32(76 + 4 * k));
    for (uint32_t k = out_.fatSectors; k < 109; ++k)
      Require(U32(76 + 4 * k) == kFree, "free DIFAT slot");
    uint32_t difat = U32(68);
    for (uint32_t d = 0; d < out_.difatSectors; ++d) {
      Require(difat < out_.sectorCount, "DIFAT sector in the file");
      difatSeen_.push_back(difat);
      for (uint32_t k = 0; k < 127 && fatSectors.size() < out_.fatSectors; ++k) {
        fatSectors.push_back(U32(SectorAt(difat) + 4 * k));
      }
      difat = U32(SectorAt(difat) + 508);
    }
    Require(difat == kEnd || out_.difatSectors == 0, "DIFAT chain ends");
    for (uint32_t s : fatSectors) {
      Require(s < out_.sectorCount, "FAT sector in the file");
      for (int k = 0; k < 128; ++k) fat_.push_back(U32(SectorAt(s) + 4 * k));
      fatSeen_.push_back(s);
    }
    Require(fat_.size() >= out_.sectorCount, "FAT covers the file");
    for (uint64_t s = out_.sectorCount; s < fat_.size(); ++s)
      Require(fat_[s] == kFree, "free beyond file");
    for (uint32_t s : fatSeen_) Require(fat_[s] == kFat, "FAT sectors marked");
    for (uint32_t s : difatSeen_) Require(fat_[s] == kDif, "DIFAT sectors marked");
  }

  // Follows a chain in the FAT (or the mini FAT); `size` 0 means "to the end of the chain".
  std::vector<uint8_t> Chain(uint32_t start, uint64_t size, bool mini) {
    const std::vector<uint32_t>& table = mini ? miniFat_ : fat_;
    const size_t unit = mini ? 64 : 512;
    std::vector<uint8_t> data;
    uint32_t s = start;
    while (s != kEnd) {
      Require(s < table.size(), "chain stays in its table");
      Require((mini ? usedMini_ : used_).insert(s).second, "no sector in two chains");
      const size_t at = mini ? size_t{s} * 64 : SectorAt(s);
      const std::vector<uint8_t>& src = mini ? ministream_ : f_;
      Require(at + unit <= src.size(), "sector present");
      data.insert(data.end(), src.begin() + at, src.begin() + at + unit);
      s = table[s];
    }
    if (size != 0) {
      Require(data.size() >= size && data.size() - size < unit, "chain covers exactly the stream");
      data.resize(size);
    }
    return data;
  }

  void ReadDirectory(const std::vector<uint8_t>& dir) {
    for (size_t at = 0; at + 128 <= dir.size(); at += 128) {
      ReadEntry e;
      const size_t nameBytes = dir[at + 64] | (dir[at + 65] << 8);
      for (size_t k = 0; k + 2 < nameBytes; k += 2)
        e.name.push_back(char16_t(dir[at + k] | (dir[at + k + 1] << 8)));
      e.type = dir[at + 66];
      e.colour = dir[at + 67];
      auto u32 = [&](size_t o) {
        return uint32_t(dir[at + o] | (dir[at + o + 1] << 8) | (dir[at + o + 2] << 16) |
                        (uint32_t(dir[at + o + 3]) << 24));
      };
      e.left = u32(68), e.right = u32(72), e.child = u32(76), e.start = u32(116);
      e.size = u32(120) | (uint64_t(u32(124)) << 32);
      if (e.type == 0) {
        Require(nameBytes == 0 && e.left == kFree && e.right == kFree && e.child == kFree,
                "unused entry");
        continue;
      }
      Require(out_.entries.size() * 128 == at, "used entries come first");
      out_.entries.push_back(e);
    }
    Require(!out_.entries.empty() && out_.entries[0].type == 5, "root entry first");
  }

  void LoadStream(ReadEntry& e) {
    if (e.type != 2) {
      Require(e.start == 0 && e.size == 0, "storage has no data");
      return;
    }
    Require(e.size >> 32 == 0, "version 3 sizes are 32-bit");
    if (e.size == 0) {
      Require(e.start == kEnd, "empty stream has no chain");
      return;
    }
    e.data = Chain(e.start, e.size, e.size < 4096);
  }

  void CheckEveryFatSectorUsedOnce() {
    for (uint64_t s = 0; s < out_.sectorCount; ++s) {
      const bool special = fat_[s] == kFat || fat_[s] == kDif;
      Require(special || used_.count(uint32_t(s)) == 1, "every sector belongs to a chain");
    }
    for (size_t s = 0; s < miniFat_.size(); ++s) {
      Require(miniFat_[s] == kFree || usedMini_.count(uint32_t(s)) == 1, "mini sectors used");
    }
  }

  // Walks a storage's sibling tree: in order by name, red-black, recording every path.
  int CheckNode(uint32_t id, const std::u16string& prefix, const std::u16string* low,
                const std::u16string* high, std::set<uint32_t>& seen) {
    if (id == kFree) return 1;
    Require(id < out_.entries.size() && seen.insert(id).second, "tree node valid");
    const ReadEntry& e = out_.entries[id];
    Require(!low || CompareCompoundNames(*low, e.name) < 0, "tree ordered");
    Require(!high || CompareCompoundNames(e.name, *high) < 0, "tree ordered");
    if (e.colour == 0) {
      for (uint32_t kid : {e.left, e.right}) {
        Require(kid == kFree || out_.entries[kid].colour == 1, "no red node under a red one");
      }
    }
    const int lb = CheckNode(e.left, prefix, low, &e.name, seen);
    const int rb = CheckNode(e.right, prefix, &e.name, high, seen);
    Require(lb == rb, "equal black heights");
    const std::u16string path = prefix.empty() ? e.name : prefix + u"/" + e.name;
    out_.byPath[path] = id;
    CheckTree(id, path);
    return lb + (e.colour == 1 ? 1 : 0);
  }

  void CheckTree(uint32_t storage, const std::u16string& path) {
    const ReadEntry& s = out_.entries[storage];
    if (s.type == 2) return;
    std::set<uint32_t> seen;
    if (s.child != kFree) Require(out_.entries[s.child].colour == 1, "tree root is black");
    CheckNode(s.child, path, nullptr, nullptr, seen);
  }

  const std::vector<uint8_t>& f_;
  ReadCompoundFile out_;
  std::vector<uint32_t> fat_, miniFat_, fatSeen_, difatSeen_;
  std::vector<uint8_t> ministream_;
  std::set<uint32_t> used_, usedMini_;
};

inline ReadCompoundFile ReadCompound(const std::vector<uint8_t>& file) {
  return CompoundReader(file).Read();
}

}  // namespace kav::testing
