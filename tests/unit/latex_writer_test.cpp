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
  const char* label;
  const char16_t* markup;
  const char16_t* latex;
};

std::u16string Latex(const char16_t* markup) {
  return WrittenText(WriteLatexNode, markup);
}

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Latex(c.markup), c.latex) << c.label << ": markup " << EncodeUtf8(c.markup);
  }
}

TEST(LatexWriter, Structures) {
  ExpectAll({
      {"fraction", u"\\frac{<a>}{<b>}", u"\\frac{a}{b}"},
      {"root", u"\\sqrt{<x><+><1>}", u"\\sqrt{x+1}"},
      {"scripts", u"<x>\\super{<2>}<a>\\sub{<i>}", u"x^{2}a_{i}"},
      {"sum with both limits", u"\\sum{<i><=><1>}{<n>}<a>", u"\\sum_{i=1}^{n}a"},
      {"product without a lower limit", u"\\prod{\\none}{<n>}<x>", u"\\prod^{n}x"},
      {"integral without an upper limit", u"\\integral{<0>}{\\none}<f>", u"\\int_{0}f"},
      {"sum without limits", u"\\sum{\\none}{\\none}<a>", u"\\sum a"},
      {"integral with \\none and a letter in a limit", u"\\integral{\\none<x>}{\\none}<x>",
       u"\\int x"},
      {"nested structures", u"\\frac{\\frac{<1>}{<2>}}{\\sqrt{<3>}}",
       u"\\frac{\\frac{1}{2}}{\\sqrt{3}}"},
  });
}

TEST(LatexWriter, EmptySlotsAreEmptyGroups) {
  ExpectAll({
      {"empty line", u"", u"{}"},
      {"empty fraction", u"\\frac{}{}", u"\\frac{}{}"},
      {"empty root and script", u"\\sqrt{}<x>\\super{}", u"\\sqrt{}x^{}"},
      {"empty limits", u"\\sum{}{}<a>", u"\\sum_{}^{}a"},
      {"script with no base", u"\\super{<2>}<x>", u"{}^{2}x"},
      {"script at the start of an argument", u"\\frac{\\sub{<i>}}{<b>}", u"\\frac{{}_{i}}{b}"},
  });
}

TEST(LatexWriter, ASecondScriptOfOneBaseGetsAnEmptyBase) {
  ExpectAll({
      {"two superscripts", u"<x>\\super{<2>}\\super{<3>}", u"x^{2}{}^{3}"},
      {"sub, super, sub", u"<y>\\sub{<i>}\\super{<2>}\\sub{<j>}", u"y_{i}^{2}{}_{j}"},
      {"three subscripts", u"<x>\\sub{<1>}\\sub{<2>}\\sub{<3>}", u"x_{1}{}_{2}{}_{3}"},
      {"script after the limits", u"\\sum{<i>}{<n>}\\super{<2>}", u"\\sum_{i}^{n}{}^{2}"},
      {"subscript after a limitless sum", u"\\sum{\\none}{\\none}\\sub{<2>}<a>", u"\\sum{}_{2}a"},
      {"script after \\none", u"<x>\\super{<2>}\\none\\super{<3>}", u"x^{2}{}^{3}"},
      {"degree after a script", u"<x>\\super{<2>}<deg>", u"x^{2}{}^{\\circ}"},
      {"subscript after a degree", u"<9><0><deg>\\sub{<1>}", u"90^{\\circ}_{1}"},
  });
}

TEST(LatexWriter, NamedSymbols) {
  ExpectAll({
      {"braces, bar and relations", u"<lbrace><x><rbrace><vertbar><lt><gt><leq><geq><in>",
       u"\\{x\\}\\vert<>\\leq\\geq\\in"},
      {"operators and arrows",
       u"<cdot><times><deg><intersection><union><subset><infinity><rarrow><pm>",
       u"\\cdot\\times^{\\circ}\\cap\\cup\\subset\\infty\\rightarrow\\pm"},
      {"dots, floors, ceilings, slash and \\surd",
       u"<cdots><lfloor><rfloor><lceil><rceil><frac><sqrt><2>",
       u"\\cdots\\lfloor\\rfloor\\lceil\\rceil/\\surd2"},
      {"ASCII punctuation", u"<!><(><)><*><+><,><-><.><=><[><]>", u"!()*+,-.=[]"},
      {"spaces between words and letters", u"<a><leq><b><in><x><cdots><n>",
       u"a\\leq b\\in x\\cdots n"},
      {"styles on symbols are dropped", u"<+|rmbold|hat><leq|rm>", u"+\\leq"},
  });
}

