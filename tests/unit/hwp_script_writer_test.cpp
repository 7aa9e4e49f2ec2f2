#include <gtest/gtest.h>

#include <string>

#include "base/failure.h"
#include "export/hwp_script_writer.h"
#include "model/line.h"
#include "writer_text.h"

namespace kav {
namespace {

std::u16string Script(const EquationTree& tree, int32_t node) {
  return WrittenText(WriteHwpScriptNode, tree, node);
}

std::u16string Script(const char16_t* markup) { return WrittenText(WriteHwpScriptNode, markup); }

std::u16string ScriptOfLeaf(SymbolCode c, StyleFlags style) {
  return WrittenLeaf(WriteHwpScriptNode, c, style);
}

std::u16string FailureOf(SymbolCode c) {
  EquationLine line(u"<a>");
  line.tree.Data(line.tree.Child(line.tree.root, 0)).code = c;
  try {
    Script(line.tree, line.tree.root);
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"no failure";
}

TEST(HwpScriptWriter, WorkedExamples) {
  EXPECT_EQ(Script(u"<x>\\super{<2>}"), u"x ^{2 }");
  EXPECT_EQ(Script(u"<a><=><b>"), u"a =b ");
  EXPECT_EQ(Script(u"\\red\\frac{<1>}{<x>}"),
            u"{color{255,0,0}{{{color{0,0,0}1 }}over{{color{0,0,0}x }}}}");
  EXPECT_EQ(Script(u"\\sum{<i><=><0>}{\\none}<a>\\sub{<i>}"), u"sum _{i =0 }a _{i }");
  EXPECT_EQ(Script(u"<x|rm|hat>"), u"{rm hat x it}");
  EXPECT_EQ(Script(u"\\red<x|rmbold>"), u"{rmbold {color{255,0,0}x }it}");
}

TEST(HwpScriptWriter, EmptyTreeOrNegativeNodeWritesNothing) {
  EquationTree empty;
  EXPECT_EQ(Script(empty, 0), u"");
  EquationLine line(u"<x>");
  EXPECT_EQ(Script(line.tree, -1), u"");
}

TEST(HwpScriptWriter, Structures) {
  EXPECT_EQ(Script(u"\\frac{<1>}{}"), u"{{1 }over{}}");
  EXPECT_EQ(Script(u"\\sqrt{<x><+><1>}"), u"sqrt{x +1 }");
  EXPECT_EQ(Script(u"\\sum{\\none}{\\none}<a>"), u"sum a ");
  EXPECT_EQ(Script(u"\\prod{\\none}{<n>}"), u"prod ^{n }");
  EXPECT_EQ(Script(u"\\integral{<0>}{<1>}<f>"), u"integral _{0 }^{1 }f ");
}

TEST(HwpScriptWriter, ColourGroupsInRedStructures) {
  EXPECT_EQ(Script(u"\\red\\sqrt{<x>}"), u"{color{255,0,0}sqrt{{color{0,0,0}x }}}");
  EXPECT_EQ(Script(u"\\red\\sum{<i>}{<n>}"),
            u"{color{255,0,0}sum _{{color{0,0,0}i }}^{{color{0,0,0}n }}}");
  EXPECT_EQ(Script(u"\\red\\sum{\\none}{\\none}"), u"{color{255,0,0}sum }");
  EXPECT_EQ(Script(u"<x>\\red\\super{<2>}\\red\\sub{<i>}"), u"x ^{2 }_{i }");
  EXPECT_EQ(Script(u"<x>\\super{\\red<2>}"), u"x ^{{color{255,0,0}2 }}");
  EXPECT_EQ(Script(u"\\red\\frac{\\red<1>}{<x>}"),
            u"{color{255,0,0}{{{color{0,0,0}{color{255,0,0}1 }}}over{{color{0,0,0}x }}}}");
  EXPECT_EQ(Script(u"\\red<+>\\red<leq|hat>"), u"{color{255,0,0}+}{color{255,0,0}leq }");
}

TEST(HwpScriptWriter, FacesAndAccents) {
  EXPECT_EQ(Script(u"<5|rm>"), u"5 ");
  EXPECT_EQ(Script(u"\\red<5|rmbold|hat>"), u"{rmbold {color{255,0,0}hat 5 }it}");
  EXPECT_EQ(Script(u"<alpha|rmbold>"), u"{rmbold α it}");
  EXPECT_EQ(Script(u"<Omega|rm|tilde>"), u"{rm tilde Ω it}");
  EXPECT_EQ(Script(u"<x|vector>"), u"vec x ");
  EXPECT_EQ(Script(u"<=|rmbold|bar>"), u"=");
  EXPECT_EQ(ScriptOfLeaf('x', StyleRoman | StyleBoldRoman), u"{rmbold x it}");
  EXPECT_EQ(ScriptOfLeaf('x', StyleAccentMask), u"vec hat bar tilde x ");
  EXPECT_EQ(ScriptOfLeaf('7', StyleBoldRoman | StyleVector | StyleTilde),
            u"{rmbold vec tilde 7 it}");
}

TEST(HwpScriptWriter, ScriptWords) {
  EXPECT_EQ(Script(u"<lt><gt><(><)><[><]><!><*><,><-><.>"), u"<>()[]!*,-.");
  EXPECT_EQ(Script(u"<pm><intersection><union><deg>"), u"plusminus cap cup DEG ");
  EXPECT_EQ(Script(u"<lbrace><rbrace><vertbar><leq><geq><in><cdot><times>"),
            u"lbrace rbrace vertbar leq geq in cdot times ");
  EXPECT_EQ(Script(u"<subset><infinity><rarrow><cdots><lfloor><rfloor><lceil><rceil>"),
            u"subset infinity rarrow cdots lfloor rfloor lceil rceil ");
  EXPECT_EQ(Script(u"<sqrt><frac>"), u"sqrt frac ");
}

TEST(HwpScriptWriter, UnknownCharacterFails) {
  EXPECT_EQ(FailureOf(' '), u"Hwp:: Unknown ch");
  EXPECT_EQ(FailureOf('?'), u"Hwp:: Unknown ch");
  EXPECT_EQ(FailureOf('&'), u"Hwp:: Unknown ch");
  EXPECT_EQ(FailureOf(962), u"Hwp:: Unknown ch");
  EXPECT_EQ(FailureOf(code::ThinLine), u"Hwp:: Unknown ch");
}

}  // namespace
}  // namespace kav
