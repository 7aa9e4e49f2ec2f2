// Hand-made font files for the MATH table tests: tables written as big-endian 16-bit words, put
// behind a table directory, and a small MATH table whose kerns, coverage and constructions can be
// checked by eye.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kav::test {

// Each value as one big-endian 16-bit word (negative values as their two's complement).
inline std::vector<uint8_t> Words(std::initializer_list<int32_t> words) {
  std::vector<uint8_t> bytes;
  for (int32_t word : words) {
    bytes.push_back(static_cast<uint8_t>((word >> 8) & 0xFF));
    bytes.push_back(static_cast<uint8_t>(word & 0xFF));
  }
  return bytes;
}

inline std::vector<uint8_t> Joined(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> bytes;
  for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

// A 54-byte 'head' table with only the version and units per em filled in.
inline std::vector<uint8_t> HeadTable(int32_t unitsPerEm = 1000) {
  std::vector<uint8_t> head = Words({1, 0});
  head.resize(18);
  const auto units = Words({unitsPerEm});
  head.insert(head.end(), units.begin(), units.end());
  head.resize(54);
  return head;
}

using SfntTables = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

// An 'OTTO' file: the directory (tags as given, each table 4-byte aligned), then the tables.
inline std::vector<uint8_t> SfntFile(const SfntTables& tables) {
  const auto count = static_cast<int32_t>(tables.size());
  std::vector<uint8_t> file = Joined({Words({0x4F54, 0x544F, count, 0, 0, 0})});
  uint32_t offset = 12 + 16 * static_cast<uint32_t>(count);
  std::vector<uint8_t> body;
  for (const auto& [tag, bytes] : tables) {
    file.insert(file.end(), tag.begin(), tag.end());
    const auto length = static_cast<uint32_t>(bytes.size());
    const auto at = offset + static_cast<uint32_t>(body.size());
    const auto records =
        Words({0, 0, static_cast<int32_t>(at >> 16), static_cast<int32_t>(at & 0xFFFF),
               static_cast<int32_t>(length >> 16), static_cast<int32_t>(length & 0xFFFF)});
    file.insert(file.end(), records.begin(), records.end());
    body.insert(body.end(), bytes.begin(), bytes.end());
    body.resize((body.size() + 3) & ~size_t{3});
  }
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

inline std::vector<uint8_t> FontWithMath(const std::vector<uint8_t>& math) {
  return SfntFile({{"head", HeadTable()}, {"MATH", math}});
}

// A MATH table with kerns only. Glyph 5: top right and bottom left step from 10 to 20 at height
// 100 and to 30 at height 300; top left is -7 at every height; bottom right has none. Glyph 7:
// -7 on its bottom right only. Glyph 9 is covered but past the record count.
inline std::vector<uint8_t> KernMathTable() {
  return Joined({
      Words({1, 0, 0, 10, 0}),                          // header: glyph info at 10
      Words({0, 0, 0, 8}),                              // glyph info: kern info at 18
      Words({20, 2, 30, 52, 0, 30, 0, 0, 52, 0}),       // kern info: coverage at +20, two records
      Words({1, 3, 5, 7, 9}),                           // coverage: glyphs 5, 7, 9
      Words({2, 100, 0, 300, 0, 10, 0, 20, 0, 30, 0}),  // kern at +30: steps at 100 and 300
      Words({0, -7, 0}),                                // kern at +52: one value
  });
}

}  // namespace kav::test
