#include "hwp/compound_layout.h"

#include <algorithm>

#include "base/byte_writer.h"
#include "base/failure.h"

namespace kav {
namespace {

constexpr uint32_t kFreeSect = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSect = 0xFFFFFFFD;
constexpr uint32_t kDifSect = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr uint64_t kMaxSectors = 0xFFFFFFFA;     // higher numbers are the markers above
constexpr uint64_t kMaxStreamSize = 0xFFFFFFFF;  // version 3 keeps sizes in 32 bits
constexpr uint64_t kSectorSize = 512;
constexpr uint64_t kMiniSectorSize = 64;
constexpr uint64_t kMiniStreamCutoff = 4096;
constexpr uint64_t kEntrySize = 128;
constexpr uint64_t kIdsPerSector = kSectorSize / 4;
constexpr uint64_t kHeaderDifatSlots = 109;
constexpr uint64_t kDifatIdsPerSector = kIdsPerSector - 1;  // the last slot chains to the next
constexpr uint8_t kRed = 0;
constexpr uint8_t kBlack = 1;
constexpr uint8_t kTypeStorage = 1;
constexpr uint8_t kTypeStream = 2;
constexpr uint8_t kTypeRoot = 5;

uint64_t CeilDiv(uint64_t a, uint64_t b) {
  return (a + b - 1) / b;
}

bool IsMini(const CompoundEntry& e) {
  return e.type == kTypeStream && e.data.size() < kMiniStreamCutoff;
}

bool IsRegular(const CompoundEntry& e) {
  return e.type == kTypeStream && e.data.size() >= kMiniStreamCutoff;
}

// ---- the red-black trees of siblings -------------------------------------------------------

struct Links {
  uint32_t left = kNoStream;
  uint32_t right = kNoStream;
  uint32_t child = kNoStream;
  uint8_t colour = kBlack;
};

// A balanced search tree over sorted[lo, hi), split at the median; records each node's depth.
uint32_t Balance(const std::vector<int32_t>& sorted, size_t lo, size_t hi, int depth,
                 std::vector<Links>& links, std::vector<int>& depthOf) {
  if (lo >= hi) return kNoStream;
  const size_t mid = lo + (hi - lo) / 2;
  const int32_t id = sorted[mid];
  depthOf[id] = depth;
  links[id].left = Balance(sorted, lo, mid, depth + 1, links, depthOf);
  links[id].right = Balance(sorted, mid + 1, hi, depth + 1, links, depthOf);
  return static_cast<uint32_t>(id);
}

// In a median-split tree every empty link lies at one of two adjacent depths. Painting the
// deepest level red, unless that level is full, gives every path the same number of black
// nodes, and a red node there has no children: a valid red-black tree.
void ColourLevels(const std::vector<int32_t>& ids, const std::vector<int>& depthOf,
                  std::vector<Links>& links) {
  int deepest = 0;
  for (int32_t id : ids) deepest = std::max(deepest, depthOf[id]);
  const bool perfect = ((ids.size() + 1) & ids.size()) == 0;
  for (int32_t id : ids) links[id].colour = (!perfect && depthOf[id] == deepest) ? kRed : kBlack;
}

std::vector<Links> LinkTrees(const std::vector<CompoundEntry>& entries) {
  std::vector<Links> links(entries.size());
  std::vector<int> depthOf(entries.size(), 0);
  for (size_t s = 0; s < entries.size(); ++s) {
    if (entries[s].type != kTypeStorage && entries[s].type != kTypeRoot) continue;
    std::vector<int32_t> kids;
    for (size_t k = 0; k < entries.size(); ++k) {
      if (entries[k].parent == static_cast<int32_t>(s)) kids.push_back(static_cast<int32_t>(k));
    }
    std::sort(kids.begin(), kids.end(), [&](int32_t a, int32_t b) {
      return CompareCompoundNames(entries[a].name, entries[b].name) < 0;
    });
    links[s].child = Balance(kids, 0, kids.size(), 0, links, depthOf);
    ColourLevels(kids, depthOf, links);
  }
  return links;
}

// ---- how many sectors of each kind ---------------------------------------------------------

struct SectorPlan {
  uint64_t fat = 0;
  uint64_t difat = 0;
  uint64_t directory = 0;
  uint64_t miniFat = 0;
  uint64_t miniStream = 0;
  uint64_t regular = 0;
  uint64_t miniSectors = 0;

