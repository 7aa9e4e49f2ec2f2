#include "import/latex_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "model/line.h"

namespace kav {
namespace {

// The formulas read, one markup per line of the result.
std::u16string Read(std::u16string_view latex) {
  std::u16string joined;
  const std::vector<std::u16string> markups = ReadLatexFormulas(latex);
  for (size_t i = 0; i < markups.size(); ++i) joined += (i == 0 ? u"" : u"\n") + markups[i];
  return joined;
}

std::u16string Refusal(std::u16string_view latex) {
  try {
    return Read(latex);
  } catch (const Failure& failure) {
    return failure.text;
  }
}

struct Case {
  const char16_t* latex;
  const char16_t* markup;
};

void ExpectReads(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.latex), c.markup) << EncodeUtf8(c.latex);
  }
}

TEST(LatexReader, StructuresAndScripts) {
  ExpectReads({
      {u"x^{2}+\\frac{\\alpha}{\\beta}", u"<x>\\super{<2>}<+>\\frac{<alpha>}{<beta>}"},
      {u"x^2_i y_{n+1}", u"<x>\\super{<2>}\\sub{<i>}<y>\\sub{<n><+><1>}"},
      {u"\\dfrac12 + \\tfrac a b", u"\\frac{<1>}{<2>}<+>\\frac{<a>}{<b>}"},
      {u"\\sqrt{b^{2}-4ac}", u"\\sqrt{<b>\\super{<2>}<-><4><a><c>}"},
      {u"\\sqrt 2", u"\\sqrt{<2>}"},
      {u"^{2}x", u"\\super{<2>}<x>"},
      {u"x^{2}{}^{3}", u"<x>\\super{<2>}\\super{<3>}"},
      {u"x^{2}^{3}_i_j", u"<x>\\super{<2>}\\super{<3>}\\sub{<i>}\\sub{<j>}"},
      {u"\\sum_a_b^c", u"\\sum{<a>}{\\none}\\sub{<b>}\\super{<c>}"},
      {u"{a+b}^2", u"<a><+><b>\\super{<2>}"},
      {u"e^{-x^{2}}", u"<e>\\super{<-><x>\\super{<2>}}"},
  });
}

TEST(LatexReader, BigOperatorsTakeTheirLimits) {
  ExpectReads({
      {u"\\sum_{i=1}^{n} a_{i}", u"\\sum{<i><=><1>}{<n>}<a>\\sub{<i>}"},
      {u"\\prod^{n}_{k}", u"\\prod{<k>}{<n>}"},
      {u"\\int f", u"\\integral{\\none}{\\none}<f>"},
      {u"\\int\\limits_0^1 \\sum\\nolimits^n", u"\\integral{<0>}{<1>}\\sum{\\none}{<n>}"},
      {u"\\sum_{}^{n}", u"\\sum{}{<n>}"},
      {u"\\mathop{\\textcolor{red}{\\sum}}\\limits_{i}a", u"\\red\\sum{<i>}{\\none}<a>"},
      {u"\\sum_{i}^{n}{}^{2} \\sum{}_{2}",
       u"\\sum{<i>}{<n>}\\super{<2>}\\sum{\\none}{\\none}\\sub{<2>}"},
      {u"\\integral _{0}^{1}", u"\\integral{<0>}{<1>}"},
      {u"\u2211_i \u222B", u"\\sum{<i>}{\\none}\\integral{\\none}{\\none}"},
  });
}

TEST(LatexReader, SymbolsAndTheirSynonyms) {
  ExpectReads({
      {u"a<b>c|d/e", u"<a><lt><b><gt><c><vertbar><d><frac><e>"},
      {u"a\\lt b\\gt c\\vertbar d\\vert e\\mid f",
       u"<a><lt><b><gt><c><vertbar><d><vertbar><e><vertbar><f>"},
      {u"\\le\\leq\\ge\\geq\\in", u"<leq><leq><geq><geq><in>"},
      {u"\\cdot\\times\\pm\\cdots\\cap\\cup\\subset",
       u"<cdot><times><pm><cdots><intersection><union><subset>"},
      {u"\\infty\\rightarrow\\to", u"<infinity><rarrow><rarrow>"},
      {u"\\lbrace\\{\\rbrace\\}", u"<lbrace><lbrace><rbrace><rbrace>"},
      {u"\\lfloor\\rfloor\\lceil\\rceil\\surd", u"<lfloor><rfloor><lceil><rceil><sqrt>"},
      {u"90^{\\circ} 90^\\circ 90\\degree", u"<9><0><deg><9><0><deg><9><0><deg>"},
      {u"\\alpha\\Omega\\varepsilon\\varphi", u"<alpha><Omega><epsilon><phi>"},
      {u"\u03B1 \u2264 \u03B2 \u2212 1", u"<alpha><leq><beta><-><1>"},
      {u"[x]!*,.", u"<[><x><]><!><*><,><.>"},
  });
}

