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

// A text read, and the markup it reads to or the reader's refusal.
struct Case {
  const char* label;
  const char16_t* latex;
  const char16_t* markup;
};

void ExpectReads(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.latex), c.markup) << c.label << ": " << EncodeUtf8(c.latex);
  }
}

TEST(LatexReader, StructuresAndScripts) {
  ExpectReads({
      {"braced script and fraction", u"x^{2}+\\frac{\\alpha}{\\beta}",
       u"<x>\\super{<2>}<+>\\frac{<alpha>}{<beta>}"},
      {"unbraced scripts", u"x^2_i y_{n+1}", u"<x>\\super{<2>}\\sub{<i>}<y>\\sub{<n><+><1>}"},
      {"\\dfrac and \\tfrac with bare digits", u"\\dfrac12 + \\tfrac a b",
       u"\\frac{<1>}{<2>}<+>\\frac{<a>}{<b>}"},
      {"script inside a root", u"\\sqrt{b^{2}-4ac}", u"\\sqrt{<b>\\super{<2>}<-><4><a><c>}"},
      {"root of a bare digit", u"\\sqrt 2", u"\\sqrt{<2>}"},
      {"script with no base", u"^{2}x", u"\\super{<2>}<x>"},
      {"second superscript after an empty group", u"x^{2}{}^{3}", u"<x>\\super{<2>}\\super{<3>}"},
      {"repeated scripts of one base", u"x^{2}^{3}_i_j",
       u"<x>\\super{<2>}\\super{<3>}\\sub{<i>}\\sub{<j>}"},
      {"repeated limits become scripts", u"\\sum_a_b^c",
       u"\\sum{<a>}{\\none}\\sub{<b>}\\super{<c>}"},
      {"braced base", u"{a+b}^2", u"<a><+><b>\\super{<2>}"},
      {"script inside a script", u"e^{-x^{2}}", u"<e>\\super{<-><x>\\super{<2>}}"},
  });
}

TEST(LatexReader, BigOperatorsTakeTheirLimits) {
  ExpectReads({
      {"both limits", u"\\sum_{i=1}^{n} a_{i}", u"\\sum{<i><=><1>}{<n>}<a>\\sub{<i>}"},
      {"upper limit first", u"\\prod^{n}_{k}", u"\\prod{<k>}{<n>}"},
      {"integral without limits", u"\\int f", u"\\integral{\\none}{\\none}<f>"},
      {"\\limits and \\nolimits", u"\\int\\limits_0^1 \\sum\\nolimits^n",
       u"\\integral{<0>}{<1>}\\sum{\\none}{<n>}"},
      {"empty lower limit", u"\\sum_{}^{n}", u"\\sum{}{<n>}"},
      {"red operator in \\mathop", u"\\mathop{\\textcolor{red}{\\sum}}\\limits_{i}a",
       u"\\red\\sum{<i>}{\\none}<a>"},
      {"scripts after the limits", u"\\sum_{i}^{n}{}^{2} \\sum{}_{2}",
       u"\\sum{<i>}{<n>}\\super{<2>}\\sum{\\none}{\\none}\\sub{<2>}"},
      {"\\integral as a synonym", u"\\integral _{0}^{1}", u"\\integral{<0>}{<1>}"},
      {"Unicode sum and integral", u"\u2211_i \u222B",
       u"\\sum{<i>}{\\none}\\integral{\\none}{\\none}"},
  });
}

