// The LaTeX writer, construct by construct: markup in, the exact LaTeX out.
#include "export/latex_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "base/utf.h"
#include "export/latex_symbols.h"
#include "model/line.h"
#include "writer_text.h"

namespace kav {
namespace {

struct Case {
  const char16_t* markup;
  const char16_t* latex;
};

std::u16string Latex(const char16_t* markup) {
  return WrittenText(WriteLatexNode, markup);
}

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Latex(c.markup), c.latex) << "markup " << EncodeUtf8(c.markup);
  }
}

TEST(LatexWriter, Structures) {
  ExpectAll({
      {u"\\frac{<a>}{<b>}", u"\\frac{a}{b}"},
      {u"\\sqrt{<x><+><1>}", u"\\sqrt{x+1}"},
      {u"<x>\\super{<2>}<a>\\sub{<i>}", u"x^{2}a_{i}"},
      {u"\\sum{<i><=><1>}{<n>}<a>", u"\\sum_{i=1}^{n}a"},
      {u"\\prod{\\none}{<n>}<x>", u"\\prod^{n}x"},
      {u"\\integral{<0>}{\\none}<f>", u"\\int_{0}f"},
      {u"\\sum{\\none}{\\none}<a>", u"\\sum a"},
      {u"\\integral{\\none<x>}{\\none}<x>", u"\\int x"},
      {u"\\frac{\\frac{<1>}{<2>}}{\\sqrt{<3>}}", u"\\frac{\\frac{1}{2}}{\\sqrt{3}}"},
  });
}

TEST(LatexWriter, EmptySlotsAreEmptyGroups) {
  ExpectAll({
      {u"", u"{}"},
      {u"\\frac{}{}", u"\\frac{}{}"},
      {u"\\sqrt{}<x>\\super{}", u"\\sqrt{}x^{}"},
      {u"\\sum{}{}<a>", u"\\sum_{}^{}a"},
      {u"\\super{<2>}<x>", u"{}^{2}x"},
      {u"\\frac{\\sub{<i>}}{<b>}", u"\\frac{{}_{i}}{b}"},
  });
}

TEST(LatexWriter, ASecondScriptOfOneBaseGetsAnEmptyBase) {
  ExpectAll({
      {u"<x>\\super{<2>}\\super{<3>}", u"x^{2}{}^{3}"},
      {u"<y>\\sub{<i>}\\super{<2>}\\sub{<j>}", u"y_{i}^{2}{}_{j}"},
      {u"<x>\\sub{<1>}\\sub{<2>}\\sub{<3>}", u"x_{1}{}_{2}{}_{3}"},
      {u"\\sum{<i>}{<n>}\\super{<2>}", u"\\sum_{i}^{n}{}^{2}"},
      {u"\\sum{\\none}{\\none}\\sub{<2>}<a>", u"\\sum{}_{2}a"},
      {u"<x>\\super{<2>}\\none\\super{<3>}", u"x^{2}{}^{3}"},
      {u"<x>\\super{<2>}<deg>", u"x^{2}{}^{\\circ}"},
      {u"<9><0><deg>\\sub{<1>}", u"90^{\\circ}_{1}"},
  });
}

TEST(LatexWriter, NamedSymbols) {
  ExpectAll({
      {u"<lbrace><x><rbrace><vertbar><lt><gt><leq><geq><in>", u"\\{x\\}\\vert<>\\leq\\geq\\in"},
      {u"<cdot><times><deg><intersection><union><subset><infinity><rarrow><pm>",
       u"\\cdot\\times^{\\circ}\\cap\\cup\\subset\\infty\\rightarrow\\pm"},
      {u"<cdots><lfloor><rfloor><lceil><rceil><frac><sqrt><2>",
       u"\\cdots\\lfloor\\rfloor\\lceil\\rceil/\\surd2"},
      {u"<!><(><)><*><+><,><-><.><=><[><]>", u"!()*+,-.=[]"},
      {u"<a><leq><b><in><x><cdots><n>", u"a\\leq b\\in x\\cdots n"},
      {u"<+|rmbold|hat><leq|rm>", u"+\\leq"},
  });
}

