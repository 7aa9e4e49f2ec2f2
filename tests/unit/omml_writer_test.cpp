#include "export/omml_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/omml_fences.h"
#include "export/omml_row_items.h"
#include "export/omml_row_order.h"
#include "model/line.h"

namespace kav {
namespace {

std::string Omml(const char16_t* markup) {
  EquationLine line(markup);
  return WriteOmml(line.tree, line.tree.root, {});
}

// A row of plain leaves with the codes given, bypassing the reader (no placeholders).
EquationTree RowOf(const std::vector<NodeData>& items) {
  EquationTree tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  for (const NodeData& item : items) {
    const int32_t node = tree.AddChild(root, item);
    const int arguments = item.code == code::Super || item.code == code::Sub ? 1
                          : IsBigOperator(item.code)                         ? 2
                                                                             : 0;
    for (int i = 0; i < arguments; ++i) {
      tree.AddChild(tree.AddChild(node, MakeNode(code::Group)), MakeNode('0' + i));
    }
  }
  return tree;
}

std::string OmmlOfLeaf(SymbolCode c, StyleFlags style) {
  const EquationTree tree = RowOf({MakeNode(c, style)});
  return WriteOmml(tree, tree.root, {});
}

std::u16string FailureOf(SymbolCode c) {
  try {
    OmmlOfLeaf(c, 0);
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"no failure";
}

std::string R(const std::string& text) {
  return "<m:r><m:t>" + text + "</m:t></m:r>";
}
std::string Upright(const std::string& text) {
  return "<m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr><m:t>" + text + "</m:t></m:r>";
}
std::string Sup(const std::string& base, const std::string& sup) {
  return "<m:sSup><m:e>" + base + "</m:e><m:sup>" + sup + "</m:sup></m:sSup>";
}
std::string Sub(const std::string& base, const std::string& sub) {
  return "<m:sSub><m:e>" + base + "</m:e><m:sub>" + sub + "</m:sub></m:sSub>";
}
std::string SubSup(const std::string& base, const std::string& sub, const std::string& sup) {
  return "<m:sSubSup><m:e>" + base + "</m:e><m:sub>" + sub + "</m:sub><m:sup>" + sup +
         "</m:sup></m:sSubSup>";
}
std::string D(const std::string& open, const std::string& close, const std::string& content) {
  return "<m:d><m:dPr><m:begChr m:val=\"" + open + "\"/><m:endChr m:val=\"" + close +
         "\"/></m:dPr><m:e>" + content + "</m:e></m:d>";
}
std::string Plain(const std::string& text) {
  return "<m:r><m:rPr><m:nor/></m:rPr><m:t>" + text + "</m:t></m:r>";
}
std::string Func(const std::string& name, const std::string& operand) {
  return "<m:func><m:fName>" + name + "</m:fName><m:e>" + operand + "</m:e></m:func>";
}
const std::string kEmpty = Plain("");
// Limits given as written; both empty gives the hidden form.
std::string Nary(const std::string& chr, const std::string& lower, const std::string& upper,
                 const std::string& operand) {
  const std::string property = chr.empty() ? "" : "<m:chr m:val=\"" + chr + "\"/>";
  std::string out = "<m:nary><m:naryPr>" + property;
  if (!upper.empty()) {
    out += "</m:naryPr><m:sub>" + lower + "</m:sub><m:sup>" + upper + "</m:sup>";
  } else if (!lower.empty()) {
    out += "<m:supHide m:val=\"on\"/></m:naryPr><m:sub>" + lower + "</m:sub><m:sup/>";
  } else {
    out += "<m:subHide m:val=\"on\"/><m:supHide m:val=\"on\"/></m:naryPr><m:sub/><m:sup/>";
  }
  return out + "<m:e>" + operand + "</m:e></m:nary>";
}
const std::string kSum = "∑";
const std::string kRed = "<a:rPr><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></a:rPr>";

// The writing order as positions; "<" before a position marks an entry that wraps the one
// written before it.
std::string Order(const std::vector<SymbolCode>& codes) {
  std::string out;
  for (const OmmlRowEntry& entry : OmmlRowOrder(codes)) {
    if (!out.empty()) out += ' ';
    if (entry.takesPrevious) out += '<';
    out += std::to_string(entry.position);
  }
  return out;
}

TEST(OmmlRowOrder, ScriptsFollowTheirBaseAndOperatorsTheirOperand) {
  const SymbolCode x = 'x';
  EXPECT_EQ(Order({x, code::Super}), "0 <1");
  EXPECT_EQ(Order({code::Sum, x, x}), "1 <0 2");
  EXPECT_EQ(Order({code::Sum, code::Prod, x}), "2 <1 <0");
  EXPECT_EQ(Order({x, code::Super, code::Sub}), "0 <2 <1");
  EXPECT_EQ(Order({code::Sum, x, code::Sub, x}), "1 <2 <0 3");
  EXPECT_EQ(Order({x, code::Super, code::Integral, x}), "0 <1 3 <2");
  EXPECT_EQ(Order({code::Super, x}), "0 1");
  // An operator after a complete operand closes the operator before it.
  EXPECT_EQ(Order({code::Sum, x, code::Prod, x}), "1 <0 3 <2");
  EXPECT_EQ(Order({code::Sum, x, code::Super, code::Prod, x}), "1 <2 <0 4 <3");
  EXPECT_EQ(Order({code::Sum}), "0");
  EXPECT_EQ(Order({}), "");
}

TEST(OmmlRowOrder, NothingBeforeAnOperatorBecomesItsOperandOrAScriptBaseAfterIt) {
  const SymbolCode x = 'x';
  EXPECT_EQ(Order({x, code::Sum}), "0 1");
  EXPECT_EQ(Order({x, '+', code::Integral}), "0 1 2");
  EXPECT_EQ(Order({x, code::Super, code::Sum}), "0 <1 2");
  EXPECT_EQ(Order({x, code::Sum, code::Prod}), "0 2 <1");
  EXPECT_EQ(Order({x, code::Sum, code::Super}), "0 2 <1");
  EXPECT_EQ(Order({x, code::Sum, code::Super, x}), "0 2 <1 3");
  EXPECT_EQ(Order({x, code::Sum, code::Super, code::Prod, x}), "0 2 <1 4 <3");
}

TEST(OmmlWriter, ScriptTakesTheElementBeforeIt) {
  EXPECT_EQ(Omml(u"<x>\\super{<2>}"), Sup(R("x"), R("2")));
  EXPECT_EQ(Omml(u"<a>\\sub{<i>}<+><b>"), Sub(R("a"), R("i")) + R("+") + R("b"));
  EXPECT_EQ(Omml(u"<x>\\super{<2>}\\super{<3>}"), Sup(Sup(R("x"), R("3")), R("2")));
  // Two scripts in a row apply from the last one inwards.
  EXPECT_EQ(Omml(u"<x>\\sub{<i>}\\sub{<2>}"), Sub(Sub(R("x"), R("2")), R("i")));
}

TEST(OmmlWriter, OperatorTakesTheElementAfterItWithItsScripts) {
  EXPECT_EQ(Omml(u"\\sum{\\none}{\\none}<a><b>"), Nary(kSum, "", "", R("a")) + R("b"));
  EXPECT_EQ(Omml(u"\\sum{<i>}{<n>}<a>\\sub{<i>}<+>"),
            Nary(kSum, R("i"), R("n"), Sub(R("a"), R("i"))) + R("+") + kEmpty);
  EXPECT_EQ(Omml(u"\\sum{\\none}{\\none}\\prod{\\none}{\\none}<x>"),
            Nary(kSum, "", "", Nary("∏", "", "", R("x"))));
  EXPECT_EQ(Omml(u"\\sum{\\none}{\\none}<x>\\prod{\\none}{\\none}<y>"),
            Nary(kSum, "", "", R("x")) + Nary("∏", "", "", R("y")));
  EXPECT_EQ(Omml(u"<a>\\super{<2>}\\integral{<0>}{<1>}<f>"),
            Sup(R("a"), R("2")) + Nary("", R("0"), R("1"), R("f")));
}

TEST(OmmlWriter, ScriptOrOperatorAtTheStartOfARowHasAnEmptyBase) {
  // The reader puts a placeholder before a leading script; it writes as nothing.
  EXPECT_EQ(Omml(u"\\super{<2>}"), Sup("", R("2")));
  const EquationTree bare = RowOf({MakeNode(code::Sub), MakeNode('x')});
  EXPECT_EQ(WriteOmml(bare, bare.root, {}), Sub("", R("0")) + R("x"));
  EXPECT_EQ(Omml(u"\\sum{<i>}{<n>}"), Nary(kSum, R("i"), R("n"), ""));
}

TEST(OmmlWriter, OperatorTakesNothingFromBeforeIt) {
  EXPECT_EQ(Omml(u"<a><+>\\sum{<i>}{<n>}"), R("a") + R("+") + Nary(kSum, R("i"), R("n"), ""));
  EXPECT_EQ(Omml(u"<x>\\super{<2>}\\integral{\\none}{\\none}"),
            Sup(R("x"), R("2")) + Nary("", "", "", ""));
  EXPECT_EQ(Omml(u"<a>\\sum{\\none}{\\none}\\prod{\\none}{\\none}"),
            R("a") + Nary(kSum, "", "", Nary("∏", "", "", "")));
  // A script right after the operator has no base before it, as at the start of a row.
  EXPECT_EQ(Omml(u"<a>\\sum{\\none}{\\none}\\super{<2>}"),
            R("a") + Nary(kSum, "", "", Sup("", R("2"))));
  EXPECT_EQ(Omml(u"<a>\\sum{\\none}{\\none}\\super{<2>}<b>"),
            R("a") + Nary(kSum, "", "", Sup("", R("2"))) + R("b"));
}

TEST(OmmlWriter, LongNestingWrapsInsideOut) {
  EXPECT_EQ(
      Omml(u"<a>\\sum{\\none}{\\none}\\prod{\\none}{\\none}<x>\\super{<2>}\\sub{<3>}<b>"),
      R("a") + Nary(kSum, "", "", Nary("∏", "", "", SubSup(R("x"), R("3"), R("2")))) + R("b"));
  std::u16string markup;
  std::string expected = R("x");
  for (int k = 0; k < 300; ++k) {
    markup += u"\\sum{\\none}{\\none}";
    expected = Nary(kSum, "", "", expected);
  }
  EXPECT_EQ(Omml((markup + u"<x>").c_str()), expected);
}

TEST(OmmlWriter, OperatorLimitForms) {
  EXPECT_EQ(Omml(u"\\sum{\\none}{<n>}<a>"),
            "<m:nary><m:naryPr><m:chr m:val=\"∑\"/></m:naryPr><m:sub></m:sub><m:sup>" + R("n") +
                "</m:sup><m:e>" + R("a") + "</m:e></m:nary>");
  EXPECT_EQ(Omml(u"\\prod{<k>}{\\none}<a>"),
            "<m:nary><m:naryPr><m:chr m:val=\"∏\"/><m:supHide m:val=\"on\"/></m:naryPr><m:sub>" +
                R("k") + "</m:sub><m:sup/><m:e>" + R("a") + "</m:e></m:nary>");
  EXPECT_EQ(Omml(u"\\integral{\\none}{\\none}<x>"),
            "<m:nary><m:naryPr><m:subHide m:val=\"on\"/><m:supHide m:val=\"on\"/></m:naryPr>"
            "<m:sub/><m:sup/><m:e>" +
                R("x") + "</m:e></m:nary>");
}

TEST(OmmlWriter, FractionAndRadical) {
  EXPECT_EQ(Omml(u"\\frac{<1>}{<x>}"),
            "<m:f><m:num>" + R("1") + "</m:num><m:den>" + R("x") + "</m:den></m:f>");
  EXPECT_EQ(Omml(u"\\sqrt{<x>\\super{<2>}}"),
            "<m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/><m:e>" +
                Sup(R("x"), R("2")) + "</m:e></m:rad>");
  // Red structures have no colour of their own; only runs carry it.
  EXPECT_EQ(Omml(u"\\red\\sqrt{<x>}"),
            "<m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/><m:e>" + R("x") +
                "</m:e></m:rad>");
  EXPECT_EQ(
      Omml(u"\\red\\frac{\\red<1>}{<x>}"),
      "<m:f><m:num><m:r>" + kRed + "<m:t>1</m:t></m:r></m:num><m:den>" + R("x") + "</m:den></m:f>");
}

TEST(OmmlWriter, RunsByFaceAndColour) {
  EXPECT_EQ(Omml(u"<x|rm>"), Upright("x"));
  EXPECT_EQ(Omml(u"\\red<x>"), "<m:r>" + kRed + "<m:t>x</m:t></m:r>");
  EXPECT_EQ(Omml(u"\\red<x|rm>"),
            "<m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr>" + kRed + "<m:t>x</m:t></m:r>");
  EXPECT_EQ(OmmlOfLeaf('x', StyleRoman | StyleBoldRoman), R("x"));
  EXPECT_EQ(Omml(u"<lbrace><rbrace>"), D("{", "}", ""));
}

TEST(OmmlWriter, BoldCounterparts) {
  EXPECT_EQ(Omml(u"<a|rmbold>"), R("\xF0\x9D\x90\x9A"));
  EXPECT_EQ(Omml(u"<z|rmbold><A|rmbold><Z|rmbold>"), R("𝐳") + R("𝐀") + R("𝐙"));
  EXPECT_EQ(Omml(u"<alpha|rmbold><omega|rmbold>"), R("𝛂") + R("𝛚"));
  EXPECT_EQ(Omml(u"<Gamma|rmbold><Omega|rmbold>"), R("𝚪") + R("𝛀"));
  EXPECT_EQ(Omml(u"<0|rmbold><9|rmbold>"), R("𝟎") + R("𝟗"));
  EXPECT_EQ(Omml(u"\\red<b|rmbold>"), "<m:r>" + kRed + "<m:t>𝐛</m:t></m:r>");
  // Without a bold counterpart the character is set upright instead.
  EXPECT_EQ(Omml(u"<+|rmbold><leq|rmbold>"), Upright("+") + Upright("≤"));
}

TEST(OmmlWriter, SingleAccentsAsCombiningMarks) {
  const auto acc = [](const std::string& mark, const std::string& run) {
    return "<m:acc><m:accPr><m:chr m:val=\"" + mark + "\"/></m:accPr><m:e>" + run +
           "</m:e></m:acc>";
  };
  EXPECT_EQ(Omml(u"<x|vector>"), acc("\u20D7", R("x")));
  EXPECT_EQ(Omml(u"<x|hat>"), acc("\u0302", R("x")));
  EXPECT_EQ(Omml(u"<x|bar>"), acc("\u0305", R("x")));
  EXPECT_EQ(Omml(u"<x|tilde>"), acc("\u0303", R("x")));
  EXPECT_EQ(Omml(u"\\red<v|rmbold|vector>"), acc("\u20D7", "<m:r>" + kRed + "<m:t>𝐯</m:t></m:r>"));
  EXPECT_EQ(Omml(u"<alpha|rm|hat>"), acc("\u0302", Upright("α")));
  EXPECT_EQ(OmmlOfLeaf('x', StyleHat | StyleBar), R("x"));
  EXPECT_EQ(OmmlOfLeaf('x', StyleAccentMask | StyleRoman), Upright("x"));
}

TEST(OmmlWriter, EscapesAngleBrackets) {
  EXPECT_EQ(Omml(u"<a><lt><b><gt><c>"), R("a") + R("&lt;") + R("b") + R("&gt;") + R("c"));
  EXPECT_EQ(EncodeOmmlChar('<'), "&lt;");
  EXPECT_EQ(EncodeOmmlChar('>'), "&gt;");
  EXPECT_EQ(EncodeOmmlChar('&'), "&amp;");
  EXPECT_EQ(EncodeOmmlChar(0x7F), "\x7F");
  EXPECT_EQ(EncodeOmmlChar(0xB1), "\xC2\xB1");
  EXPECT_EQ(EncodeOmmlChar(0x2211), "\xE2\x88\x91");
  EXPECT_EQ(EncodeOmmlChar(0x10FFFF), "\xF4\x8F\xBF\xBF");
}

TEST(OmmlWriter, Failures) {
  for (SymbolCode c : {code::ThickLine, code::ThinLine, code::EndOfTokens, code::RedEscape,
                       SymbolCode(2000000017)}) {
    EXPECT_EQ(FailureOf(c), u"OOXML: Unknown token") << c;
  }
  EXPECT_EQ(FailureOf(0x110000), u"Unsupported unicode char");
  EXPECT_EQ(FailureOf(0xD800), u"Unsupported unicode char");
}

// Spellings both Word and LibreOffice read: markup in, exact Office Math out.
TEST(OmmlWriter, SpellingsOtherProgramsRead) {
  const std::string x = R("x");
  const std::string two = R("2");
  const std::string upSin = Upright("sin");
  const struct {
    const char16_t* markup;
    std::string omml;
  } cases[] = {
      // A script after a closing bracket takes the whole bracketed group.
      {u"<(><x><-><5><)>\\super{<2>}", Sup(D("(", ")", x + R("-") + R("5")), two)},
      {u"<[><a><,><b><)>", D("[", ")", R("a") + R(",") + R("b"))},
      {u"<(><(><a><)><)>\\sub{<i>}", Sub(D("(", ")", D("(", ")", R("a"))), R("i"))},
      {u"<lfloor><x><rfloor><lbrace><y><rbrace>", D("⌊", "⌋", x) + D("{", "}", R("y"))},
      {u"\\sum{\\none}{\\none}<(><a><+><b><)><c>",
       Nary(kSum, "", "", D("(", ")", R("a") + R("+") + R("b"))) + R("c")},
      // Unpaired brackets are plain text; braces and coloured brackets stay as they were.
      {u"<(><x>", Plain("(") + x},
      {u"<x><]><(>", x + Plain("]") + Plain("(")},
      {u"\\integral{\\none}{\\none}<(><x>", Nary("", "", "", Plain("(")) + x},
      {u"<lbrace><x>", R("{") + x},
      {u"\\red<(><x>\\red<)>", "<m:r><m:rPr><m:nor/></m:rPr>" + kRed + "<m:t>(</m:t></m:r>" + x +
                                   "<m:r><m:rPr><m:nor/></m:rPr>" + kRed + "<m:t>)</m:t></m:r>"},
      // Bars pair as delimiters; a bar without a partner is "divides", never "or".
      {u"<vertbar><x><vertbar>\\super{<2>}", Sup(D("|", "|", x), two)},
      {u"<lbrace><x><vertbar><y><rbrace>", D("{", "}", x + R("∣") + R("y"))},
      {u"<(><a><vertbar><b><)><vertbar>", D("(", ")", R("a") + R("∣") + R("b")) + R("∣")},
      {u"<vertbar><a><vertbar><b><vertbar>", D("|", "|", R("a")) + R("b") + R("∣")},
      // A script or operand that is only an operator.
      {u"<phi>\\super{<+>}", Sup(R("φ"), kEmpty + R("+") + kEmpty)},
      {u"<g>\\sub{<*>}", Sub(R("g"), R("∗"))},
      {u"<x>\\super{<=>}", Sup(x, kEmpty + R("=") + kEmpty)},
      {u"\\integral{\\none}{\\none}<-><y>", Nary("", "", "", R("−")) + R("y")},
      {u"<x><+>\\sub{<1>}\\super{<2>}<H|rm>",
       x + SubSup(kEmpty + R("+") + kEmpty, R("1"), two) + Upright("H")},
      {u"<a><lt>\\sub{<y>}<b>", R("a") + Sub(kEmpty + R("&lt;") + kEmpty, R("y")) + R("b")},
      {u"<x><=|hat><y>", x + "<m:acc><m:accPr><m:chr m:val=\"\u0302\"/></m:accPr><m:e>" + kEmpty +
                             R("=") + kEmpty + "</m:e></m:acc>" + R("y")},
      // One m:sSubSup for both scripts on one base, in either order.
      {u"<a>\\sub{<i>}\\super{<2>}", SubSup(R("a"), R("i"), two)},
      {u"<a>\\super{<2>}\\sub{<i>}", SubSup(R("a"), R("i"), two)},
      {u"<a>\\sub{<i>}\\super{<2>}\\sub{<j>}", Sub(SubSup(R("a"), R("j"), two), R("i"))},
      // Upright letters as one run; function names as functions with their scripts.
      {u"<r|rm><a|rm><n|rm><k|rm><A>", Upright("rank") + R("A")},
      {u"<d|rm><x>", Upright("d") + x},
      {u"\\red<s|rm>\\red<i|rm><n|rm>",
       "<m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr>" + kRed + "<m:t>si</m:t></m:r>" + Upright("n")},
      {u"<s|rm><i|rm><n|rm><x>", Func(upSin, x)},
      {u"<s|rm><i|rm><n|rm>\\super{<2>}<(><x><)>", Func(Sup(upSin, two), D("(", ")", x))},
      {u"<l|rm><o|rm><g|rm>\\sub{<2>}\\super{<3>}<y>",
       Func(SubSup(Upright("log"), two, R("3")), R("y"))},
      {u"<s|rm><i|rm><n|rm>", upSin},
      {u"<l|rm><i|rm><m|rm>\\sub{<x>}<f>", Sub(Plain("lim"), x) + R("f")},
      {u"<D|rm><i|rm><v|rm>\\super{<0>}<O|rm><R|rm>", Sup(Plain("Div"), R("0")) + Plain("OR")},
      {u"<R|rm><e|rm><(><s><)>", Plain("Re") + D("(", ")", R("s"))},
      {u"<E|rm><x|rm><p|rm><x>", Plain("Exp") + R("x")},
      // Relations at either end, or two in a row, stand beside an empty run.
      {u"<=><x>", kEmpty + R("=") + x},
      {u"<x><=>", x + R("=") + kEmpty},
      {u"<x><gt><=><y>", x + R("&gt;") + kEmpty + R("=") + R("y")},
      {u"<-><x><,><x><-><y>", R("-") + x + R(",") + x + R("-") + R("y")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Omml(c.markup), c.omml) << EncodeUtf8(c.markup);
  }
}

// Bracket pairs nest as deep as structures may, and no deeper: a row of 100,000 nested pairs
// is written with the outer hundred as delimiters and the rest as plain text.
TEST(OmmlWriter, DeepBracketsStayBounded) {
  std::u16string markup;
  for (int k = 0; k < 100000; ++k) markup += u"<(>";
  markup += u"<x>";
  for (int k = 0; k < 100000; ++k) markup += u"<)>";
  const std::string omml = Omml(markup.c_str());
  const auto count = [&](const std::string& part) {
    size_t n = 0;
    for (size_t at = omml.find(part); at != std::string::npos; at = omml.find(part, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<m:d>"), 100u);
  EXPECT_EQ(count(Plain("(")), 99900u);
  EXPECT_EQ(count(Plain(")")), 99900u);
}

// Which bracket each child pairs with, as positions ("-" for none).
std::string Partners(const std::u16string& row, int32_t maxDepth = 100) {
  std::vector<OmmlLeaf> leaves;
  for (char16_t c : row) {
    leaves.push_back({c == u'{' ? code::LBrace : c == u'}' ? code::RBrace : c});
  }
  std::string out;
  for (int32_t partner : OmmlFencePartners(leaves, maxDepth)) {
    out += partner < 0 ? std::string("-") : std::to_string(partner);
  }
  return out;
}

TEST(OmmlFences, PairsNestedBracketsAndBarsAtOneDepth) {
  EXPECT_EQ(Partners(u"(x)"), "2-0");
  EXPECT_EQ(Partners(u"((x)"), "-3-1");
  EXPECT_EQ(Partners(u"x))"), "---");
  EXPECT_EQ(Partners(u"[x)"), "2-0");
  EXPECT_EQ(Partners(u"|x|+|y|"), "2-0-6-4");
  EXPECT_EQ(Partners(u"{x|y}"), "4---0");
  EXPECT_EQ(Partners(u"|(|)|"), "43-10");
  EXPECT_EQ(Partners(u"(|)|"), "2-0-");
  // Pairs deeper than the limit stay single; those outside them still pair.
  EXPECT_EQ(Partners(u"((x))(y)", 1), "4---07-5");
  EXPECT_EQ(Partners(u"(x)|y|", 0), "------");
}

// The elements of a markup row as "kind first-last": S single, F fence, R upright run,
// W reserved word, N function name (with its scripts up to last).
std::string Items(const char16_t* markup) {
  const EquationLine line(markup);
  std::vector<OmmlLeaf> leaves;
  for (int32_t child : line.tree.Children(line.tree.root)) {
    leaves.push_back({line.tree.CodeAt(child), line.tree.Data(child).style});
  }
  const std::vector<int32_t> partners = OmmlFencePartners(leaves, 100);
  std::string out;
  for (const OmmlItem& item :
       OmmlRowItems(leaves, partners, 0, static_cast<int32_t>(leaves.size()))) {
    out += std::string(out.empty() ? "" : " ") + "SFRWN"[static_cast<int>(item.kind)] +
           std::to_string(item.first) + "-" + std::to_string(item.last);
  }
  return out;
}

TEST(OmmlRowItems, GroupsBracketsRunsWordsAndFunctions) {
  EXPECT_EQ(Items(u"<(><x><)>\\super{<2>}"), "F0-2 S3-3");
  EXPECT_EQ(Items(u"<a|rm><b|rm><c>"), "R0-1 S2-2");
  EXPECT_EQ(Items(u"<a|rm><b|rmbold><c|rm><d|rm|hat>"), "S0-0 S1-1 S2-2 S3-3");
  EXPECT_EQ(Items(u"<s|rm><i|rm><n|rm>\\super{<2>}\\sub{<3>}<x>"), "N0-4 S5-5");
  EXPECT_EQ(Items(u"<s|rm><i|rm><n|rm><h|rm><x>"), "R0-3 S4-4");
  EXPECT_EQ(Items(u"<L|rm><i|rm><m|rm>\\sub{<x>}"), "W0-2 S3-3");
  EXPECT_EQ(Items(u"<x><(><s|rm><i|rm><n|rm><)>"), "S0-0 F1-5");
}

TEST(OmmlWriter, EmptyTreeOrNegativeNodeWritesNothing) {
  EquationTree empty;
  EXPECT_EQ(WriteOmml(empty, 0, "base"), "");
  EXPECT_EQ(Omml(u""), "");
}

}  // namespace
}  // namespace kav