TEST(LatexReader, SymbolsAndTheirSynonyms) {
  ExpectReads({
      {"ASCII relations and bar", u"a<b>c|d/e", u"<a><lt><b><gt><c><vertbar><d><frac><e>"},
      {"relations by name", u"a\\lt b\\gt c\\vertbar d\\vert e\\mid f",
       u"<a><lt><b><gt><c><vertbar><d><vertbar><e><vertbar><f>"},
      {"inequalities and membership", u"\\le\\leq\\ge\\geq\\in", u"<leq><leq><geq><geq><in>"},
      {"operators", u"\\cdot\\times\\pm\\cdots\\cap\\cup\\subset",
       u"<cdot><times><pm><cdots><intersection><union><subset>"},
      {"amsmath's centred dots", u"a_1+\\dotsb+a_n\\dotsm",
       u"<a>\\sub{<1>}<+><cdots><+><a>\\sub{<n>}<cdots>"},
      {"infinity and arrows", u"\\infty\\rightarrow\\to", u"<infinity><rarrow><rarrow>"},
      {"braces by name and escaped", u"\\lbrace\\{\\rbrace\\}",
       u"<lbrace><lbrace><rbrace><rbrace>"},
      {"floors, ceilings and \\surd", u"\\lfloor\\rfloor\\lceil\\rceil\\surd",
       u"<lfloor><rfloor><lceil><rceil><sqrt>"},
      {"three spellings of degree", u"90^{\\circ} 90^\\circ 90\\degree",
       u"<9><0><deg><9><0><deg><9><0><deg>"},
      {"Greek and variant letters", u"\\alpha\\Omega\\varepsilon\\varphi",
       u"<alpha><Omega><epsilon><phi>"},
      {"Unicode letters, relations and minus", u"\u03B1 \u2264 \u03B2 \u2212 1",
       u"<alpha><leq><beta><-><1>"},
      {"ASCII punctuation", u"[x]!*,.", u"<[><x><]><!><*><,><.>"},
  });
}

TEST(LatexReader, FacesAccentsAndColours) {
  ExpectReads({
      {"\\mathrm and \\mathbf", u"\\mathrm{d}x+\\mathbf{F}", u"<d|rm><x><+><F|rmbold>"},
      {"\\rm inside groups", u"{\\rm s}{\\rm i}{\\rm n}", u"<s|rm><i|rm><n|rm>"},
      {"function and \\operatorname", u"\\sin x\\operatorname{asin}",
       u"<s|rm><i|rm><n|rm><x><a|rm><s|rm><i|rm><n|rm>"},
      {"inverse functions and logs", u"\\arctan\\ln", u"<a|rm><t|rm><a|rm><n|rm><l|rm><n|rm>"},
      {"red relation and operator",
       u"a\\mathrel{\\textcolor{red}{\\leq}}b\\mathbin{\\textcolor{red}{+}}",
       u"<a>\\red<leq><b>\\red<+>"},
      {"red function in \\mathop", u"\\mathop{\\textcolor{red}{\\sin}}\\nolimits x",
       u"\\red<s|rm>\\red<i|rm>\\red<n|rm><x>"},
      {"red degree and plain degree", u"90^{\\textcolor{red}{\\circ}} x^{2}{}^{\\circ}",
       u"<9><0>\\red<deg><x>\\super{<2>}<deg>"},
      {"\\text and \\textbf", u"\\text{if}\\textbf{v}", u"<i|rm><f|rm><v|rmbold>"},
      {"\\bold and \\bf switches", u"{\\bold x}\\bf y", u"<x|rmbold><y|rmbold>"},
      {"\\boldsymbol and \\bm", u"\\boldsymbol{\\alpha}\\bm{x}", u"<alpha|rmbold><x|rmbold>"},
      {"accents over faces and Greek", u"\\hat{\\rm x}\\vec{\\alpha }\\bar z\\tilde{y}",
       u"<x|rm|hat><alpha|vector><z|bar><y|tilde>"},
      {"\\overline and \\widehat", u"\\overline{x}\\widehat{y}", u"<x|bar><y|hat>"},
      {"\\textcolor over one letter", u"\\textcolor{red}{x}+y", u"\\red<x><+><y>"},
      {"red fraction with black arguments",
       u"\\textcolor{red}{\\frac{\\textcolor{black}{a}}{\\textcolor{black}{b}}}",
       u"\\red\\frac{<a>}{<b>}"},
      {"red sum with a black limit", u"\\textcolor{red}{\\sum_{\\textcolor{black}{i}}} i",
       u"\\red\\sum{<i>}{\\none}<i>"},
      {"\\color for the rest of the group", u"{\\color{red} x^2} y",
       u"\\red<x>\\red\\super{\\red<2>}<y>"},
  });
}