TEST(LatexWriter, LettersAndFaces) {
  ExpectAll({
      {"italic letters and digits", u"<x><y><Z><5>", u"xyZ5"},
      {"Greek letters", u"<alpha><beta><x><Omega>", u"\\alpha\\beta x\\Omega"},
      {"upright run", u"<x|rm><y|rm><2|rm>", u"\\mathrm{xy2}"},
      {"upright Greek and letter", u"<alpha|rm><x|rm>", u"\\mathrm{\\alpha x}"},
      {"upright d before italic", u"<d|rm><x>", u"\\mathrm{d}x"},
      {"bold run", u"<F|rmbold><a|rmbold><5|rmbold>", u"\\mathbf{Fa5}"},
      {"bold Greek and letter", u"<alpha|rmbold><beta|rmbold><v|rmbold>",
       u"\\boldsymbol{\\alpha\\beta}\\mathbf{v}"},
      {"upright then bold", u"<x|rm><y|rmbold><z>", u"\\mathrm{x}\\mathbf{y}z"},
  });
}

TEST(LatexWriter, UprightRunsSpellingAFunctionBecomeItsOperator) {
  ExpectAll({
      {"sin", u"<s|rm><i|rm><n|rm><x>", u"\\sin x"},
      {"cos", u"<c|rm><o|rm><s|rm><(><x><)>", u"\\cos(x)"},
      {"tan, log, exp", u"<t|rm><a|rm><n|rm><l|rm><o|rm><g|rm><e|rm><x|rm><p|rm>",
       u"\\tan\\log\\exp"},
      {"inverse functions",
       u"<a|rm><s|rm><i|rm><n|rm><a|rm><c|rm><o|rm><s|rm><a|rm><t|rm><a|rm><n|rm>",
       u"\\arcsin\\arccos\\arctan"},
      {"letter before arcsin", u"<x|rm><a|rm><s|rm><i|rm><n|rm>", u"\\mathrm{x}\\arcsin"},
      {"co before sin", u"<c|rm><o|rm><s|rm><i|rm><n|rm>", u"\\mathrm{co}\\sin"},
      {"sinh", u"<s|rm><i|rm><n|rm><h|rm>", u"\\sinh"},
      {"letter after sin", u"<s|rm><i|rm><n|rm><x|rm>", u"\\mathrm{sinx}"},
      {"digit after sin", u"<s|rm><i|rm><n|rm><2|rm>", u"\\mathrm{sin2}"},
      {"log before an italic digit", u"<l|rm><o|rm><g|rm><2>", u"\\log2"},
      {"sin with a script", u"<s|rm><i|rm><n|rm>\\super{<2>}<theta>", u"\\sin^{2}\\theta"},
      {"italic sin", u"<s><i><n>", u"sin"},
      {"bold sin", u"<s|rmbold><i|rmbold><n|rmbold>", u"\\mathbf{sin}"},
      {"capital Sin", u"<S|rm><i|rm><n|rm>", u"\\mathrm{Sin}"},
      {"red part of a function", u"<s|rm><i|rm>\\red<n|rm>",
       u"\\mathrm{si}\\textcolor{red}{\\mathrm{n}}"},
      {"upright Greek before log", u"<alpha|rm><l|rm><o|rm><g|rm>", u"\\mathrm{\\alpha}\\log"},
  });
}

TEST(LatexWriter, EpsilonAndPhiKeepTheShapesTheEditorDraws) {
  ExpectAll({
      {"italic", u"<epsilon><+><phi>", u"\\varepsilon+\\varphi"},
      {"before a letter", u"<phi><x>", u"\\varphi x"},
      {"bold", u"<epsilon|rmbold><phi|rmbold>", u"\\boldsymbol{\\varepsilon\\varphi}"},
      {"upright", u"<phi|rm>", u"\\mathrm{\\varphi}"},
      {"under an accent", u"<epsilon|hat>", u"\\hat{\\varepsilon}"},
      {"the other Greek letters keep their names", u"<theta><rho><sigma><pi><kappa>",
       u"\\theta\\rho\\sigma\\pi\\kappa"},
  });
}

TEST(LatexWriter, UprightRunsSpellingStandardOperatorNamesBecomeThoseOperators) {
  ExpectAll({
      {"ln before an italic letter", u"<l|rm><n|rm><K>", u"\\ln K"},
      {"max with a subscript", u"<m|rm><a|rm><x|rm>\\sub{<i>}<a>", u"\\max_{i}a"},
      {"the longest name at the end", u"<l|rm><i|rm><m|rm><s|rm><u|rm><p|rm>", u"\\limsup"},
      {"two names", u"<a|rm><r|rm><g|rm><m|rm><i|rm><n|rm>", u"\\arg\\min"},
      {"a letter before a name", u"<d|rm><l|rm><n|rm><x>", u"\\mathrm{d}\\ln x"},
      {"capitals count", u"<P|rm><r|rm><(><A><)>", u"\\Pr(A)"},
      {"arcsin as letters stays those letters", u"<a|rm><r|rm><c|rm><c|rm><o|rm><s|rm><x>",
       u"\\operatorname{arccos}x"},
      {"red name with limits", u"\\red<l|rm>\\red<i|rm>\\red<m|rm>\\sub{<n>}",
       u"\\mathop{\\textcolor{red}{\\lim}}\\limits_{n}"},
      {"red arctan letters", u"\\red<a|rm>\\red<r|rm>\\red<c|rm>\\red<t|rm>\\red<a|rm>\\red<n|rm>",
       u"\\mathop{\\textcolor{red}{\\mathrm{arctan}}}\\nolimits"},
      {"no name", u"<T|rm><r|rm><A>", u"\\mathrm{Tr}A"},
  });
}

