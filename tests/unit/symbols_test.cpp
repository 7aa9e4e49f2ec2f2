#include <gtest/gtest.h>

#include "model/symbols.h"

namespace kav {
namespace {

TEST(SymbolTable, HasSixtyOneRowsInOrder) {
  const auto rows = SymbolTable();
  ASSERT_EQ(rows.size(), 61u);
  EXPECT_EQ(rows.front().name, u"alpha");
  EXPECT_EQ(rows[34].name, u"lbrace");
  EXPECT_EQ(rows.back().name, u"sqrt");
}

TEST(SymbolTable, LooksUpNamesCaseSensitively) {
  EXPECT_EQ(CodeOf(u"alpha"), 945u);
  EXPECT_EQ(CodeOf(u"Alpha"), 0u);
  EXPECT_EQ(CodeOf(u""), 0u);
  EXPECT_EQ(CodeOf(u"sum"), code::Sum);
  EXPECT_EQ(NameOf(47), u"frac");
  EXPECT_EQ(NameOf(60), u"lt");
  EXPECT_EQ(NameOf(code::LBrace), u"lbrace");
  EXPECT_EQ(NameOf('x'), u"");
}

TEST(SymbolTable, ClassifiesLetterCodes) {
  for (SymbolCode c : {SymbolCode('x'), SymbolCode('7'), SymbolCode('='), SymbolCode('('),
                       SymbolCode('.'), SymbolCode(']'), SymbolCode(47), SymbolCode(60),
                       code::LBrace, code::Sum}) {
    EXPECT_TRUE(IsLetterCode(c)) << c;
  }
  for (SymbolCode c : {SymbolCode(0), SymbolCode(' '), SymbolCode(':'), SymbolCode('{'),
                       SymbolCode('}'), SymbolCode('^'), SymbolCode('_'), SymbolCode(962),
                       code::Group}) {
    EXPECT_FALSE(IsLetterCode(c)) << c;
  }
}

TEST(SymbolTable, GreekSymbolFontAndUprightAttributes) {
  EXPECT_TRUE(IsGreek(945));
  EXPECT_FALSE(IsGreek(8804));
  EXPECT_FALSE(IsGreek('x'));
  EXPECT_TRUE(UsesSymbolFont(8943));
  EXPECT_FALSE(UsesSymbolFont(8804));
  EXPECT_FALSE(UsesSymbolFont('x'));
  for (SymbolCode c : {SymbolCode('7'), SymbolCode('+'), SymbolCode(8804), code::LBrace}) {
    EXPECT_TRUE(IsUprightByDefault(c)) << c;
  }
  EXPECT_FALSE(IsUprightByDefault('x'));
  EXPECT_FALSE(IsUprightByDefault(945));
}

TEST(SymbolTable, CountsGreekAndSymbolFaceRows) {
  int greek = 0, symbolFace = 0;
  for (const SymbolRow& row : SymbolTable()) {
    greek += row.greek;
    symbolFace += row.symbolFont;
  }
  EXPECT_EQ(greek, 34);
  EXPECT_EQ(symbolFace, 5);
}

}  // namespace
}  // namespace kav
