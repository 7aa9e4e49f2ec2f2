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
      {u"<-><cdot><times><leq><infinity>", "<mo>−</mo><mo>⋅</mo><mo>×</mo><mo>≤</mo><mi>∞</mi>"},
      {u"<lt><gt>", "<mo>&lt;</mo><mo>&gt;</mo>"},
      {u"<(><lbrace><rfloor>",
       "<mo form=\"prefix\" stretchy=\"false\">(</mo><mo form=\"prefix\" stretchy=\"false\">{</mo>"
       "<mo form=\"postfix\" stretchy=\"false\">⌋</mo>"},
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
      {u"<a>\\super{<2>}\\sub{<i>}", "<msub><msup><mi>a</mi><mn>2</mn></msup><mi>i</mi></msub>"},
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
  EXPECT_EQ(Body(scripts.c_str()), Repeated("<msubsup>", kRun / 2) + "<mi>x</mi>" +
                                       Repeated("<mn>1</mn><mn>2</mn></msubsup>", kRun / 2));
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
