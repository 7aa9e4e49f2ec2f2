#include <gtest/gtest.h>

#include <string>

#include "base/utf.h"
#include "export/mathml_writer.h"
#include "model/line.h"

namespace kav {
namespace {

std::string Body(const char16_t* markup) {
  EquationLine line(markup);
  return EncodeUtf8(WriteMathmlRow(line.tree, line.tree.root));
}

struct Case {
  const char16_t* markup;
  const char* mathml;
};

TEST(MathmlWriter, TokensByKindFaceAndColour) {
  const Case cases[] = {
      {u"<x><alpha><Gamma>", "<mi>x</mi><mi>α</mi><mi>Γ</mi>"},
      {u"<1><2><.><5>", "<mn>12</mn><mo>.</mo><mn>5</mn>"},
      {u"<1><2|rm><3|rm>", "<mn>1</mn><mn mathvariant=\"normal\">23</mn>"},
      {u"<a><-><b><cdot><c><times><d><leq><infinity>",
       "<mi>a</mi><mo>−</mo><mi>b</mi><mo>⋅</mo><mi>c</mi><mo>×</mo><mi>d</mi><mo>≤</mo><mi>∞</mi>"},
      {u"<x><lt><y><gt><z>", "<mi>x</mi><mo>&lt;</mo><mi>y</mi><mo>&gt;</mo><mi>z</mi>"},
      {u"<(><lbrace><lfloor><rfloor><rbrace><)>",
       "<mo form=\"prefix\" stretchy=\"false\">(</mo><mo form=\"prefix\" stretchy=\"false\">{</mo>"
       "<mo form=\"prefix\" stretchy=\"false\">⌊</mo><mo form=\"postfix\" stretchy=\"false\">⌋</mo>"
       "<mo form=\"postfix\" stretchy=\"false\">}</mo><mo form=\"postfix\" stretchy=\"false\">)</mo>"},
      {u"<x|rm><y|rmbold><3|rmbold>",
       "<mi mathvariant=\"normal\">x</mi><mi mathvariant=\"bold\">y</mi><mn mathvariant=\"bold\">3</mn>"},
      {u"\\red<x><y>", "<mi mathcolor=\"red\">x</mi><mi>y</mi>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

TEST(MathmlWriter, AccentsAndFunctionNames) {
  const Case cases[] = {
      {u"<v|vector>", "<mover accent=\"true\"><mi>v</mi><mo>→</mo></mover>"},
      {u"<x|hat|rm>", "<mover accent=\"true\"><mi mathvariant=\"normal\">x</mi><mo>^</mo></mover>"},
      {u"\\red<x|bar>", "<mover accent=\"true\" mathcolor=\"red\"><mi>x</mi><mo>¯</mo></mover>"},
      {u"<f|tilde>", "<mover accent=\"true\"><mi>f</mi><mo>~</mo></mover>"},
      {u"<s|rm><i|rm><n|rm><x>", "<mi>sin</mi><mo>\u2061</mo><mi>x</mi>"},
      {u"<a|rm><s|rm><i|rm><n|rm>", "<mi>asin</mi><mo>\u2061</mo>"},
      {u"<l|rm><o|rm><g|rm>\\super{<2>}", "<msup><mi>log</mi><mn>2</mn></msup><mo>\u2061</mo>"},
      {u"<s><i><n>", "<mi>s</mi><mi>i</mi><mi>n</mi>"},
      {u"<s|rm><i|rm><n>", "<mi mathvariant=\"normal\">s</mi><mi mathvariant=\"normal\">i</mi><mi>n</mi>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

TEST(MathmlWriter, StructuresAndScripts) {
  const Case cases[] = {
      {u"\\frac{<a>}{<b><+><c>}", "<mfrac><mi>a</mi><mrow><mi>b</mi><mo>+</mo><mi>c</mi></mrow></mfrac>"},
      {u"\\frac{}{<x>}", "<mfrac><mrow/><mi>x</mi></mfrac>"},
      {u"\\sqrt{<x>}", "<msqrt><mi>x</mi></msqrt>"},
      {u"<x>\\super{<2>}", "<msup><mi>x</mi><mn>2</mn></msup>"},
      {u"<a>\\sub{<i>}\\super{<2>}", "<msubsup><mi>a</mi><mi>i</mi><mn>2</mn></msubsup>"},
      {u"<a>\\super{<2>}\\sub{<i>}", "<msub><mrow><msup><mi>a</mi><mn>2</mn></msup></mrow><mi>i</mi></msub>"},
      {u"\\super{<2>}", "<msup><mrow/><mn>2</mn></msup>"},
      {u"\\frac{<1>}{<2>}\\super{<n>}", "<msup><mfrac><mn>1</mn><mn>2</mn></mfrac><mi>n</mi></msup>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

TEST(MathmlWriter, BigOperatorsTakeLimitsAndOperand) {
  const Case cases[] = {
      {u"\\sum{<i>}{<n>}<a>\\sub{<i>}",
       "<mrow><munderover><mo>∑</mo><mi>i</mi><mi>n</mi></munderover>"
       "<mrow><msub><mi>a</mi><mi>i</mi></msub></mrow></mrow>"},
      {u"\\prod{<k>}{\\none}<x><y>",
       "<mrow><munder><mo>∏</mo><mi>k</mi></munder><mrow><mi>x</mi></mrow></mrow><mi>y</mi>"},
      {u"\\sum{\\none}{<n>}", "<mrow><mover><mo>∑</mo><mi>n</mi></mover><mrow></mrow></mrow>"},
      {u"\\integral{<0>}{<1>}<f>",
       "<mrow><msubsup><mo>∫</mo><mn>0</mn><mn>1</mn></msubsup><mrow><mi>f</mi></mrow></mrow>"},
      {u"\\integral{\\none}{\\none}<x>", "<mrow><mo>∫</mo><mrow><mi>x</mi></mrow></mrow>"},
      {u"\\sum{}{}\\integral{\\none}{\\none}<x>",
       "<mrow><munderover><mo>∑</mo><mrow/><mrow/></munderover><mrow>"
       "<mrow><mo>∫</mo><mrow><mi>x</mi></mrow></mrow></mrow></mrow>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

std::string Repeated(std::string_view text, int32_t times) {
  std::string out;
  for (int32_t k = 0; k < times; ++k) out += text;
  return out;
}

// Tens of thousands of operators in a row, each the operand of the one before, and of scripts
// on one base nest as deeply as they are many; they are written without recursing or copying
// per level (a run of sums used to overflow the stack).
// Spellings that a reader rebuilding a linear formula (LibreOffice) takes without an error mark:
// operators always have their operands, brackets their partners, bars read as fences or divides.
TEST(MathmlWriter, OperatorsBracketsAndBarsAsLinearReadersNeedThem) {
  const std::string open = "<mo form=\"prefix\" stretchy=\"false\">(</mo>";
  const std::string close = "<mo form=\"postfix\" stretchy=\"false\">)</mo>";
  const std::string bar = "<mo fence=\"true\" form=\"prefix\" stretchy=\"false\">|</mo>";
  const std::string endBar = "<mo fence=\"true\" form=\"postfix\" stretchy=\"false\">|</mo>";
  const struct {
    const char16_t* markup;
    std::string mathml;
  } cases[] = {
      // A lone operator as a script or list item.
      {u"<x>\\super{<*>}", "<msup><mi>x</mi><mi>∗</mi></msup>"},
      {u"<x>\\super{<+>}\\sub{<->}",
       "<msub><mrow><msup><mi>x</mi><mrow><mo>+</mo><mrow/></mrow></msup></mrow><mrow><mo>−</mo><mrow/></mrow></msub>"},
      {u"<t>\\sub{<times>}", "<msub><mi>t</mi><mrow><mrow/><mo>×</mo><mrow/></mrow></msub>"},
      {u"<(><Q><,><+><)>", open + "<mi>Q</mi><mo>,</mo><mo>+</mo><mrow/>" + close},
      {u"<(><cdot><,><cdot><)>", open + "<mrow/><mo>⋅</mo><mrow/><mo>,</mo><mrow/><mo>⋅</mo><mrow/>" + close},
      {u"<a><*><b><*>", "<mi>a</mi><mo>*</mo><mi>b</mi><mi>∗</mi>"},
      // Relations at either end of a row, and two in a row.
      {u"<=><q>", "<mrow/><mo>=</mo><mi>q</mi>"},
      {u"<e>\\sub{<i>}<=>", "<msub><mi>e</mi><mi>i</mi></msub><mo>=</mo><mrow/>"},
      {u"<lt><k><gt><=><p>", "<mrow/><mo>&lt;</mo><mi>k</mi><mo>&gt;</mo><mrow/><mo>=</mo><mi>p</mi>"},
      {u"<a><=><-><1>", "<mi>a</mi><mo>=</mo><mo>−</mo><mn>1</mn>"},
      // Bars: pairs as fences (nested, with scripts), the rest as a divides sign.
      {u"<vertbar><A><vertbar>\\super{<2>}<=><q>",
       bar + "<mi>A</mi><msup>" + endBar + "<mn>2</mn></msup><mo>=</mo><mi>q</mi>"},
      {u"<vertbar><vertbar><x><vertbar><vertbar>", bar + bar + "<mi>x</mi>" + endBar + endBar},
      {u"<vertbar><a><vertbar><+><vertbar><b><vertbar>",
       bar + "<mi>a</mi>" + endBar + "<mo>+</mo>" + bar + "<mi>b</mi>" + endBar},
      {u"<P><(><A><vertbar><B><)>", "<mi>P</mi>" + open + "<mi>A</mi><mo>∣</mo><mi>B</mi>" + close},
      {u"<f><vertbar>\\sub{<0>}", "<mi>f</mi><msub><mi>∣</mi><mn>0</mn></msub>"},
      {u"<x><vertbar>", "<mi>x</mi><mi>∣</mi>"},
      // An operator with scripts has its operands in a row of its own.
      {u"<geq>\\sub{<i>}", "<msub><mrow><mrow/><mo>≥</mo><mrow/></mrow><mi>i</mi></msub>"},
      {u"<a><+>\\super{<2>}<H>", "<mi>a</mi><msup><mrow><mo>+</mo><mrow/></mrow><mn>2</mn></msup><mi>H</mi>"},
      // A bracket without a partner of its kind is text.
      {u"<P>\\super{<mu>}<)>", "<msup><mi>P</mi><mi>μ</mi></msup><mtext>)</mtext>"},
      {u"<[><0><,><1><)>", "<mtext>[</mtext><mn>0</mn><mo>,</mo><mn>1</mn><mtext>)</mtext>"},
      {u"<(><x><]><)>", open + "<mi>x</mi><mtext>]</mtext>" + close},
      // A script that is itself one scripted element sits in a row.
      {u"<V>\\sub{<O>\\sub{<2>}}", "<msub><mi>V</mi><mrow><msub><mi>O</mi><mn>2</mn></msub></mrow></msub>"},
      // ... but a closing bracket stays in its partner's row, and an empty base needs no row.
      {u"<(><a><)>\\super{<2>}\\sub{<k>}",
       open + "<mi>a</mi><msub><msup>" + close + "<mn>2</mn></msup><mi>k</mi></msub>"},
      {u"\\super{<2>}\\sub{<1>}<H>", "<msub><msup><mrow/><mn>2</mn></msup><mn>1</mn></msub><mi>H</mi>"},
      {u"<(>\\super{<1><2>}<C><)>", open + "<msup><mrow/><mn>12</mn></msup><mi>C</mi>" + close},
      {u"\\integral{<t>\\sub{<0>}}{<t>}<x>",
       "<mrow><msubsup><mo>∫</mo><mrow><msub><mi>t</mi><mn>0</mn></msub></mrow><mi>t</mi></msubsup>"
       "<mrow><mi>x</mi></mrow></mrow>"},
      // An operand that opens a bracket runs through its partner, scripts and all.
      {u"\\integral{\\none}{\\none}<(><f><*><g><)>\\super{<2>}<(><x><)>",
       "<mrow><mo>∫</mo><mrow>" + open + "<mi>f</mi><mo>*</mo><mi>g</mi><msup>" + close +
           "<mn>2</mn></msup></mrow></mrow>" + open + "<mi>x</mi>" + close},
      {u"\\sum{\\none}{\\none}<vertbar><a><vertbar><b>",
       "<mrow><mo>∑</mo><mrow>" + bar + "<mi>a</mi>" + endBar + "</mrow></mrow><mi>b</mi>"},
      {u"\\sum{\\none}{\\none}<(><a>", "<mrow><mo>∑</mo><mrow><mtext>(</mtext></mrow></mrow><mi>a</mi>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

TEST(MathmlWriter, LongRunsNestWithoutRecursion) {
  constexpr int32_t kRun = 50000;
  std::u16string sums, scripts = u"<x>";
  for (int32_t k = 0; k < kRun; ++k) sums += u"\\sum{}{}";
  for (int32_t k = 0; k < kRun / 2; ++k) scripts += u"\\sub{<1>}\\super{<2>}";
  sums += u"<x>";
  const std::string one = Body(u"\\sum{}{}<x>");
  const size_t operand = one.find("<mi>x</mi>");
  EXPECT_EQ(Body(sums.c_str()), Repeated(one.substr(0, operand), kRun) + "<mi>x</mi>" +
                                    Repeated(one.substr(operand + 10), kRun));
  // Every script after the first has a scripted base, which sits in a row of its own.
  EXPECT_EQ(Body(scripts.c_str()), Repeated("<msubsup><mrow>", kRun / 2 - 1) + "<msubsup><mi>x</mi>" +
                                       "<mn>1</mn><mn>2</mn></msubsup>" +
                                       Repeated("</mrow><mn>1</mn><mn>2</mn></msubsup>", kRun / 2 - 1));
}

TEST(MathmlWriter, RedStructuresColourOnlyTheirSign) {
  const Case cases[] = {
      {u"\\red\\frac{<1>}{\\red<x>}",
       "<mfrac mathcolor=\"red\"><mrow mathcolor=\"black\"><mn>1</mn></mrow>"
       "<mrow mathcolor=\"black\"><mi mathcolor=\"red\">x</mi></mrow></mfrac>"},
      {u"\\red\\sqrt{}", "<msqrt mathcolor=\"red\"><mrow mathcolor=\"black\"></mrow></msqrt>"},
      {u"<x>\\red\\super{<2>}",
       "<msup mathcolor=\"red\"><mrow mathcolor=\"black\"><mi>x</mi></mrow>"
       "<mrow mathcolor=\"black\"><mn>2</mn></mrow></msup>"},
      {u"\\red\\sum{\\none}{\\none}", "<mrow><mo mathcolor=\"red\">∑</mo><mrow></mrow></mrow>"},
      {u"\\red\\integral{<a>}{\\none}",
       "<mrow><msub mathcolor=\"red\"><mo>∫</mo><mrow mathcolor=\"black\"><mi>a</mi></mrow></msub>"
       "<mrow></mrow></mrow>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.markup), c.mathml) << EncodeUtf8(c.markup);
}

TEST(MathmlWriter, LineCarriesNamespaceDisplayAndLatex) {
  EquationLine line(u"<x><lt>\\frac{<1>}{<2>}");
  EXPECT_EQ(EncodeUtf8(LineMathml(line.tree)),
            "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics>"
            "<mrow><mi>x</mi><mo>&lt;</mo><mfrac><mn>1</mn><mn>2</mn></mfrac></mrow>"
            "<annotation encoding=\"application/x-tex\">x&lt;\\frac{1}{2}</annotation>"
            "</semantics></math>");
  EquationTree empty;
  EXPECT_EQ(WriteMathmlRow(empty, 0), u"");
}

}  // namespace
}  // namespace kav
