// An index from keys to row numbers built at compile time: open addressing with linear probing in
// a power-of-two array at most half full, so that a look-up is one or two probes however many
// rows a table grows to.
#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kav {

constexpr uint32_t HashOfText(std::u16string_view text) {
  uint32_t hash = 2166136261u;  // FNV-1a over the UTF-16 units
  for (char16_t unit : text) hash = (hash ^ unit) * 16777619u;
  return hash;
}

template <size_t Rows>
struct HashedIndex {
  static constexpr size_t kSlots = std::bit_ceil(2 * Rows);
  static constexpr int kShift = 32 - std::countr_zero(kSlots);
  static_assert(Rows < 32768, "row numbers are 16-bit");

  std::array<int16_t, kSlots> slots{};

  static constexpr size_t Home(uint32_t hash) { return (hash * 0x9E3779B1u) >> kShift; }

  // `hashOf(i)` is row i's key hash; `has(i)` says whether row i has a key at all.
  template <typename HashOf, typename Has>
  static constexpr HashedIndex Build(HashOf hashOf, Has has) {
    HashedIndex index;
    index.slots.fill(-1);
    for (size_t row = 0; row < Rows; ++row) {
      if (!has(row)) continue;
      size_t slot = Home(hashOf(row));
      while (index.slots[slot] >= 0) slot = (slot + 1) % kSlots;
      index.slots[slot] = static_cast<int16_t>(row);
    }
    return index;
  }

  // The row whose key `matches`, or -1.
  template <typename Matches>
  constexpr int Find(uint32_t hash, Matches matches) const {
    for (size_t slot = Home(hash);; slot = (slot + 1) % kSlots) {
      const int16_t row = slots[slot];
      if (row < 0 || matches(static_cast<size_t>(row))) return row;
    }
  }
};

}  // namespace kav
