#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "export/latex_symbols.h"
#include "import/latex_commands.h"
#include "model/hashed_index.h"
#include "model/near_equivalents.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

std::string Named(const SymbolFacts& facts) {
  return facts.name.empty() ? std::string(1, static_cast<char>(facts.code))
                            : EncodeUtf8(facts.name);
}

TEST(SymbolFacts, EveryRowIsFoundByItsCodeItsCharacterAndItsName) {
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    EXPECT_EQ(FactsOf(facts.code), &facts) << Named(facts);
    EXPECT_EQ(FactsOfCharacter(facts.unicode), &facts) << Named(facts);
    if (facts.row < 0) continue;
    EXPECT_EQ(CodeOf(facts.name), facts.code) << Named(facts);
    EXPECT_EQ(SymbolTable()[facts.row].code, facts.code) << Named(facts);
  }
  // Letters, digits, structures, characters of reserved codes and neighbours of real rows.
  for (SymbolCode c : {SymbolCode(0), SymbolCode('x'), SymbolCode('7'), SymbolCode(' '),
                       SymbolCode('{'), SymbolCode(962), SymbolCode(945 + 0x10000), code::Group,
                       code::Placeholder, code::RedEscape, SymbolCode(0xFFFFFFFF)}) {
    EXPECT_EQ(FactsOf(c), nullptr) << c;
  }
  EXPECT_EQ(FactsOfCharacter(U'{')->code, code::LBrace);
  EXPECT_EQ(FactsOfCharacter(U'\u2211')->code, code::Sum);
  EXPECT_EQ(FactsOfCharacter(U'x'), nullptr);
  EXPECT_EQ(CodeOf(u"alph"), 0u);
  EXPECT_EQ(CodeOf(u"alphas"), 0u);
}

TEST(SymbolFacts, BracketsArePartnersBothWaysAndOpenOrCloseInTex) {
  int pairs = 0;
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    const bool open = facts.typing == TypingRole::Open;
    const bool close = facts.typing == TypingRole::Close;
    EXPECT_EQ(facts.partner != 0, open || close) << Named(facts);
    if (open || close) {
      EXPECT_EQ(facts.atomClass, open ? AtomClass::Open : AtomClass::Close) << Named(facts);
    }
    if (!open) continue;
    const SymbolFacts* partner = FactsOf(facts.partner);
    ASSERT_NE(partner, nullptr) << Named(facts);
    EXPECT_EQ(partner->typing, TypingRole::Close) << Named(facts);
    EXPECT_EQ(partner->partner, facts.code) << Named(facts);
    ++pairs;
  }
  EXPECT_EQ(pairs, 5);
}

// What one format writes must read back: no command word of a symbol is shadowed by another row
// of the reader (a refused lookalike, a function name, another symbol's word), and every command
// the writer writes reads as its symbol.
TEST(SymbolFacts, LatexWordsReadBackToTheirSymbol) {
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    for (std::u16string_view word : WordsOf(facts.latexRead)) {
      const LatexCommand* command = FindLatexCommand(word);
      ASSERT_NE(command, nullptr) << EncodeUtf8(word);
      EXPECT_EQ(command->value, facts.code) << EncodeUtf8(word);
    }
    if (facts.latex.size() > 1 && facts.latex[0] == u'\\' && IsSpellingWord(facts.latex.substr(1))) {
      const LatexCommand* command = FindLatexCommand(facts.latex.substr(1));
      ASSERT_NE(command, nullptr) << Named(facts);
      EXPECT_EQ(command->value, facts.code) << Named(facts);
    }
  }
}

// plain TeX's classes (its \mathcode and \mathchardef lines; \surd is a group, so ordinary, and
// \cdots an inner atom). The degree sign is not listed: TeX has none, only the superscript \circ.
TEST(SymbolFacts, ClassesAreTexClasses) {
  const struct {
    SymbolCode code;
    AtomClass atomClass;
  } kTex[] = {
      {'+', AtomClass::Bin},      {'-', AtomClass::Bin},      {'*', AtomClass::Bin},
      {'=', AtomClass::Rel},      {'<', AtomClass::Rel},      {'>', AtomClass::Rel},
      {'(', AtomClass::Open},     {'[', AtomClass::Open},     {')', AtomClass::Close},
      {']', AtomClass::Close},    {'!', AtomClass::Close},    {',', AtomClass::Punct},
      {'.', AtomClass::Ord},      {'|', AtomClass::Ord},      {'/', AtomClass::Ord},
      {8804, AtomClass::Rel},     {8805, AtomClass::Rel},     {8712, AtomClass::Rel},
      {8834, AtomClass::Rel},     {8594, AtomClass::Rel},     {183, AtomClass::Bin},
      {215, AtomClass::Bin},      {177, AtomClass::Bin},      {8745, AtomClass::Bin},
      {8746, AtomClass::Bin},     {8734, AtomClass::Ord},     {8943, AtomClass::Inner},
      {8970, AtomClass::Open},    {8968, AtomClass::Open},    {8971, AtomClass::Close},
      {8969, AtomClass::Close},   {code::LBrace, AtomClass::Open},
      {code::RBrace, AtomClass::Close}, {code::Sum, AtomClass::Op},
      {code::Prod, AtomClass::Op}, {code::Integral, AtomClass::Op}, {945, AtomClass::Ord},
      {8730, AtomClass::Ord},     {'x', AtomClass::Ord},      {code::Frac, AtomClass::Ord},
  };
  for (const auto& row : kTex) EXPECT_EQ(ClassOf(row.code), row.atomClass) << row.code;
}

// Keys spread out, and keys whose hashes all collide; every fifth row has no key. Every key is
// found and a key of no row is not, however long the probe.
TEST(HashedIndex, FindsEveryKeyAndOnlyThem) {
  constexpr size_t kRows = 300;
  using HashOf = uint32_t (*)(size_t);
  const HashOf kHashes[] = {[](size_t i) { return static_cast<uint32_t>(i * 3); },
                            [](size_t) { return 7u; }};
  for (const HashOf hashOf : kHashes) {
    const auto index = HashedIndex<kRows>::Build(hashOf, [](size_t i) { return i % 5 != 0; });
    for (size_t row = 0; row < kRows; ++row) {
      const int found = index.Find(hashOf(row), [row](size_t i) { return i == row; });
      EXPECT_EQ(found, row % 5 != 0 ? static_cast<int>(row) : -1) << row;
    }
    EXPECT_EQ(index.Find(hashOf(1), [](size_t) { return false; }), -1);
  }
}

// A character listed in several rows (the baseline dots as \ldots, \dots, ...) reads by its first.
TEST(NearEquivalents, EveryCharacterFindsItsFirstRow) {
  const auto rows = NearEquivalents();
  for (size_t i = 0; i < rows.size(); ++i) {
    const NearEquivalent* first = &rows[i];
    for (size_t k = 0; k < i; ++k) {
      if (rows[k].ch == rows[i].ch) {
        first = &rows[k];
        break;
      }
    }
    EXPECT_EQ(NearEquivalentOfChar(rows[i].ch), first) << EncodeUtf8(rows[i].latex);
  }
  EXPECT_EQ(NearEquivalentOfChar(U'\u2026')->latex, u"ldots");
  EXPECT_EQ(NearEquivalentOfChar(U'-'), nullptr);
}

}  // namespace
}  // namespace kav
