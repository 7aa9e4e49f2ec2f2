#include "base/math_table.h"

#include <algorithm>
#include <map>

#include "base/failure.h"
#include "base/sfnt_bytes.h"

namespace kav {

// Reads the MATH table's subtables into a MathTable. Every count is checked against the bytes
// before anything is allocated for it, and kern tables and constructions shared by several
// glyphs are read once; the records kept in all never take more bytes than the table has, so a
// table of overlapping offsets cannot make the reader allocate without bound.
class MathTableReader {
 public:
  MathTableReader(std::span<const uint8_t> bytes, MathTable& table)
      : t_(bytes, u"MATH table"), out_(table), budget_(bytes.size()) {}

  void Read() {
    t_.Require(0, 1, 10, u"header past the end");
    if (t_.U16(0, u"header past the end") != 1) t_.Fail(u"major version is not 1");
    ReadConstants(t_.Offset16(0, 4, u"constants past the end"));
    ReadGlyphInfo(t_.Offset16(0, 6, u"glyph info past the end"));
    ReadVariants(t_.Offset16(0, 8, u"variants past the end"));
  }

 private:
  // A MathValueRecord's value; its device table offset is not followed.
  int32_t Value(size_t at, std::u16string_view what) const { return t_.S16(at, what); }

  void Spend(size_t records, size_t recordSize) {
    if (records * recordSize > budget_) t_.Fail(u"more records than the table's bytes hold");
    budget_ -= records * recordSize;
  }

  void ReadConstants(size_t at) {
    if (at == 0) return;
    constexpr std::u16string_view what = u"constants past the end";
    t_.Require(at, 1, 214, what);
    auto& c = out_.constants_;
    c[0] = t_.S16(at, what);
    c[1] = t_.S16(at + 2, what);
    c[2] = t_.U16(at + 4, what);
    c[3] = t_.U16(at + 6, what);
    for (size_t i = 4; i + 1 < kMathConstantCount; ++i) c[i] = Value(at + 8 + 4 * (i - 4), what);
    c[kMathConstantCount - 1] = t_.S16(at + 212, what);
  }

  // The glyphs a coverage table lists, each with its coverage index.
  std::vector<std::pair<uint16_t, uint32_t>> Coverage(size_t at) const {
    std::vector<std::pair<uint16_t, uint32_t>> glyphs;
    if (at == 0) return glyphs;
    const uint16_t format = t_.U16(at, u"coverage past the end");
    const uint16_t count = t_.U16(at + 2, u"coverage past the end");
    if (format == 1) {
      t_.Require(at + 4, count, 2, u"coverage count too large");
      for (uint32_t i = 0; i < count; ++i)
        glyphs.emplace_back(t_.U16(at + 4 + 2 * i, u"coverage count too large"), i);
    } else if (format == 2) {
      t_.Require(at + 4, count, 6, u"coverage count too large");
      CoverageRanges(at + 4, count, glyphs);
    } else {
      t_.Fail(u"unknown coverage format");
    }
    return glyphs;
  }

  // Ranges must ascend without overlapping, which also keeps the list to at most 65,536 glyphs.
  void CoverageRanges(size_t at, uint16_t count,
                      std::vector<std::pair<uint16_t, uint32_t>>& glyphs) const {
    uint32_t next = 0;
    for (size_t i = 0; i < count; ++i) {
      const size_t range = at + 6 * i;
      constexpr std::u16string_view what = u"coverage count too large";
      const uint32_t first = t_.U16(range, what), last = t_.U16(range + 2, what);
      const uint32_t index = t_.U16(range + 4, what);
      if (first < next || last < first) t_.Fail(u"coverage ranges out of order");
      next = last + 1;
      for (uint32_t glyph = first; glyph <= last; ++glyph) {
        glyphs.emplace_back(static_cast<uint16_t>(glyph), index + (glyph - first));
      }
    }
  }

  // A coverage and the MathValueRecords it indexes (italic corrections, accent attachments).
  void ReadValues(size_t at, std::unordered_map<uint16_t, int32_t>& values,
                  std::u16string_view what) {
    if (at == 0) return;
    const auto glyphs = Coverage(t_.Offset16(at, 0, what));
    const uint16_t count = t_.U16(at + 2, what);
    t_.Require(at + 4, count, 4, what);
    for (const auto& [glyph, index] : glyphs) {
      if (index < count) values.emplace(glyph, Value(at + 4 + 4 * size_t{index}, what));
    }
  }

