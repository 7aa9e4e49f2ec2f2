#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "model/line.h"
#include "tree_shape.h"

namespace kav {
namespace {

// The failure text that reading `markup` throws, or "(none)" when it reads.
std::u16string ReadError(std::u16string markup) {
  EquationLine line;
  line.markup = std::move(markup);
  try {
    line.Reparse();
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"(none)";
}

std::vector<Token> TokensOf(std::u16string markup) {
  EquationLine line;
  line.markup = std::move(markup);
  line.Tokenize();
  return line.tokens;
}

std::string ShapeOf(std::u16string markup) {
  EquationLine line(std::move(markup));
  return Shape(line.tree, line.tree.root);
}

TEST(MarkupReader, WorkedExampleTokens) {
  const std::vector<Token> tokens = TokensOf(u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}");
  const std::vector<std::pair<SymbolCode, StyleFlags>> expected = {
      {'x', 0}, {code::Super, 0},  {'{', 0}, {'2', 0}, {'}', 0}, {'+', 0}, {code::Frac, 0},
      {'{', 0}, {945, StyleRoman}, {'}', 0}, {'{', 0}, {946, 0}, {'}', 0}};
  ASSERT_EQ(tokens.size(), expected.size());
  for (size_t i = 0; i < tokens.size(); ++i) {
    EXPECT_EQ(tokens[i].code, expected[i].first) << i;
    EXPECT_EQ(tokens[i].flags, expected[i].second) << i;
  }
}

TEST(MarkupReader, EmptyMarkupGivesEmptyRootBeforePlaceholders) {
  EquationLine line;
  line.Tokenize();
  EXPECT_TRUE(line.tokens.empty());
  line.tree.Clear();
  line.tokenCursor = 0;
  line.Parse();
  ASSERT_EQ(line.tree.root, 0);
  EXPECT_EQ(line.tree.CodeAt(0), code::Group);
  EXPECT_EQ(line.tree.ChildCount(0), 0);
  EXPECT_EQ(ShapeOf(u""), "[ _ ]");
}

struct RefusalCase {
  const char* label;
  std::u16string markup;
  const char16_t* error;
};

TEST(MarkupReader, RefusedTextGetsTheReadersText) {
  const RefusalCase cases[] = {
      // An escape must be one the markup knows, spelled as it spells it.
      {"digit glued to \\sub", u"\\sub1", u"Unknown escape sequence"},
      {"bracket glued to \\frac", u"\\frac(", u"Unknown escape sequence"},
      {"backslash at the end", u"<a>\\", u"Unknown escape sequence"},
      {"escape in capitals", u"\\Frac{<a>}{<b>}", u"Unknown escape sequence"},
      {"double backslash", u"\\\\", u"Unknown escape sequence"},
      // Outside angle brackets only escapes, braces and letters stand.
      {"lone space", u" ", u"Unexpected char"},
      {"space between letters", u"<a> <b>", u"Unexpected char"},
      {"bare letter", u"x", u"Unexpected char"},
      {"stray >", u"<a>>", u"Unexpected char"},
      {"carriage return", u"<a>\r", u"Unexpected char"},
      {"NUL unit", std::u16string(u"<a>\0", 4), u"Unexpected char"},
      {"non-ASCII letter", u"\u00e9", u"Unexpected char"},
      // A structure needs the braces of every argument.
      {"\\frac without braces", u"\\frac<a>", u"Expected {"},
      {"\\frac with one argument", u"\\frac{<a>}", u"Expected {"},
      {"\\super at the end", u"\\super", u"Expected {"},
      {"\\sqrt left open", u"\\sqrt{<a>", u"Expected }"},
      {"upper limit left open", u"\\sum{<i>}{<n>", u"Expected }"},
      // A letter without a name ends the text right after the space: no NUL unit is appended.
      {"two letters in one pair", u"<ab>", u"Unknown letter "},
      {"empty brackets", u"<>", u"Unknown letter "},
      {"name in other capitals", u"<Alpha>", u"Unknown letter "},
      {"attributes without a name", u"<x><|rm>", u"Unknown letter "},
      {"brace without a structure", u"{<a>}", u"Unknown letter {"},
      {"brace group in an argument", u"\\sqrt{{<a>}}", u"Unknown letter {"},
      // A letter left open stops at the end of the text.
      {"lone <", u"<", u"Expected >"},
      {"open name", u"<x", u"Expected >"},
      {"open after |", u"<x|", u"Expected >"},
      {"open attribute", u"<x|rm", u"Expected >"},
      {"open after the second |", u"<x|rm|", u"Expected >"},
      {"open inside an argument", u"\\sqrt{<alpha", u"Expected >"},
  };
  for (const RefusalCase& c : cases) EXPECT_EQ(ReadError(c.markup), c.error) << c.label;
}

TEST(MarkupReader, WordsLongerThanNinetyNineAreRejected) {
  const std::u16string word99(99, u'a');
  const std::u16string word100(100, u'a');
  // 99 characters are read (and then fail the lookup); 100 are refused outright.
  EXPECT_EQ(ReadError(u"<" + word99 + u">"), u"Unknown letter ");
  EXPECT_EQ(ReadError(u"<" + word100 + u">"), u"Name too long");
  EXPECT_EQ(ReadError(u"<x|" + word99 + u">"), u"(none)");
  EXPECT_EQ(ReadError(u"<x|" + word100 + u">"), u"Name too long");
  EXPECT_EQ(ReadError(u"\\" + word100), u"Name too long");
  EXPECT_EQ(ReadError(u"<" + std::u16string(100000, u'7')), u"Name too long");
}

std::u16string NestedRoots(int depth) {
  std::u16string text;
  for (int i = 0; i < depth; ++i) text += u"\\sqrt{";
  text += u"<x>";
  for (int i = 0; i < depth; ++i) text += u"}";
  return text;
}

TEST(MarkupReader, NestingIsLimitedToOneHundredStructures) {
  EXPECT_EQ(ReadError(NestedRoots(100)), u"(none)");
  EXPECT_EQ(ReadError(NestedRoots(101)), u"Nesting too deep");
  EXPECT_EQ(ReadError(NestedRoots(100000)), u"Nesting too deep");
  // Two-argument structures count once per level, whichever argument holds the next one.
  std::u16string text = u"<a>";
  for (int i = 0; i < 101; ++i) text = u"\\frac{<b>}{" + text + u"}";
  EXPECT_EQ(ReadError(text), u"Nesting too deep");
  // Width is not depth: many structures side by side are fine.
  std::u16string wide;
  for (int i = 0; i < 1000; ++i) wide += u"\\sqrt{<a>}";
  EXPECT_EQ(ReadError(wide), u"(none)");
}

TEST(MarkupReader, SpaceSeparatesAttributes) {
  const std::vector<Token> spaced = TokensOf(u"<x rm>");
  ASSERT_EQ(spaced.size(), 1u);
  EXPECT_EQ(spaced[0].code, u'x');
  EXPECT_EQ(spaced[0].flags, StyleRoman);
  // Any character separates, even markup syntax.
  EXPECT_EQ(TokensOf(u"<x{rm\\hat>")[0].flags, StyleRoman | StyleHat);
}

TEST(MarkupReader, LaterAttributesWin) {
  const struct {
    const char* label;
    const char16_t* markup;
    StyleFlags flags;
  } cases[] = {
      {"bold after upright, then two accents", u"<x|rm|rmbold|hat|bar>", 0x12u},
      {"unknown attribute changes nothing", u"<x|vector|foo>", 0x04u},
      {"upright after bold", u"<x|rmbold|rm|tilde>", 0x21u},
      {"empty and capital attributes", u"<x||RM|>", 0u},
  };
  for (const auto& c : cases) EXPECT_EQ(TokensOf(c.markup)[0].flags, c.flags) << c.label;
}

TEST(MarkupReader, NamesAndSingleCharacters) {
  EXPECT_EQ(TokensOf(u"<(>")[0].code, 40u);
  EXPECT_EQ(TokensOf(u"<frac>")[0].code, 47u);
  EXPECT_EQ(TokensOf(u"<lt>")[0].code, 60u);
  EXPECT_EQ(TokensOf(u"<lbrace>")[0].code, code::LBrace);
  EXPECT_EQ(ShapeOf(u"<sum>{<i>}{<n>}"), ShapeOf(u"\\sum{<i>}{<n>}"));
  EXPECT_EQ(ReadError(u"<integral>"), u"Expected {");
  EXPECT_EQ(ShapeOf(u"<sum|rm|hat>{}{}"), "[ sum:9 [ _ ] [ _ ] ]");
  EXPECT_EQ(ShapeOf(u"\\none"), "[ none ]");
  EXPECT_EQ(ReadError(u"<none>"), u"Unknown letter ");
}

TEST(MarkupReader, StrayClosingBraceEndsTheLine) {
  EXPECT_EQ(ShapeOf(u"<a>}<b>"), "[ a ]");
  // The parser ignores what follows, but the tokenizer still reads all of it.
  EXPECT_EQ(ReadError(u"<a>}<b> "), u"Unexpected char");
  EXPECT_EQ(ShapeOf(u"<a>}}{"), "[ a ]");
}

TEST(MarkupReader, TreesOfMarkup) {
  const struct {
    const char* label;
    const char16_t* markup;
    const char* shape;
  } cases[] = {
      {"worked example", u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}",
       "[ x super [ 2 ] + frac [ #945:1 ] [ #946 ] ]"},
      // Red colours the next escape or letter.
      {"red letter in an argument", u"\\frac{\\red<a>}{<b>}", "[ frac [ a:40 ] [ b ] ]"},
      {"red structure", u"\\red\\frac{<a>}{<b>}", "[ frac:40 [ a ] [ b ] ]"},
      // A brace does not take the colour; it waits for the next escape or letter.
      {"red before a brace", u"\\sqrt\\red{<a>}", "[ sqrt [ a:40 ] ]"},
      {"red at the end", u"<a>\\red", "[ a ]"},
      {"red twice", u"\\red\\red<a><b>", "[ a:40 b ]"},
      {"red \\none", u"\\red\\none<a>", "[ none:40 a ]"},
      {"red with an accent", u"\\red<x|hat>", "[ x:48 ]"},
      // Scripts and empty arguments get placeholders.
      {"script with no base", u"\\super{<2>}", "[ _ super [ 2 ] ]"},
      {"empty fraction", u"\\frac{}{}", "[ frac [ _ ] [ _ ] ]"},
      {"script of nothing in a script", u"<x>\\sub{\\sub{<i>}}", "[ x sub [ _ sub [ i ] ] ]"},
      {"empty limit", u"\\integral{<a>}{<b>}\\prod{}{<n>}",
       "[ integral [ a ] [ b ] prod [ _ ] [ n ] ]"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShapeOf(c.markup), c.shape) << c.label;
}

TEST(MarkupReader, FailureKeepsWhatWasBuiltAndTheMarkup) {
  EquationLine line;
  line.markup = u"<a><b>\\frac{<c>}<d>";
  EXPECT_THROW(line.Reparse(), Failure);
  EXPECT_EQ(line.markup, u"<a><b>\\frac{<c>}<d>");
  EXPECT_EQ(line.tokens.size(), 7u);
  // Root, a, b, the fraction and its first argument with c; no placeholders were added.
  EXPECT_EQ(Shape(line.tree, line.tree.root), "[ a b frac [ c ] ]");

  line.markup = u"<a><b> <c>";
  EXPECT_THROW(line.Tokenize(), Failure);
  EXPECT_EQ(line.tokens.size(), 2u);
}

TEST(MarkupReader, ReparseReplacesThePreviousTree) {
  EquationLine line(u"<a><b><c>");
  line.markup = u"<z>";
  line.Reparse();
  EXPECT_EQ(Shape(line.tree, line.tree.root), "[ z ]");
  EXPECT_EQ(line.tree.nodes.size(), 2u);
}

}  // namespace
}  // namespace kav
