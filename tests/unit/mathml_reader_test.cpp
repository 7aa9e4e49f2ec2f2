#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/mathml_writer.h"
#include "import/mathml_reader.h"
#include "import/xml_reader.h"
#include "model/line.h"
#include "random_tree.h"

namespace kav {
namespace {

std::string Markup(const std::string& mathml) {
  const std::vector<std::u16string> lines = ReadMathmlFormulas(*DecodeUtf8(mathml));
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) out += (i > 0 ? "\n" : "") + EncodeUtf8(lines[i]);
  return out;
}

std::string Refusal(const std::string& mathml) {
  try {
    return "read as " + Markup(mathml);
  } catch (const Failure& failure) {
    return EncodeUtf8(failure.text);
  }
}

struct Case {
  const char* mathml;
  const char* markup;
};

TEST(MathmlReader, TokensFacesAndColours) {
  const Case cases[] = {
      {"<math><mi>x</mi><mn>12</mn><mo>&#x2212;</mo><mi>&alpha;</mi></math>", "<x><1><2><-><alpha>"},
      {"<math><mi>sin</mi><mo>&ApplyFunction;</mo><mi>x</mi></math>", "<s|rm><i|rm><n|rm><x>"},
      {"<math><mi mathvariant='normal'>d</mi><mi mathvariant=\"bold\">v</mi><mi mathvariant=\"bold-italic\">w</mi></math>",
       "<d|rm><v|rmbold><w|rmbold>"},
      {"<math><mstyle mathvariant='bold' mathcolor='#FF0000'><mi>a</mi><mn>2</mn></mstyle></math>",
       "\\red<a|rmbold>\\red<2|rmbold>"},
      {"<math><mrow mathcolor='red'><mi>a</mi><mi mathcolor='black'>b</mi></mrow></math>", "\\red<a><b>"},
      {"<math><mi>&#x1D431;</mi><mi>&#x210E;</mi></math>", "<x|rmbold><h>"},
      {"<math><mo>&sdot;</mo><mo>&#xB7;</mo><mo>&le;</mo><mi mathvariant='normal'>&infin;</mi><mo>{</mo></math>",
       "<cdot><cdot><leq><infinity|rm><lbrace>"},
      {"<math><mo>lim</mo><mtext> if </mtext><mspace width='1em'/><mi>&#x3B5;</mi></math>",
       "<l|rm><i|rm><m|rm><i|rm><f|rm><epsilon>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup(c.mathml), c.markup) << c.mathml;
}

TEST(MathmlReader, StructuresScriptsAndOperators) {
  const Case cases[] = {
      {"<math><mfrac><mi>a</mi><mrow><mi>b</mi><mo>+</mo><mn>1</mn></mrow></mfrac></math>",
       "\\frac{<a>}{<b><+><1>}"},
      {"<math><msqrt><mi>x</mi><mn>2</mn></msqrt></math>", "\\sqrt{<x><2>}"},
      {"<math><msubsup><mi>a</mi><mi>i</mi><mn>2</mn></msubsup></math>", "<a>\\sub{<i>}\\super{<2>}"},
      {"<math><msup><mrow><mo>(</mo><mi>x</mi><mo>)</mo></mrow><mn>2</mn></msup></math>",
       "<(><x><)>\\super{<2>}"},
      {"<math><munderover><mo>&#x2211;</mo><mrow><mi>i</mi><mo>=</mo><mn>1</mn></mrow><mi>n</mi></munderover><mi>a</mi></math>",
       "\\sum{<i><=><1>}{<n>}<a>"},
      {"<math><msubsup><mo>&int;</mo><mn>0</mn><mn>1</mn></msubsup><mi>f</mi></math>", "\\integral{<0>}{<1>}<f>"},
      {"<math><munder><mo>&prod;</mo><mi>k</mi></munder><mover><mo>&sum;</mo><mi>n</mi></mover></math>",
       "\\prod{<k>}{\\none}\\sum{\\none}{<n>}"},
      {"<math><mo>&#x222B;</mo><mi>x</mi></math>", "\\integral{\\none}{\\none}<x>"},
      {"<math><munder><mo>lim</mo><mrow><mi>x</mi><mo>&#x2192;</mo><mn>0</mn></mrow></munder></math>",
       "<l|rm><i|rm><m|rm>\\sub{<x><rarrow><0>}"},
      {"<math><mover accent='true'><mi>v</mi><mo>&#x20D7;</mo></mover><mover><mi>x</mi><mo>&#xAF;</mo></mover>"
       "<mover><mrow><mi>a</mi><mi>b</mi></mrow><mo>^</mo></mover><mover><mi>f</mi><mo>~</mo></mover></math>",
       "<v|vector><x|bar><a|hat><b|hat><f|tilde>"},
      {"<math><mfenced><mi>a</mi><mi>b</mi></mfenced><mfenced open='[' close=']' separators=''><mi>c</mi></mfenced></math>",
       "<(><a><,><b><)><[><c><]>"},
      {"<math><mfrac mathcolor='red'><mrow mathcolor='black'><mn>1</mn></mrow><mi>x</mi></mfrac></math>",
       "\\red\\frac{<1>}{\\red<x>}"},
      {"<math><munder><mo>&sum;</mo><mrow><mrow class='kav-none'/><mi>a</mi></mrow></munder><mrow class='kav-none'/></math>", "\\sum{\\none}{\\none}\\none"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup(c.mathml), c.markup) << c.mathml;
}

TEST(MathmlReader, DocumentsAsOtherProgramsWriteThem) {
  const Case cases[] = {
      {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- Word -->\n"
       "<mml:math xmlns:mml=\"http://www.w3.org/1998/Math/MathML\"><mml:mi>x</mml:mi></mml:math>",
       "<x>"},
      {"<!DOCTYPE math PUBLIC \"-//W3C//DTD MathML 2.0//EN\" \"http://www.w3.org/Math/DTD/mathml2/mathml2.dtd\" "
       "[<!ENTITY boom \"]>\">]><math><semantics><mi>y</mi><annotation encoding='TeX'>y</annotation></semantics></math>",
       "<y>"},
      {"<math><mi><![CDATA[<]]></mi><mo>&lt;</mo><!-- note --><mi>&#120;</mi></math>", "<lt><lt><x>"},
      {"<math display='block'/>\n<math><mn>1</mn></math>", "\n<1>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup(c.mathml), c.markup) << c.mathml;
}

TEST(MathmlReader, RefusesWhatTheMarkupCannotHold) {
  const Case cases[] = {
      {"<math><mtable><mtr><mtd><mi>a</mi></mtd></mtr></mtable></math>",
       "MathML: <mtable> cannot be written in a Kav formula"},
      {"<math><mroot><mi>x</mi><mn>3</mn></mroot></math>", "MathML: <mroot> cannot be written in a Kav formula"},
      {"<m:math xmlns:m='x'><m:menclose><m:mi>x</m:mi></m:menclose></m:math>",
       "MathML: <menclose> cannot be written in a Kav formula"},
      {"<math><mi mathcolor='blue'>x</mi></math>", "MathML: mathcolor=\"blue\" cannot be written in a Kav formula"},
      {"<math><mi mathvariant='double-struck'>R</mi></math>",
       "MathML: mathvariant=\"double-struck\" cannot be written in a Kav formula"},
      {"<math><mi>&#x211D;</mi></math>", "MathML: \"\xE2\x84\x9D\" (U+211D) cannot be written in a Kav formula"},
      // A ring among other things is no degree sign.
      {"<math><msup><mi>f</mi><mrow><mo>&#x2218;</mo><mi>g</mi></mrow></msup></math>",
       "MathML: \"\xE2\x88\x98\" (U+2218) cannot be written in a Kav formula"},
      {"<math><mfrac linethickness='0'><mi>n</mi><mi>k</mi></mfrac></math>",
       "MathML: <mfrac linethickness=\"0\"> cannot be written in a Kav formula"},
      {"<math><mover><mfrac><mi>a</mi><mi>b</mi></mfrac><mo>^</mo></mover></math>",
       "MathML: an accent over more than letters cannot be written in a Kav formula"},
      {"<math><mfrac><mi>a</mi></mfrac></math>", "MathML: <mfrac> needs 2 children"},
      {"<svg/>", "MathML: <svg> is not a <math> element"},
      {"  ", "MathML: the text holds no <math> element"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.mathml), c.markup) << c.mathml;
}

TEST(MathmlReader, MalformedXmlNamesTheLine) {
  const Case cases[] = {
      {"<math>\n<mi>x</mo></math>", "MathML: </...> does not close <mi> (line 2)"},
      {"<math><mi>x</mi>", "MathML: <math> is not closed (line 1)"},
      {"<math><mi>&foo;</mi></math>", "MathML: unknown entity &foo; (line 1)"},
      {"<math><mi>&#xD800;</mi></math>", "MathML: bad character reference (line 1)"},
      {"<math a=b/>", "MathML: expected a quoted attribute value (line 1)"},
      {"<math><!-- x </math>", "MathML: unterminated comment (line 1)"},
      {"x<math/>", "MathML: text outside an element (line 1)"},
      {"<math>x</math>", "MathML: text directly inside <math> cannot be written in a Kav formula"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.mathml), c.markup) << c.mathml;
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<mrow>";
  EXPECT_EQ(Refusal("<math>" + deep), "MathML: elements nested too deeply (line 1)");
  std::string nested = "<math>";
  for (int i = 0; i < 120; ++i) nested += "<msqrt>";
  for (int i = 0; i < 120; ++i) nested += "</msqrt>";
  EXPECT_EQ(Refusal(nested + "</math>"),
            "MathML: the formula is nested too deeply");
}

TEST(MathmlReader, TellsMathmlFromLatex) {
  const struct {
    const char16_t* text;
    bool mathml;
  } cases[] = {
      {u" \n<?xml version='1.0'?><!-- c --><math>", true},
      {u"<mml:math xmlns:mml='x'>", true},
      {u"<math/>", true},
      {u"<!DOCTYPE math PUBLIC \"-//W3C//DTD MathML 2.0//EN\" \"mathml2.dtd\">\n<math><mi>x</mi></math>", true},
      {u"\xFEFF\r\n <!DOCTYPE math>", true},
      {u"<!-- a note --><?xml version=\"1.0\"?><svg/>", true},
      {u"\\frac{a}{b}", false},
      {u"<mathx>", false},
      {u"x <math>", false},
      {u"<!DOCTYP>", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikeMathml(c.text), c.mathml) << EncodeUtf8(c.text);
}

// MathJax's spellings of what the LaTeX reader reads: its overline mark and "^\circ".
TEST(MathmlReader, ReadsAsTheLatexReaderDoes) {
  const Case cases[] = {
      {"<math><mover><mi>x</mi><mo accent='true'>&#x2015;</mo></mover></math>", "<x|bar>"},
      {"<math><msup><mi>x</mi><mo>&#x2218;</mo></msup><msup><mn>30</mn><mrow><mo mathcolor='red'>&#x2218;</mo></mrow></msup></math>",
       "<x><deg><3><0>\\red<deg>"},
      {"<math><msubsup><mi>T</mi><mn>1</mn><mi>&#x2218;</mi></msubsup></math>", "<T>\\sub{<1>}<deg>"},
      {"<math><munder><mo movablelimits='true'>lim sup</mo><mi>n</mi></munder></math>",
       "<l|rm><i|rm><m|rm><s|rm><u|rm><p|rm>\\sub{<n>}"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup(c.mathml), c.markup) << c.mathml;
}

// Limits of anything but a big operator or an operator name are refused, never hung on the last
// symbol of their base.
TEST(MathmlReader, RefusesLimitsOfOrdinaryBases) {
  const Case cases[] = {
      {"<math><munder><mrow><mi>x</mi><mi>y</mi></mrow><mi>a</mi></munder></math>",
       "MathML: <munder> under <mrow> cannot be written in a Kav formula"},
      {"<math><mover><mo>=</mo><mtext>def</mtext></mover></math>",
       "MathML: <mover> over <mo>=</mo> cannot be written in a Kav formula"},
      {"<math><munderover><mi>x</mi><mn>0</mn><mn>1</mn></munderover></math>",
       "MathML: <munderover> under and over <mi>x</mi> cannot be written in a Kav formula"},
      {"<math><mover><mover><mrow><mi>a</mi><mi>b</mi></mrow><mo>&#x23DE;</mo></mover><mi>n</mi></mover></math>",
       "MathML: <mover> over <mover> cannot be written in a Kav formula"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.mathml), c.markup) << c.mathml;
}

// A failure names the line of the element at fault, whatever found it.
TEST(MathmlReader, FailuresCarryTheirLine) {
  const struct {
    const char* mathml;
    int32_t line;
  } cases[] = {
      {"<math>\n<mi>x</mi>\n<mtable/>\n</math>", 3},
      {"<math><mi>x</mi></math>\n\n<math>\n<mi mathcolor='blue'>x</mi></math>", 4},
      {"<math>\n<mfrac>\n<mi>a</mi></mfrac></math>", 2},
      {"<math>\n<mi>x</mi>\n<mi>y</mo></math>", 3},
      {"\n<svg/>", 2},
      {"<math>\n\n<mover>\n<mrow><mi>a</mi><mi>b</mi></mrow>\n<mo>&#x23DE;</mo></mover></math>", 3},
      {"<math>\n<mi>x</mi>\n<mrow><mi>&#x211D;</mi></mrow></math>", 3},
  };
  for (const auto& c : cases) {
    try {
      ReadMathmlFormulas(*DecodeUtf8(c.mathml));
      ADD_FAILURE() << "read " << c.mathml;
    } catch (const MathmlFailure& failure) {
      EXPECT_EQ(failure.line, c.line) << c.mathml;
    }
  }
  std::vector<int32_t> lines;
  ReadMathmlFormulas(u"<math/>\n\n <math><mi>x</mi></math><math/>", &lines);
  EXPECT_EQ(lines, (std::vector<int32_t>{1, 3, 3}));
}

// Every structure, style and colour of a random line survives MathML and back. A limit that is
// off keeps only its \none: what would follow it is never shown, and MathML has no place for it.
void DropOffLimitContent(EquationTree& tree, int32_t node) {
  if (IsBigOperator(tree.CodeAt(node))) {
    for (int32_t limit : tree.Children(node)) {
      if (tree.ChildCount(limit) > 0 && tree.CodeAt(tree.Child(limit, 0)) == code::None) {
        while (tree.ChildCount(limit) > 1) tree.Detach(tree.Child(limit, 1));
      }
    }
  }
  for (int32_t child : std::vector<int32_t>(tree.Children(node))) DropOffLimitContent(tree, child);
}

TEST(MathmlRoundTrip, RandomLinesReadBackAsWritten) {
  ExportTextBuffer buffer;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    EquationLine line;
    TreeGenerator(seed).Fill(line.tree);
    line.Serialize(buffer);
    line.Reparse();
    DropOffLimitContent(line.tree, line.tree.root);
    line.Serialize(buffer);
    const std::u16string mathml = LineMathml(line.tree);
    std::vector<std::u16string> back;
    ASSERT_NO_THROW(back = ReadMathmlFormulas(mathml)) << "seed " << seed << " " << EncodeUtf8(mathml);
    ASSERT_EQ(back, std::vector<std::u16string>{line.markup}) << "seed " << seed << " " << EncodeUtf8(mathml);
  }
}

// The spellings written for other programs' sake (fences, divides signs, text brackets, empty
// operands, rows around nested scripts) read back as the line they came from.
TEST(MathmlRoundTrip, SpellingsForOtherReadersReadBackAsWritten) {
  const char16_t* markups[] = {
      u"<x>\\super{<*>}<+><y>\\sub{<times>}<+><z>\\super{<+>}\\sub{<->}",
      u"<(><Q><,><+><)><(><cdot><,><cdot><)><=><e>\\sub{<i>}<=>",
      u"<vertbar><vertbar><x><vertbar><vertbar>\\super{<2>}<P><(><A><vertbar><B><)><f><vertbar>\\sub{<0>}<x><vertbar>",
      u"<[><0><,><1><)><P>\\super{<mu>}<)>\\red<(><x|rm>",
      u"<V>\\sub{<O>\\sub{<2>}}<a>\\super{<2>}\\sub{<i>}\\integral{<t>\\sub{<0>}}{<t>}<(><f><*><g><)>\\super{<2>}",
      u"\\sum{\\none}{\\none}<vertbar><a><vertbar>\\red<vertbar|rm><*|rm>",
      u"<geq>\\sub{<i>}<a><+>\\super{<2>}<(><a><)>\\super{<2>}\\sub{<k>}\\super{<2>}\\sub{<1>}<H>",
      u"<m><(>\\super{<1><2>}<C><)><[>\\super{<d>\\sub{<h>}}\\sub{<c>}<P><]>",
  };
  for (const char16_t* markup : markups) {
    EquationLine line(markup);
    EXPECT_EQ(ReadMathmlFormulas(LineMathml(line.tree)), std::vector<std::u16string>{markup}) << EncodeUtf8(markup);
  }
}

TEST(MathmlRoundTrip, SampleDocumentsReadBackAsWritten) {
  for (const char* path : {KAV_TEST_DATA "/../../examples/all-symbols.kav", KAV_TEST_DATA "/../../bench/corpus.kav"}) {
    FILE* file = std::fopen(path, "rb");
    ASSERT_NE(file, nullptr) << path;
    std::string bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
    std::u16string text = *DecodeUtf8(bytes);
    int count = 0;
    for (size_t start = text.find(u"\n@"); start != std::u16string::npos; start = text.find(u"\n@", start + 1)) {
      const size_t end = text.find(u'\n', start + 1);
      EquationLine line(text.substr(start + 2, end - start - 2));
      ExportTextBuffer buffer;
      line.Serialize(buffer);
      EXPECT_EQ(ReadMathmlFormulas(LineMathml(line.tree)), std::vector<std::u16string>{line.markup});
      ++count;
    }
    EXPECT_GT(count, 10) << path;
  }
}

}  // namespace
}  // namespace kav