TEST(LatexReader, FacesAccentsAndColours) {
  ExpectReads({
      {u"\\mathrm{d}x+\\mathbf{F}", u"<d|rm><x><+><F|rmbold>"},
      {u"{\\rm s}{\\rm i}{\\rm n}", u"<s|rm><i|rm><n|rm>"},
      {u"\\sin x\\operatorname{asin}", u"<s|rm><i|rm><n|rm><x><a|rm><s|rm><i|rm><n|rm>"},
      {u"\\arctan\\ln", u"<a|rm><t|rm><a|rm><n|rm><l|rm><n|rm>"},
      {u"a\\mathrel{\\textcolor{red}{\\leq}}b\\mathbin{\\textcolor{red}{+}}",
       u"<a>\\red<leq><b>\\red<+>"},
      {u"\\mathop{\\textcolor{red}{\\sin}}\\nolimits x", u"\\red<s|rm>\\red<i|rm>\\red<n|rm><x>"},
      {u"90^{\\textcolor{red}{\\circ}} x^{2}{}^{\\circ}", u"<9><0>\\red<deg><x>\\super{<2>}<deg>"},
      {u"\\text{if}\\textbf{v}", u"<i|rm><f|rm><v|rmbold>"},
      {u"{\\bold x}\\bf y", u"<x|rmbold><y|rmbold>"},
      {u"\\boldsymbol{\\alpha}\\bm{x}", u"<alpha|rmbold><x|rmbold>"},
      {u"\\hat{\\rm x}\\vec{\\alpha }\\bar z\\tilde{y}",
       u"<x|rm|hat><alpha|vector><z|bar><y|tilde>"},
      {u"\\overline{x}\\widehat{y}", u"<x|bar><y|hat>"},
      {u"\\textcolor{red}{x}+y", u"\\red<x><+><y>"},
      {u"\\textcolor{red}{\\frac{\\textcolor{black}{a}}{\\textcolor{black}{b}}}",
       u"\\red\\frac{<a>}{<b>}"},
      {u"\\textcolor{red}{\\sum_{\\textcolor{black}{i}}} i", u"\\red\\sum{<i>}{\\none}<i>"},
      {u"{\\color{red} x^2} y", u"\\red<x>\\red\\super{\\red<2>}<y>"},
  });
}

TEST(LatexReader, SpacingAndSizingAreTheLayoutsBusiness) {
  ExpectReads({
      {u"a\\,b\\;c\\:d\\!e\\quad f\\qquad g~h\\ i", u"<a><b><c><d><e><f><g><h><i>"},
      {u"\\displaystyle\\left( x \\right)", u"<(><x><)>"},
      {u"\\left. x \\right| \\bigl[ y \\Bigr\\rbrace", u"<x><vertbar><[><y><rbrace>"},
      {u"x % a comment", u"<x>"},
  });
}

TEST(LatexReader, DelimitersRowsAndLines) {
  ExpectReads({
      {u"$x$", u"<x>"},
      {u"$$x$$", u"<x>"},
      {u"\\(x\\)", u"<x>"},
      {u"\\[x\\]", u"<x>"},
      {u"\\begin{equation}x\\label{eq:1}\\end{equation}", u"<x>"},
      {u"\\begin{equation*} x \\end{equation*}", u"<x>"},
      {u"$a$ and\n$$b$$",
       u"LaTeX: text outside the formula delimiters cannot be written in a Kav formula (line 1, "
       u"column 5)"},
      {u"$a$\n\n$$b$$ \\[c\\]", u"<a>\n<b>\n<c>"},
      {u"\\begin{align} a &= b \\\\ c &= d \\nonumber\\\\\n\\end{align}", u"<a><=><b>\n<c><=><d>"},
      {u"\\begin{gather*}a\\\\[2pt]b\\end{gather*}", u"<a>\n<b>"},
      {u"$$\\begin{aligned}a\\\\b\\end{aligned}$$", u"<a>\n<b>"},
      {u"a\n\nb\r\nc", u"<a>\n<b>\n<c>"},
      {u"\\frac{a\n}{b}", u"\\frac{<a>}{<b>}"},
      {u"a & = b \\\\ c", u"<a><=><b>\n<c>"},
      {u"{}\n\\frac{}{}", u"\n\\frac{}{}"},
  });
}