  void ReadGlyphInfo(size_t at) {
    if (at == 0) return;
    constexpr std::u16string_view what = u"glyph info past the end";
    ReadValues(t_.Offset16(at, 0, what), out_.italicCorrections_,
               u"italic corrections past the end");
    ReadValues(t_.Offset16(at, 2, what), out_.topAccents_, u"top accents past the end");
    for (const auto& entry : Coverage(t_.Offset16(at, 4, what))) {
      out_.extendedShapes_.insert(entry.first);
    }
    ReadKernInfo(t_.Offset16(at, 6, what));
  }

  void ReadKernInfo(size_t at) {
    if (at == 0) return;
    constexpr std::u16string_view what = u"kern info past the end";
    const auto glyphs = Coverage(t_.Offset16(at, 0, what));
    const uint16_t count = t_.U16(at + 2, what);
    t_.Require(at + 4, count, 8, what);
    for (const auto& [glyph, index] : glyphs) {
      if (index >= count) continue;
      std::array<uint32_t, 4> corners{};
      for (size_t corner = 0; corner < 4; ++corner) {
        const size_t kern = t_.Offset16(at, 4 + 8 * size_t{index} + 2 * corner, what);
        corners[corner] = kern == 0 ? MathTable::kNone : KernTable(kern);
      }
      out_.kerns_.emplace(glyph, corners);
    }
  }

  uint32_t KernTable(size_t at) {
    const auto [found, fresh] = kernAt_.emplace(at, out_.kernTables_.size());
    if (!fresh) return found->second;
    constexpr std::u16string_view what = u"kern table past the end";
    const uint16_t heights = t_.U16(at, what);
    t_.Require(at + 2, 2 * size_t{heights} + 1, 4, what);
    Spend(2 * size_t{heights} + 1, 4);
    MathTable::KernSteps steps;
    for (size_t i = 0; i < heights; ++i) steps.heights.push_back(Value(at + 2 + 4 * i, what));
    for (size_t i = 0; i <= heights; ++i) {
      steps.kerns.push_back(Value(at + 2 + 4 * (size_t{heights} + i), what));
    }
    out_.kernTables_.push_back(std::move(steps));
    return found->second;
  }

  void ReadVariants(size_t at) {
    if (at == 0) return;
    constexpr std::u16string_view what = u"variants past the end";
    out_.minConnectorOverlap_ = t_.U16(at, what);
    const auto vertical = Coverage(t_.Offset16(at, 2, what));
    const auto horizontal = Coverage(t_.Offset16(at, 4, what));
    const uint16_t verticalCount = t_.U16(at + 6, what);
    const uint16_t horizontalCount = t_.U16(at + 8, what);
    t_.Require(at + 10, size_t{verticalCount} + horizontalCount, 2,
               u"construction count too large");
    ReadConstructions(at, at + 10, verticalCount, vertical, out_.vertical_);
    ReadConstructions(at, at + 10 + 2 * size_t{verticalCount}, horizontalCount, horizontal,
                      out_.horizontal_);
  }

  void ReadConstructions(size_t variants, size_t offsets, uint16_t count,
                         const std::vector<std::pair<uint16_t, uint32_t>>& glyphs,
                         std::unordered_map<uint16_t, uint32_t>& out) {
    for (const auto& [glyph, index] : glyphs) {
      if (index >= count) continue;
      const size_t at = t_.Offset16(variants, offsets - variants + 2 * size_t{index},
                                    u"glyph construction past the end");
      if (at != 0) out.emplace(glyph, ConstructionAt(at));
    }
  }

  uint32_t ConstructionAt(size_t at) {
    const auto [found, fresh] = constructionAt_.emplace(at, out_.constructions_.size());
    if (!fresh) return found->second;
    constexpr std::u16string_view what = u"glyph construction past the end";
    MathTable::Construction construction;
    const size_t assembly = t_.Offset16(at, 0, what);
    const uint16_t count = t_.U16(at + 2, what);
    t_.Require(at + 4, count, 4, u"variant count too large");
    Spend(count, 4);
    for (size_t i = 0; i < count; ++i) {
      construction.variants.push_back({t_.U16(at + 4 + 4 * i, what), t_.U16(at + 6 + 4 * i, what)});
    }
    if (assembly != 0) construction.assembly = Assembly(assembly);
    out_.constructions_.push_back(std::move(construction));
    return found->second;
  }