TEST(LatexWriter, LettersAndFaces) {
  ExpectAll({
      {u"<x><y><Z><5>", u"xyZ5"},
      {u"<alpha><beta><x><Omega>", u"\\alpha\\beta x\\Omega"},
      {u"<x|rm><y|rm><2|rm>", u"\\mathrm{xy2}"},
      {u"<alpha|rm><x|rm>", u"\\mathrm{\\alpha x}"},
      {u"<d|rm><x>", u"\\mathrm{d}x"},
      {u"<F|rmbold><a|rmbold><5|rmbold>", u"\\mathbf{Fa5}"},
      {u"<alpha|rmbold><beta|rmbold><v|rmbold>", u"\\boldsymbol{\\alpha\\beta}\\mathbf{v}"},
      {u"<x|rm><y|rmbold><z>", u"\\mathrm{x}\\mathbf{y}z"},
  });
}

TEST(LatexWriter, UprightRunsSpellingAFunctionBecomeItsOperator) {
  ExpectAll({
      {u"<s|rm><i|rm><n|rm><x>", u"\\sin x"},
      {u"<c|rm><o|rm><s|rm><(><x><)>", u"\\cos(x)"},
      {u"<t|rm><a|rm><n|rm><l|rm><o|rm><g|rm><e|rm><x|rm><p|rm>", u"\\tan\\log\\exp"},
      {u"<a|rm><s|rm><i|rm><n|rm><a|rm><c|rm><o|rm><s|rm><a|rm><t|rm><a|rm><n|rm>",
       u"\\arcsin\\arccos\\arctan"},
      {u"<x|rm><a|rm><s|rm><i|rm><n|rm>", u"\\mathrm{x}\\arcsin"},
      {u"<c|rm><o|rm><s|rm><i|rm><n|rm>", u"\\mathrm{co}\\sin"},
      {u"<s|rm><i|rm><n|rm><h|rm>", u"\\mathrm{sinh}"},
      {u"<s|rm><i|rm><n|rm><x|rm>", u"\\mathrm{sinx}"},
      {u"<s|rm><i|rm><n|rm><2|rm>", u"\\mathrm{sin2}"},
      {u"<l|rm><o|rm><g|rm><2>", u"\\log2"},
      {u"<s|rm><i|rm><n|rm>\\super{<2>}<theta>", u"\\sin^{2}\\theta"},
      {u"<s><i><n>", u"sin"},
      {u"<s|rmbold><i|rmbold><n|rmbold>", u"\\mathbf{sin}"},
      {u"<S|rm><i|rm><n|rm>", u"\\mathrm{Sin}"},
      {u"<s|rm><i|rm>\\red<n|rm>", u"\\mathrm{si}\\textcolor{red}{\\mathrm{n}}"},
      {u"<alpha|rm><l|rm><o|rm><g|rm>", u"\\mathrm{\\alpha}\\log"},
  });
}

TEST(LatexWriter, Accents) {
  ExpectAll({
      {u"<v|vector><h|hat><b|bar><t|tilde>", u"\\vec{v}\\hat{h}\\bar{b}\\tilde{t}"},
      {u"<x|rm|hat>", u"\\hat{\\mathrm{x}}"},
      {u"<v|rmbold|vector>", u"\\vec{\\mathbf{v}}"},
      {u"<Omega|rmbold|tilde><alpha|vector>", u"\\tilde{\\boldsymbol{\\Omega}}\\vec{\\alpha}"},
      {u"<s|rm|hat><i|rm><n|rm>", u"\\hat{\\mathrm{s}}\\mathrm{in}"},
      {u"<x|hat><y>", u"\\hat{x}y"},
  });
}