  uint64_t Total() const { return fat + difat + directory + miniFat + miniStream + regular; }
};

SectorPlan PlanSectors(const std::vector<CompoundEntry>& entries) {
  SectorPlan plan;
  for (const CompoundEntry& e : entries) {
    if (e.data.size() > kMaxStreamSize) Fail(u"Compound file: a stream is larger than 4 GB");
    if (IsMini(e)) plan.miniSectors += CeilDiv(e.data.size(), kMiniSectorSize);
    if (IsRegular(e)) plan.regular += CeilDiv(e.data.size(), kSectorSize);
  }
  plan.directory = CeilDiv(entries.size() * kEntrySize, kSectorSize);
  plan.miniFat = CeilDiv(plan.miniSectors * 4, kSectorSize);
  plan.miniStream = CeilDiv(plan.miniSectors * kMiniSectorSize, kSectorSize);
  // The FAT must also describe its own sectors and the DIFAT's: grow both until they fit.
  uint64_t previous = 0;
  do {
    previous = plan.fat;
    plan.fat = CeilDiv(plan.Total(), kIdsPerSector);
    plan.difat = plan.fat > kHeaderDifatSlots
                     ? CeilDiv(plan.fat - kHeaderDifatSlots, kDifatIdsPerSector)
                     : 0;
  } while (plan.fat != previous || plan.fat * kIdsPerSector < plan.Total());
  if (plan.Total() > kMaxSectors) Fail(u"Compound file: too large");
  return plan;
}

// ---- sector chains -------------------------------------------------------------------------

// Hands out consecutive sectors and records their chains in an allocation table.
class ChainTable {
 public:
  explicit ChainTable(uint64_t slots) : next_(slots, kFreeSect) {}

  uint32_t Chain(uint64_t count) {
    if (count == 0) return kEndOfChain;
    const uint32_t start = used_;
    for (uint64_t k = 0; k < count; ++k, ++used_)
      next_[used_] = k + 1 < count ? used_ + 1 : kEndOfChain;
    return start;
  }
  uint32_t Mark(uint64_t count, uint32_t marker) {
    const uint32_t start = used_;
    for (uint64_t k = 0; k < count; ++k) next_[used_++] = marker;
    return start;
  }
  const std::vector<uint32_t>& Slots() const { return next_; }