TEST(LatexReader, BoldTakesAnArgumentAsMathbf) {
  ExpectReads({
      {"braced, in a subscript", u"F_\\bold{X}+1", u"<F>\\sub{<X|rmbold>}<+><1>"},
      {"braced, then an italic letter", u"\\bold{AB}c", u"<A|rmbold><B|rmbold><c>"},
      {"unbraced: one letter", u"\\bold x y", u"<x|rmbold><y>"},
      {"as \"Copy as TeX\" writes it", u"{\\bold x}y\\hat{\\bold \\alpha }",
       u"<x|rmbold><y><alpha|rmbold|hat>"},
      {"missing argument", u"x\\bold", u"LaTeX: \\bold needs an argument (column 2)"},
  });
}

TEST(LatexReader, SpacingAndSizingAreTheLayoutsBusiness) {
  ExpectReads({
      {"spacing commands", u"a\\,b\\;c\\:d\\!e\\quad f\\qquad g~h\\ i",
       u"<a><b><c><d><e><f><g><h><i>"},
      {"\\displaystyle and \\left(", u"\\displaystyle\\left( x \\right)", u"<(><x><)>"},
      {"\\left. and \\big delimiters", u"\\left. x \\right| \\bigl[ y \\Bigr\\rbrace",
       u"<x><vertbar><[><y><rbrace>"},
      {"comment", u"x % a comment", u"<x>"},
  });
}

TEST(LatexReader, DelimitersRowsAndLines) {
  ExpectReads({
      {"inline $", u"$x$", u"<x>"},
      {"display $$", u"$$x$$", u"<x>"},
      {"\\( \\)", u"\\(x\\)", u"<x>"},
      {"\\[ \\]", u"\\[x\\]", u"<x>"},
      {"equation with a label", u"\\begin{equation}x\\label{eq:1}\\end{equation}", u"<x>"},
      {"equation*", u"\\begin{equation*} x \\end{equation*}", u"<x>"},
      {"text between formulas", u"$a$ and\n$$b$$",
       u"LaTeX: text outside the formula delimiters cannot be written in a Kav formula (line 1, "
       u"column 5)"},
      {"formulas on several lines", u"$a$\n\n$$b$$ \\[c\\]", u"<a>\n<b>\n<c>"},
      {"align rows", u"\\begin{align} a &= b \\\\ c &= d \\nonumber\\\\\n\\end{align}",
       u"<a><=><b>\n<c><=><d>"},
      {"gather* with a row gap", u"\\begin{gather*}a\\\\[2pt]b\\end{gather*}", u"<a>\n<b>"},
      {"aligned inside $$", u"$$\\begin{aligned}a\\\\b\\end{aligned}$$", u"<a>\n<b>"},
      {"blank line and CR LF", u"a\n\nb\r\nc", u"<a>\n<b>\n<c>"},
      {"newline inside braces", u"\\frac{a\n}{b}", u"\\frac{<a>}{<b>}"},
      {"rows without an environment", u"a & = b \\\\ c", u"<a><=><b>\n<c>"},
      {"empty group on a line", u"{}\n\\frac{}{}", u"\n\\frac{}{}"},
  });
}

