#include "model/near_equivalents.h"

#include "model/hashed_index.h"

namespace kav {
namespace {

constexpr std::u16string_view kBaselineDots =
    u"the dots on the baseline \u2026, not Kav's centred \u22EF";

// A reader substitutes only where the two look alike and mean the same. A letter is never read
// as a letter of another shape, and dots or a bullet are never read as the centred dot: those
// are refused by name until the formula holds them.
constexpr NearEquivalent kRows[] = {
    {0x2212, {}, '-', {}},  // the minus sign pages and word processors write
    {0x2013, {}, '-', {}},
    {0x22C5, {}, 183, {}},  // the dot operator
    {0x2217, u"ast", '*', {}},
    {0x2223, u"mid", 124, {}},
    {0x2A7D, u"leqslant", 8804, {}},
    {0x2A7E, u"geqslant", 8805, {}},
    {0x03F5, u"epsilon", 0, u"the lunate epsilon \u03F5, not Kav's \u03B5"},
    {0x03D5, u"phi", 0, u"the straight phi \u03D5, not Kav's \u03C6"},
    {0x03D1, u"vartheta", 0, u"the script theta \u03D1, not Kav's \u03B8"},
    {0x03F1, u"varrho", 0, u"the looped rho \u03F1, not Kav's \u03C1"},
    {0x03D6, u"varpi", 0, u"the variant pi \u03D6, not Kav's \u03C0"},
    {0x03C2, u"varsigma", 0, u"the final sigma \u03C2, not Kav's \u03C3"},
    {0x03F0, u"varkappa", 0, u"the variant kappa \u03F0, not Kav's \u03BA"},
    {0x2026, u"ldots", 0, kBaselineDots},
    // amsmath's \dots is centred only before an operator or relation; refused by name either way.
    {0x2026, u"dots", 0, kBaselineDots},
    {0x2026, u"dotsc", 0, kBaselineDots},
    {0x2026, u"dotso", 0, kBaselineDots},
    {0x2219, u"bullet", 0, u"the bullet \u2219, not Kav's centred dot \u00B7"},
};

// A character's first row is the one found: rows of one key are probed in the order built.
constexpr auto kByChar = HashedIndex<std::size(kRows)>::Build(
    [](size_t i) { return static_cast<uint32_t>(kRows[i].ch); }, [](size_t) { return true; });

}  // namespace

std::span<const NearEquivalent> NearEquivalents() {
  return kRows;
}

const NearEquivalent* NearEquivalentOfChar(char32_t ch) {
  const int row = kByChar.Find(ch, [ch](size_t i) { return kRows[i].ch == ch; });
  return row < 0 ? nullptr : &kRows[row];
}

}  // namespace kav
