#include <gtest/gtest.h>

#include <string>

#include "export/tex_writer.h"
#include "model/line.h"
#include "writer_text.h"

namespace kav {
namespace {

std::u16string Tex(const EquationTree& tree, int32_t node) {
  return WrittenText(WriteTexNode, tree, node);
}

std::u16string Tex(const char16_t* markup) { return WrittenText(WriteTexNode, markup); }

std::u16string TexOfLeaf(SymbolCode c, StyleFlags style) {
  return WrittenLeaf(WriteTexNode, c, style);
}

TEST(TexWriter, WorkedExamples) {
  EXPECT_EQ(Tex(u"<x|hat|rm>"), u"\\hat{\\rm x}");
  EXPECT_EQ(Tex(u"<x|rmbold>"), u"{\\bold x}");
  EXPECT_EQ(Tex(u"\\red<x>"), u"\\textcolor{red}{x}");
  EXPECT_EQ(Tex(u"<5|rm>"), u"5");
  EXPECT_EQ(Tex(u"<alpha|vector>"), u"\\vec{\\alpha }");
  EXPECT_EQ(Tex(u"<x>\\super{<2>}"), u"x^{2}");
  EXPECT_EQ(Tex(u"\\sum{<i><=><1>}{<n>}"), u"\\sum _{i=1}^{n}");
}

TEST(TexWriter, EmptyTreeOrNegativeNodeWritesNothing) {
  EquationTree empty;
  EXPECT_EQ(Tex(empty, 0), u"");
  EquationLine line(u"<x>");
  EXPECT_EQ(Tex(line.tree, -1), u"");
}

TEST(TexWriter, Structures) {
  EXPECT_EQ(Tex(u"\\frac{<a>}{}"), u"\\frac{a}{}");
  EXPECT_EQ(Tex(u"\\sqrt{<x><+><1>}"), u"\\sqrt{x+1}");
  EXPECT_EQ(Tex(u"<a>\\sub{<i>}"), u"a_{i}");
  EXPECT_EQ(Tex(u"\\prod{\\none}{<n>}<x>"), u"\\prod ^{n}x");
  EXPECT_EQ(Tex(u"\\integral{<0>}{\\none}"), u"\\integral _{0}");
  EXPECT_EQ(Tex(u"\\sum{\\none}{\\none}<a>"), u"\\sum a");
}

TEST(TexWriter, RedStructuresColourOnlyTheirSign) {
  EXPECT_EQ(Tex(u"\\red\\frac{<1>}{<x>}"),
            u"\\textcolor{red}{\\frac{\\textcolor{black}{1}}{\\textcolor{black}{x}}}");
  EXPECT_EQ(Tex(u"\\red\\sqrt{<x>}"), u"\\textcolor{red}{\\sqrt{\\textcolor{black}{x}}}");
  EXPECT_EQ(Tex(u"\\red\\sum{<i>}{<n>}"),
            u"\\textcolor{red}{\\sum _{\\textcolor{black}{i}}^{\\textcolor{black}{n}}}");
  EXPECT_EQ(Tex(u"\\red\\sum{\\none}{\\none}"), u"\\textcolor{red}{\\sum }");
  EXPECT_EQ(Tex(u"<x>\\red\\super{<2>}"), u"x^{2}");
  EXPECT_EQ(Tex(u"\\red\\frac{\\red<1>}{<x>}"),
            u"\\textcolor{red}{\\frac{\\textcolor{black}{\\textcolor{red}{1}}}"
            u"{\\textcolor{black}{x}}}");
}

TEST(TexWriter, FacesAndAccents) {
  EXPECT_EQ(Tex(u"<5|rmbold>"), u"{\\bold 5}");
  EXPECT_EQ(Tex(u"<5|rm|hat>"), u"\\hat{\\rm 5}");
  EXPECT_EQ(Tex(u"<x|rm>"), u"{\\rm x}");
  EXPECT_EQ(Tex(u"<x|tilde>"), u"\\tilde{x}");
  EXPECT_EQ(Tex(u"<Omega|bar|rmbold>"), u"\\bar{\\bold \\Omega }");
  EXPECT_EQ(Tex(u"<+|rmbold|hat>"), u"+");
  EXPECT_EQ(TexOfLeaf('x', StyleHat | StyleBar | StyleRoman), u"{\\rm x}");
  EXPECT_EQ(TexOfLeaf('x', StyleRoman | StyleBoldRoman), u"x");
  EXPECT_EQ(TexOfLeaf('x', StyleRoman | StyleBoldRoman | StyleVector), u"\\vec{x}");
}

TEST(TexWriter, RowsAndNamedSymbols) {
  EXPECT_EQ(Tex(u"<x><y>"), u"xy");
  EXPECT_EQ(Tex(u"<alpha><beta>"), u"\\alpha \\beta ");
  EXPECT_EQ(Tex(u"<lt><gt><=><leq><vertbar><lbrace><rbrace>"),
            u"\\lt \\gt =\\leq \\vertbar \\lbrace \\rbrace ");
  EXPECT_EQ(Tex(u"<intersection><union><rarrow><deg><infinity><pm>"),
            u"\\cap \\cup \\rightarrow \\degree \\infty \\pm ");
  EXPECT_EQ(Tex(u"<frac><sqrt><cdots><lfloor><rceil>"),
            u"\\frac \\sqrt \\cdots \\lfloor \\rceil ");
  EXPECT_EQ(Tex(u"\\red<leq|hat>"), u"\\textcolor{red}{\\leq }");
}

TEST(TexWriter, SkipsWhatItCannotName) {
  EXPECT_EQ(TexOfLeaf(' ', 0), u"");
  EXPECT_EQ(TexOfLeaf('?', StyleRed), u"\\textcolor{red}{}");
}

}  // namespace
}  // namespace kav
