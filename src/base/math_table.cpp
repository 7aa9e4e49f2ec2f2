// Temporary look-ups over an empty table until the font reader lands.
#include "base/math_table.h"

namespace kav {

MathTable MathTable::FromConstants(const std::array<int32_t, kMathConstantCount>& constants,
                                   int32_t unitsPerEm) {
  MathTable table;
  table.hasTable_ = true;
  table.constants_ = constants;
  table.unitsPerEm_ = unitsPerEm;
  return table;
}

uint16_t MathTable::GlyphOf(char32_t code) const {
  const auto found = cmap_.find(code);
  return found == cmap_.end() ? 0 : found->second;
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

std::span<const MathGlyphVariant> MathTable::Variants(uint16_t glyph, bool vertical) const {
  const auto& map = vertical ? vertical_ : horizontal_;
  const auto found = map.find(glyph);
  if (found == map.end()) return {};
  return found->second.variants;
}

const MathGlyphAssembly* MathTable::Assembly(uint16_t glyph, bool vertical) const {
  const auto& map = vertical ? vertical_ : horizontal_;
  const auto found = map.find(glyph);
  if (found == map.end() || !found->second.assembly) return nullptr;
  return &*found->second.assembly;
}

}  // namespace kav
