#include "model/symbols.h"

#include <algorithm>
#include <array>

#include "model/hashed_index.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

#include "model/symbol_rows.inc"

constexpr size_t kFactRows = std::size(kSymbolFacts);

// SymbolTable()'s rows, made from the named rows at the top of the facts.
constexpr std::array<SymbolRow, kNamedSymbolRows> MakeRows() {
  std::array<SymbolRow, kNamedSymbolRows> rows{};
  for (size_t i = 0; i < kNamedSymbolRows; ++i) {
    const SymbolFacts& facts = kSymbolFacts[i];
    rows[i] = {facts.name, facts.code, facts.group == SymbolGroup::Greek,
               facts.face == SymbolFace::Symbol};
  }
  return rows;
}
constexpr std::array<SymbolRow, kNamedSymbolRows> kRows = MakeRows();
static_assert(kNamedSymbolRows == 61, "the markup's named symbols keep their rows");

constexpr auto kByCode = HashedIndex<kFactRows>::Build(
    [](size_t i) { return kSymbolFacts[i].code; }, [](size_t) { return true; });
constexpr auto kByCharacter = HashedIndex<kFactRows>::Build(
    [](size_t i) { return uint32_t{kSymbolFacts[i].unicode}; }, [](size_t) { return true; });
constexpr auto kByName = HashedIndex<kNamedSymbolRows>::Build(
    [](size_t i) { return HashOfText(kSymbolFacts[i].name); }, [](size_t) { return true; });

}  // namespace

std::span<const SymbolFacts> AllSymbolFacts() { return kSymbolFacts; }

const SymbolFacts* FactsOf(SymbolCode code) {
  const int row = kByCode.Find(code, [code](size_t i) { return kSymbolFacts[i].code == code; });
  return row < 0 ? nullptr : &kSymbolFacts[row];
}

const SymbolFacts* FactsOfCharacter(char32_t ch) {
  const int row =
      kByCharacter.Find(ch, [ch](size_t i) { return kSymbolFacts[i].unicode == ch; });
  return row < 0 ? nullptr : &kSymbolFacts[row];
}

bool IsSpellingWord(std::u16string_view spelling) {
  const char16_t first = spelling.empty() ? u'\0' : spelling.front();
  return (first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z');
}

std::vector<std::u16string_view> WordsOf(std::u16string_view words) {
  std::vector<std::u16string_view> list;
  while (!words.empty()) {
    const size_t space = std::min(words.find(u' '), words.size());
    if (space > 0) list.push_back(words.substr(0, space));
    words.remove_prefix(std::min(space + 1, words.size()));
  }
  return list;
}

StyleFlags WithStyleBit(StyleFlags style, StyleFlags bit) {
  if (bit & StyleFaceMask) style &= ~StyleFaceMask;
  if (bit & StyleAccentMask) style &= ~StyleAccentMask;
  return style | bit;
}

std::span<const SymbolRow> SymbolTable() { return kRows; }

SymbolCode CodeOf(std::u16string_view name) {
  if (name.empty()) return 0;
  const int row = kByName.Find(HashOfText(name),
                               [name](size_t i) { return kSymbolFacts[i].name == name; });
  return row < 0 ? 0 : kSymbolFacts[row].code;
}

std::u16string NameOf(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts ? std::u16string(facts->name) : std::u16string();
}

bool Contains(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->row >= 0;
}

bool IsGreek(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->group == SymbolGroup::Greek;
}

bool UsesSymbolFont(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->face == SymbolFace::Symbol;
}

bool IsLetterPunctuation(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->group == SymbolGroup::Punctuation;
}

static bool IsAsciiAlnum(SymbolCode code) {
  return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
         (code >= 'a' && code <= 'z');
}

bool IsLetterCode(SymbolCode code) { return IsAsciiAlnum(code) || FactsOf(code) != nullptr; }

bool IsBigOperator(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->group == SymbolGroup::BigOperator;
}

bool IsLeafSymbol(SymbolCode code) { return IsLetterCode(code) && !IsBigOperator(code); }

bool IsUprightByDefault(SymbolCode code) {
  if (code >= '0' && code <= '9') return true;
  const SymbolFacts* facts = FactsOf(code);
  return facts && facts->face != SymbolFace::Italic;
}

AtomClass ClassOf(SymbolCode code) {
  const SymbolFacts* facts = FactsOf(code);
  return facts ? facts->atomClass : AtomClass::Ord;
}

}  // namespace kav