TEST(LatexReader, RefusesWhatTheMarkupCannotHold) {
  const std::u16string tail = u" cannot be written in a Kav formula (column ";
  ExpectReads({
      {u"x+\\binom{n}{k}", u"LaTeX: \\binom cannot be written in a Kav formula (column 3)"},
      {u"\\sqrt[3]{x}", u"LaTeX: \\sqrt[n] cannot be written in a Kav formula (column 1)"},
      {u"\\begin{pmatrix}a\\end{pmatrix}",
       u"LaTeX: \\begin{pmatrix} cannot be written in a Kav formula (column 1)"},
      {u"a\\neq b", u"LaTeX: \\neq cannot be written in a Kav formula (column 2)"},
      {u"a\\approx b", u"LaTeX: \\approx cannot be written in a Kav formula (column 2)"},
      {u"f'(x)", u"LaTeX: the prime ' cannot be written in a Kav formula (column 2)"},
      {u"\\text{if x}", u"LaTeX: text with spaces cannot be written in a Kav formula (column 9)"},
      {u"\\text{a,b}", u"LaTeX: , in \\text cannot be written in a Kav formula (column 8)"},
      {u"\\textcolor{blue}{x}",
       u"LaTeX: \\textcolor{blue} cannot be written in a Kav formula (column 1)"},
      {u"x\\color{green}", u"LaTeX: \\color{green} cannot be written in a Kav formula (column 2)"},
      {u"\\foo", u"LaTeX: \\foo cannot be written in a Kav formula (column 1)"},
      {u"\\vec{xy}",
       u"LaTeX: \\vec over anything but one symbol cannot be written in a Kav formula (column 1)"},
      {u"\\hat{\\frac12}",
       u"LaTeX: \\hat over anything but one symbol cannot be written in a Kav formula (column 1)"},
      {u"a \u2260 b", u"LaTeX: \u2260 cannot be written in a Kav formula (column 3)"},
      {u"a:b", u"LaTeX: : cannot be written in a Kav formula (column 2)"},
      {u"\\left\\langle x\\right\\rangle",
       u"LaTeX: \\left\\langle cannot be written in a Kav formula (column 1)"},
      {u"{a\\\\b}",
       u"LaTeX: the line break \\\\ inside braces cannot be written in a Kav formula (column 3)"},
      {u"x\n\\binom", u"LaTeX: \\binom cannot be written in a Kav formula (line 2, column 1)"},
      {u"a\u0001", u"LaTeX: U+0001 cannot be written in a Kav formula (column 2)"},
  });
}

TEST(LatexReader, MalformedTextIsNamedWithItsPlace) {
  ExpectReads({
      {u"x^{2", u"LaTeX: missing } for the { (column 3)"},
      {u"x}", u"LaTeX: } without { (column 2)"},
      {u"\\frac{a}", u"LaTeX: \\frac needs an argument (column 1)"},
      {u"x^", u"LaTeX: ^ needs an argument (column 2)"},
      {u"$x", u"LaTeX: missing closing delimiter (column 1)"},
      {u"$x\\]", u"LaTeX: \\] without its opening (column 3)"},
      {u"\\begin{align}a", u"LaTeX: missing closing delimiter (column 1)"},
      {u"x\\begin{aligned}a", u"LaTeX: missing \\end{aligned} (column 18)"},
      {u"\\end{align}", u"LaTeX: \\end{align} without its opening (column 1)"},
      {u"", u"LaTeX: the text holds no formula"},
      {u"  % only a comment\n", u"LaTeX: the text holds no formula"},
      {u"\\", u"LaTeX: \\ cannot be written in a Kav formula (column 1)"},
  });
}

// Nesting is bounded as the markup reader bounds it, and nothing deeper reaches the stack.
TEST(LatexReader, NestingIsBounded) {
  auto roots = [](int depth) {
    std::u16string text;
    for (int i = 0; i < depth; ++i) text += u"\\sqrt{";
    text += u"x";
    for (int i = 0; i < depth; ++i) text += u"}";
    return text;
  };
  const std::u16string deepest = Read(roots(kMaxStructureNesting));
  EXPECT_NO_THROW(EquationLine{deepest});
  EXPECT_EQ(Refusal(roots(kMaxStructureNesting + 1)),
            u"LaTeX: more than 100 structures inside one another cannot be written in a Kav "
            u"formula (column 601)");
  EXPECT_NE(Refusal(std::u16string(100000, u'{')).find(u"braces nested this deep"),
            std::u16string::npos);
  EXPECT_NE(Refusal(std::u16string(100000, u'^')).find(u"needs an argument"), std::u16string::npos);
  std::u16string faces;
  for (int i = 0; i < 100000; ++i) faces += u"\\mathrm";
  EXPECT_NE(Refusal(faces).find(u"nested this deep"), std::u16string::npos);
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::u16string Canonical(const std::u16string& markup) {
  EquationLine line(markup);
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  return line.markup;
}

// The LaTeX form of the benchmark corpus is real LaTeX written by hand: each formula reads to the
// markup of the same formula in the corpus document.
TEST(LatexReader, CorpusFormulasReadToTheirMarkup) {
  const std::string root = std::string(KAV_TEST_DATA) + "/../../bench/";
  const std::vector<std::u16string> markups = DocumentMarkups(FileBytes(root + "corpus.kav"));
  const std::u16string tex = *DecodeUtf8(FileBytes(root + "corpus.tex"));
  const std::vector<std::u16string> formulas = ReadLatexFormulas(tex);
  ASSERT_EQ(markups.size(), 41u);
  ASSERT_EQ(formulas.size(), markups.size());
  for (size_t i = 0; i < markups.size(); ++i) {
    EXPECT_EQ(formulas[i], Canonical(markups[i])) << "corpus line " << i + 1;
  }
}

}  // namespace
}  // namespace kav