TEST(LatexWriter, Accents) {
  ExpectAll({
      {"four accents", u"<v|vector><h|hat><b|bar><t|tilde>", u"\\vec{v}\\hat{h}\\bar{b}\\tilde{t}"},
      {"hat over upright", u"<x|rm|hat>", u"\\hat{\\mathrm{x}}"},
      {"vector over bold", u"<v|rmbold|vector>", u"\\vec{\\mathbf{v}}"},
      {"tilde over bold Greek", u"<Omega|rmbold|tilde><alpha|vector>",
       u"\\tilde{\\boldsymbol{\\Omega}}\\vec{\\alpha}"},
      {"hat on the first letter of a word", u"<s|rm|hat><i|rm><n|rm>",
       u"\\hat{\\mathrm{s}}\\mathrm{in}"},
      {"hat then an italic letter", u"<x|hat><y>", u"\\hat{x}y"},
  });
}

TEST(LatexWriter, RedSurroundsExactlyWhatIsRed) {
  ExpectAll({
      {"red run", u"\\red<x>\\red<y><z>", u"\\textcolor{red}{xy}z"},
      {"red function", u"\\red<s|rm>\\red<i|rm>\\red<n|rm><x>",
       u"\\mathop{\\textcolor{red}{\\sin}}\\nolimits x"},
      {"red run before a red function", u"\\red<c|rm>\\red<o|rm>\\red<s|rm>\\red<i|rm>\\red<n|rm>",
       u"\\textcolor{red}{\\mathrm{co}}\\mathop{\\textcolor{red}{\\sin}}\\nolimits"},
      {"red relation and brace", u"<a>\\red<leq><b>\\red<lbrace>",
       u"a\\mathrel{\\textcolor{red}{\\leq}}b\\textcolor{red}{\\{}"},
      {"red operator, punctuation and bracket", u"<a>\\red<+><b>\\red<,><c>\\red<times>\\red<(>",
       u"a\\mathbin{\\textcolor{red}{+}}b\\mathpunct{\\textcolor{red}{,}}c"
       u"\\mathbin{\\textcolor{red}{\\times}}\\textcolor{red}{(}"},
      {"red bold vector", u"\\red<3|rmbold|vector>", u"\\textcolor{red}{\\vec{\\mathbf{3}}}"},
      {"red degree", u"<9><0>\\red<deg>", u"90^{\\textcolor{red}{\\circ}}"},
      {"red fraction", u"\\red\\frac{<1>}{\\red<x>}",
       u"\\textcolor{red}{\\frac{\\textcolor{black}{1}}{\\textcolor{black}{\\textcolor{red}{x}}}}"},
      {"red root", u"\\red\\sqrt{<x>}", u"\\textcolor{red}{\\sqrt{\\textcolor{black}{x}}}"},
      {"red sum", u"\\red\\sum{<i>}{\\none}<a>", u"\\mathop{\\textcolor{red}{\\sum}}\\limits_{i}a"},
      {"red product with a script", u"\\red\\prod{<k>}{<n>}\\super{<2>}",
       u"\\mathop{\\textcolor{red}{\\prod}}\\limits_{k}^{n}{}^{2}"},
      {"red integral", u"\\red\\integral{\\none}{\\none}<x>",
       u"\\mathop{\\textcolor{red}{\\int}}\\nolimits x"},
      {"red script's letter", u"<x>\\red\\super{<2>}\\red\\sub{\\red<j>}",
       u"x^{2}_{\\textcolor{red}{j}}"},
      {"red \\none", u"\\red\\none<x>", u"x"},
  });
}

TEST(LatexWriter, ControlWordsAreSeparatedFromLettersOnly) {
  ExpectAll({
      {"Greek before letters, digits and brackets", u"<alpha><x><alpha><2><alpha><(>",
       u"\\alpha x\\alpha2\\alpha("},
      {"sum, infinity and letters", u"\\sum{\\none}{\\none}<k><infinity><n>", u"\\sum k\\infty n"},
      {"\\pm before upright Greek", u"<pm><alpha|rm>", u"\\pm\\mathrm{\\alpha}"},
  });
}

TEST(LatexWriter, LeavesTheMarkupCannotHold) {
  const struct {
    const char* label;
    SymbolCode code;
    StyleFlags style;
    const char16_t* latex;
  } cases[] = {
      {"two accents: the editor draws none either", 'x', StyleHat | StyleBar, u"x"},
      {"upright and bold", 'x', StyleRoman | StyleBoldRoman, u"\\mathbf{x}"},
      {"space", ' ', 0, u""},
      {"red question mark", '?', StyleRed, u""},
      {"hash", '#', 0, u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrittenLeaf(WriteLatexNode, c.code, c.style), c.latex) << c.label;
  }
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
}

}  // namespace
}  // namespace kav