TEST(LatexReader, RefusesWhatTheMarkupCannotHold) {
  const std::u16string tail = u" cannot be written in a Kav formula (column ";
  ExpectReads({
      {"\\binom", u"x+\\binom{n}{k}",
       u"LaTeX: \\binom cannot be written in a Kav formula (column 3)"},
      {"\\sqrt with an index", u"\\sqrt[3]{x}",
       u"LaTeX: \\sqrt[n] cannot be written in a Kav formula (column 1)"},
      {"pmatrix environment", u"\\begin{pmatrix}a\\end{pmatrix}",
       u"LaTeX: \\begin{pmatrix} cannot be written in a Kav formula (column 1)"},
      {"\\neq", u"a\\neq b", u"LaTeX: \\neq cannot be written in a Kav formula (column 2)"},
      {"\\approx", u"a\\approx b",
       u"LaTeX: \\approx cannot be written in a Kav formula (column 2)"},
      {"prime", u"f'(x)", u"LaTeX: the prime ' cannot be written in a Kav formula (column 2)"},
      {"text with spaces", u"\\text{if x}",
       u"LaTeX: text with spaces cannot be written in a Kav formula (column 9)"},
      {"comma in \\text", u"\\text{a,b}",
       u"LaTeX: , in \\text cannot be written in a Kav formula (column 8)"},
      {"colour other than red", u"\\textcolor{blue}{x}",
       u"LaTeX: \\textcolor{blue} cannot be written in a Kav formula (column 1)"},
      {"\\color other than red", u"x\\color{green}",
       u"LaTeX: \\color{green} cannot be written in a Kav formula (column 2)"},
      {"unknown command", u"\\foo", u"LaTeX: \\foo cannot be written in a Kav formula (column 1)"},
      {"\\vec over two letters", u"\\vec{xy}",
       u"LaTeX: \\vec over anything but one symbol cannot be written in a Kav formula (column 1)"},
      {"\\hat over a fraction", u"\\hat{\\frac12}",
       u"LaTeX: \\hat over anything but one symbol cannot be written in a Kav formula (column 1)"},
      {"Unicode not-equal", u"a \u2260 b",
       u"LaTeX: \u2260 cannot be written in a Kav formula (column 3)"},
      {"colon", u"a:b", u"LaTeX: : cannot be written in a Kav formula (column 2)"},
      {"\\langle delimiter", u"\\left\\langle x\\right\\rangle",
       u"LaTeX: \\left\\langle cannot be written in a Kav formula (column 1)"},
      {"\\\\ inside braces", u"{a\\\\b}",
       u"LaTeX: the line break \\\\ inside braces cannot be written in a Kav formula (column 3)"},
      {"refusal on line 2", u"x\n\\binom",
       u"LaTeX: \\binom cannot be written in a Kav formula (line 2, column 1)"},
      {"control character", u"a\u0001",
       u"LaTeX: U+0001 cannot be written in a Kav formula (column 2)"},
  });
}

TEST(LatexReader, MalformedTextIsNamedWithItsPlace) {
  ExpectReads({
      {"unclosed brace", u"x^{2", u"LaTeX: missing } for the { (column 3)"},
      {"closing brace without opening", u"x}", u"LaTeX: } without { (column 2)"},
      {"\\frac missing an argument", u"\\frac{a}", u"LaTeX: \\frac needs an argument (column 1)"},
      {"^ missing its argument", u"x^", u"LaTeX: ^ needs an argument (column 2)"},
      {"unclosed $", u"$x", u"LaTeX: missing closing delimiter (column 1)"},
      {"$ closed by \\]", u"$x\\]", u"LaTeX: \\] without its opening (column 3)"},
      {"unclosed align", u"\\begin{align}a", u"LaTeX: missing closing delimiter (column 1)"},
      {"unclosed aligned", u"x\\begin{aligned}a", u"LaTeX: missing \\end{aligned} (column 18)"},
      {"\\end without \\begin", u"\\end{align}",
       u"LaTeX: \\end{align} without its opening (column 1)"},
      {"empty text", u"", u"LaTeX: the text holds no formula"},
      {"only a comment", u"  % only a comment\n", u"LaTeX: the text holds no formula"},
      {"lone backslash", u"\\", u"LaTeX: \\ cannot be written in a Kav formula (column 1)"},
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