  MathGlyphAssembly Assembly(size_t at) {
    constexpr std::u16string_view what = u"assembly past the end";
    MathGlyphAssembly assembly;
    assembly.italicCorrection = Value(at, what);
    const uint16_t count = t_.U16(at + 4, what);
    t_.Require(at + 6, count, 10, u"assembly part count too large");
    Spend(count, 10);
    for (size_t i = 0; i < count; ++i) {
      const size_t part = at + 6 + 10 * i;
      assembly.parts.push_back({t_.U16(part, what), t_.U16(part + 2, what), t_.U16(part + 4, what),
                                t_.U16(part + 6, what), (t_.U16(part + 8, what) & 1) != 0});
    }
    return assembly;
  }

  SfntTable t_;
  MathTable& out_;
  size_t budget_;
  std::map<size_t, uint32_t> kernAt_;
  std::map<size_t, uint32_t> constructionAt_;
};

namespace {

int32_t HeadUnitsPerEm(std::span<const uint8_t> head) {
  const SfntTable table(head, u"head table");
  if (head.empty()) table.Fail(u"missing");
  const uint16_t units = table.U16(18, u"too short");
  if (units < 16 || units > 16384) table.Fail(u"units per em out of range");
  return units;
}

}  // namespace

MathTable MathTable::FromFont(std::span<const uint8_t> font) {
  MathTable table;
  table.unitsPerEm_ = HeadUnitsPerEm(SfntTableBytes(font, "head"));
  table.cmap_ = CmapRanges(SfntTableBytes(font, "cmap"));
  const std::span<const uint8_t> math = SfntTableBytes(font, "MATH");
  if (math.empty()) return table;
  MathTableReader(math, table).Read();
  table.hasTable_ = true;
  return table;
}

MathTable MathTable::FromConstants(const std::array<int32_t, kMathConstantCount>& constants,
                                   int32_t unitsPerEm) {
  MathTable table;
  table.constants_ = constants;
  table.unitsPerEm_ = unitsPerEm;
  table.hasTable_ = true;
  return table;
}

uint16_t MathTable::GlyphOf(char32_t code) const {
  const auto after = std::upper_bound(cmap_.begin(), cmap_.end(), code,
                                      [](char32_t c, const CmapRange& r) { return c < r.first; });
  if (after == cmap_.begin()) return 0;
  const CmapRange& range = *(after - 1);
  if (code > range.last) return 0;
  const uint32_t glyph = range.glyph + (code - range.first);
  return glyph <= 0xFFFF ? static_cast<uint16_t>(glyph) : 0;
}

int32_t MathTable::ItalicCorrection(uint16_t glyph) const {
  const auto found = italicCorrections_.find(glyph);
  return found == italicCorrections_.end() ? 0 : found->second;
}

std::optional<int32_t> MathTable::TopAccentAttachment(uint16_t glyph) const {
  const auto found = topAccents_.find(glyph);
  if (found == topAccents_.end()) return std::nullopt;
  return found->second;
}

bool MathTable::IsExtendedShape(uint16_t glyph) const {
  return extendedShapes_.contains(glyph);
}

// Correction heights split the heights into steps, each starting at its correction height: the
// kern below the first, between two, or above the last.
int32_t MathTable::Kern(uint16_t glyph, MathKernCorner corner, int32_t height) const {
  const auto found = kerns_.find(glyph);
  if (found == kerns_.end()) return 0;
  const uint32_t index = found->second[static_cast<size_t>(corner)];
  if (index == kNone) return 0;
  const KernSteps& steps = kernTables_[index];
  const auto step = std::upper_bound(steps.heights.begin(), steps.heights.end(), height);
  return steps.kerns[static_cast<size_t>(step - steps.heights.begin())];
}

std::span<const MathGlyphVariant> MathTable::Variants(uint16_t glyph, bool vertical) const {
  const auto& constructions = vertical ? vertical_ : horizontal_;
  const auto found = constructions.find(glyph);
  if (found == constructions.end()) return {};
  return constructions_[found->second].variants;
}

const MathGlyphAssembly* MathTable::Assembly(uint16_t glyph, bool vertical) const {
  const auto& constructions = vertical ? vertical_ : horizontal_;
  const auto found = constructions.find(glyph);
  if (found == constructions.end()) return nullptr;
  const auto& assembly = constructions_[found->second].assembly;
  return assembly ? &*assembly : nullptr;
}

}  // namespace kav