 private:
  std::vector<uint32_t> next_;
  uint32_t used_ = 0;
};

struct Placement {
  uint32_t fatStart = 0;
  uint32_t difatStart = kEndOfChain;
  uint32_t directoryStart = 0;
  uint32_t miniFatStart = kEndOfChain;
  std::vector<uint32_t> entryStart;  // first sector (regular) or mini sector of each entry
  std::vector<uint32_t> fat;
  std::vector<uint32_t> miniFat;
};

Placement Place(const std::vector<CompoundEntry>& entries, const SectorPlan& plan) {
  ChainTable fat(plan.fat * kIdsPerSector);
  ChainTable mini(plan.miniFat * kIdsPerSector);
  Placement p;
  p.entryStart.assign(entries.size(), kEndOfChain);
  p.fatStart = fat.Mark(plan.fat, kFatSect);
  if (plan.difat > 0) p.difatStart = fat.Mark(plan.difat, kDifSect);
  p.directoryStart = fat.Chain(plan.directory);
  p.miniFatStart = fat.Chain(plan.miniFat);
  p.entryStart[0] = fat.Chain(plan.miniStream);
  for (size_t k = 0; k < entries.size(); ++k) {
    if (IsMini(entries[k]))
      p.entryStart[k] = mini.Chain(CeilDiv(entries[k].data.size(), kMiniSectorSize));
  }
  for (size_t k = 0; k < entries.size(); ++k) {
    if (IsRegular(entries[k]))
      p.entryStart[k] = fat.Chain(CeilDiv(entries[k].data.size(), kSectorSize));
  }
  p.fat = fat.Slots();
  p.miniFat = mini.Slots();
  return p;
}

// ---- serialisation -------------------------------------------------------------------------

void PadTo(ByteWriter& out, uint64_t multiple) {
  const uint64_t rest = (out.Size() - kSectorSize) % multiple;
  if (rest != 0) out.Zeros(multiple - rest);
}

void WriteHeader(ByteWriter& out, const SectorPlan& plan, const Placement& p) {
  static constexpr uint8_t kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  out.Bytes(kSignature, sizeof kSignature);
  out.Zeros(16);    // class id
  out.U16(0x003E);  // minor version
  out.U16(3);       // major version: 512-byte sectors
  out.U16(0xFFFE);  // byte order mark: little-endian
  out.U16(9);       // sector shift: 2^9 = 512
  out.U16(6);       // mini sector shift: 2^6 = 64
  out.Zeros(6);     // reserved
  out.U32(0);       // directory sector count (always 0 in version 3)
  out.U32(static_cast<uint32_t>(plan.fat));
  out.U32(p.directoryStart);
  out.U32(0);  // transaction signature
  out.U32(static_cast<uint32_t>(kMiniStreamCutoff));
  out.U32(p.miniFatStart);
  out.U32(static_cast<uint32_t>(plan.miniFat));
  out.U32(p.difatStart);
  out.U32(static_cast<uint32_t>(plan.difat));
  for (uint64_t k = 0; k < kHeaderDifatSlots; ++k) {
    out.U32(k < plan.fat ? static_cast<uint32_t>(p.fatStart + k) : kFreeSect);
  }
}

// DIFAT sectors list the FAT sectors that do not fit in the header, 127 to a sector.
void WriteDifat(ByteWriter& out, const SectorPlan& plan, const Placement& p) {
  for (uint64_t d = 0; d < plan.difat; ++d) {
    for (uint64_t slot = 0; slot < kDifatIdsPerSector; ++slot) {
      const uint64_t fatIndex = kHeaderDifatSlots + d * kDifatIdsPerSector + slot;
      out.U32(fatIndex < plan.fat ? static_cast<uint32_t>(p.fatStart + fatIndex) : kFreeSect);
    }
    out.U32(d + 1 < plan.difat ? static_cast<uint32_t>(p.difatStart + d + 1) : kEndOfChain);
  }
}

void WriteEntry(ByteWriter& out, const CompoundEntry& e, const Links& links, uint32_t start,
                uint64_t size) {
  out.Utf16(e.name);
  out.Zeros(64 - 2 * e.name.size());
  out.U16(static_cast<uint16_t>(2 * (e.name.size() + 1)));  // with the terminator
  out.U8(e.type);
  out.U8(links.colour);
  out.U32(links.left);
  out.U32(links.right);
  out.U32(links.child);
  out.Zeros(16 + 4 + 8 + 8);  // class id, state bits, creation and modification times
  out.U32(start);
  out.U64(size);
}

void WriteDirectory(ByteWriter& out, const std::vector<CompoundEntry>& entries,
                    const SectorPlan& plan, const Placement& p) {
  const std::vector<Links> links = LinkTrees(entries);
  for (size_t k = 0; k < entries.size(); ++k) {
    const CompoundEntry& e = entries[k];
    if (e.type == kTypeRoot) {
      WriteEntry(out, e, links[k], p.entryStart[k], plan.miniSectors * kMiniSectorSize);
    } else if (e.type == kTypeStorage) {
      WriteEntry(out, e, links[k], 0, 0);
    } else {
      WriteEntry(out, e, links[k], p.entryStart[k], e.data.size());
    }
  }
  for (uint64_t k = entries.size(); k < plan.directory * (kSectorSize / kEntrySize); ++k) {
    out.Zeros(64 + 2 + 2);  // unused entry: no name, type 0
    out.U32(kNoStream);
    out.U32(kNoStream);
    out.U32(kNoStream);
    out.Zeros(16 + 4 + 8 + 8 + 4 + 8);
  }
}

void WriteStreams(ByteWriter& out, const std::vector<CompoundEntry>& entries, bool mini) {
  for (const CompoundEntry& e : entries) {
    if (mini ? !IsMini(e) : !IsRegular(e)) continue;
    out.Bytes(e.data);
    PadTo(out, mini ? kMiniSectorSize : kSectorSize);
  }
  PadTo(out, kSectorSize);
}

}  // namespace

std::vector<uint8_t> WriteCompoundFile(const std::vector<CompoundEntry>& entries) {
  const SectorPlan plan = PlanSectors(entries);
  const Placement p = Place(entries, plan);
  ByteWriter out;
  WriteHeader(out, plan, p);
  for (uint32_t id : p.fat) out.U32(id);
  WriteDifat(out, plan, p);
  WriteDirectory(out, entries, plan, p);
  for (uint32_t id : p.miniFat) out.U32(id);
  WriteStreams(out, entries, true);
  WriteStreams(out, entries, false);
  return out.Take();
}

}  // namespace kav