TEST(LatexWriter, RedSurroundsExactlyWhatIsRed) {
  ExpectAll({
      {u"\\red<x>\\red<y><z>", u"\\textcolor{red}{xy}z"},
      {u"\\red<s|rm>\\red<i|rm>\\red<n|rm><x>", u"\\mathop{\\textcolor{red}{\\sin}}\\nolimits x"},
      {u"\\red<c|rm>\\red<o|rm>\\red<s|rm>\\red<i|rm>\\red<n|rm>",
       u"\\textcolor{red}{\\mathrm{co}}\\mathop{\\textcolor{red}{\\sin}}\\nolimits"},
      {u"<a>\\red<leq><b>\\red<lbrace>",
       u"a\\mathrel{\\textcolor{red}{\\leq}}b\\textcolor{red}{\\{}"},
      {u"<a>\\red<+><b>\\red<,><c>\\red<times>\\red<(>",
       u"a\\mathbin{\\textcolor{red}{+}}b\\mathpunct{\\textcolor{red}{,}}c"
       u"\\mathbin{\\textcolor{red}{\\times}}\\textcolor{red}{(}"},
      {u"\\red<3|rmbold|vector>", u"\\textcolor{red}{\\vec{\\mathbf{3}}}"},
      {u"<9><0>\\red<deg>", u"90^{\\textcolor{red}{\\circ}}"},
      {u"\\red\\frac{<1>}{\\red<x>}",
       u"\\textcolor{red}{\\frac{\\textcolor{black}{1}}{\\textcolor{black}{\\textcolor{red}{x}}}}"},
      {u"\\red\\sqrt{<x>}", u"\\textcolor{red}{\\sqrt{\\textcolor{black}{x}}}"},
      {u"\\red\\sum{<i>}{\\none}<a>", u"\\mathop{\\textcolor{red}{\\sum}}\\limits_{i}a"},
      {u"\\red\\prod{<k>}{<n>}\\super{<2>}",
       u"\\mathop{\\textcolor{red}{\\prod}}\\limits_{k}^{n}{}^{2}"},
      {u"\\red\\integral{\\none}{\\none}<x>", u"\\mathop{\\textcolor{red}{\\int}}\\nolimits x"},
      {u"<x>\\red\\super{<2>}\\red\\sub{\\red<j>}", u"x^{2}_{\\textcolor{red}{j}}"},
      {u"\\red\\none<x>", u"x"},
  });
}

TEST(LatexWriter, ControlWordsAreSeparatedFromLettersOnly) {
  ExpectAll({
      {u"<alpha><x><alpha><2><alpha><(>", u"\\alpha x\\alpha2\\alpha("},
      {u"\\sum{\\none}{\\none}<k><infinity><n>", u"\\sum k\\infty n"},
      {u"<pm><alpha|rm>", u"\\pm\\mathrm{\\alpha}"},
  });
}

TEST(LatexWriter, LeavesTheMarkupCannotHold) {
  const auto leaf = [](SymbolCode c, StyleFlags style) {
    return WrittenLeaf(WriteLatexNode, c, style);
  };
  EXPECT_EQ(leaf('x', StyleHat | StyleBar), u"x");  // the editor draws no accent either
  EXPECT_EQ(leaf('x', StyleRoman | StyleBoldRoman), u"\\mathbf{x}");
  EXPECT_EQ(leaf(' ', 0), u"");
  EXPECT_EQ(leaf('?', StyleRed), u"");
  EXPECT_EQ(leaf('#', 0), u"");
  EXPECT_EQ(leaf(code::ThickLine, 0), u"");
}

TEST(LatexWriter, SubtreesAndEmptyTrees) {
  EquationTree empty;
  ExportTextBuffer buffer;
  WriteLatexNode(empty, 0, buffer);
  EXPECT_EQ(buffer.Text(), u"");
  EquationLine line(u"\\frac{<a><b>}{<c>}");
  const int32_t frac = line.tree.Child(line.tree.root, 0);
  EXPECT_EQ(WrittenText(WriteLatexNode, line.tree, frac), u"\\frac{ab}{c}");
  EXPECT_EQ(WrittenText(WriteLatexNode, line.tree, line.tree.Child(frac, 0)), u"ab");
  EXPECT_EQ(WrittenText(WriteLatexNode, line.tree, -1), u"");
  EXPECT_EQ(TreeLatex(line.tree, buffer), u"\\frac{ab}{c}");
}

TEST(LatexSymbols, EveryNamedSymbolThatIsNoLetterHasItsLatex) {
  for (const SymbolRow& row : SymbolTable()) {
    if (row.greek || IsBigOperator(row.code)) continue;
    EXPECT_NE(FindLatexSymbol(row.code), nullptr) << EncodeUtf8(row.name);
  }
  EXPECT_EQ(LatexFunctionOf(u"asin"), u"\\arcsin");
  EXPECT_EQ(LatexFunctionOf(u"sinh"), u"");
}

}  // namespace
}  // namespace kav
