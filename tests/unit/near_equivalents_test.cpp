// The LaTeX and MathML readers share one list of near equivalents: a character or command reads
// as the same symbol in both, or both refuse it by name; no letter turns into one of another shape.
#include "model/near_equivalents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "import/latex_reader.h"
#include "import/mathml_reader.h"

namespace kav {
namespace {

// The one formula a text reads to, or the reader's refusal.
template <typename Reader>
std::u16string ReadOrRefusal(Reader read, std::u16string_view text) {
  try {
    const std::vector<std::u16string> formulas = read(text);
    return formulas.size() == 1 ? formulas[0] : u"several formulas";
  } catch (const Failure& failure) {
    return failure.text;
  }
}

std::u16string FromLatex(std::u16string_view latex) {
  return ReadOrRefusal(ReadLatexFormulas, latex);
}

// Each character in a token of its own: a Greek letter in <mi>, anything else in <mo>.
std::u16string FromMathml(std::u16string_view characters) {
  std::u16string mathml = u"<math>";
  for (char16_t c : characters) {
    const std::u16string_view element = c >= 0x370 && c < 0x400 ? u"mi" : u"mo";
    mathml += u"<" + std::u16string(element) + u">" + c + u"</" + std::u16string(element) + u">";
  }
  return ReadOrRefusal([](std::u16string_view text) { return ReadMathmlFormulas(text); },
                       mathml + u"</math>");
}

TEST(NearEquivalents, BothReadersGiveTheSameSymbolOrTheSameRefusal) {
  const struct {
    const char* label;
    const char16_t* latex;
    const char16_t* mathml;  // the characters, each a token
    const char16_t* latexResult;
    const char16_t* mathmlResult;
  } cases[] = {
      {"Kav's epsilon and phi", u"\\varepsilon\\varphi", u"\u03B5\u03C6", u"<epsilon><phi>",
       u"<epsilon><phi>"},
      {"slanted relations", u"\\geqslant\\leqslant", u"\u2A7E\u2A7D", u"<geq><leq>", u"<geq><leq>"},
      {"minus, dot operator, asterisk and divides", u"\u2212\u22C5\\ast\\mid",
       u"\u2212\u22C5\u2217\u2223", u"<-><cdot><*><vertbar>", u"<-><cdot><*><vertbar>"},
      {"lunate epsilon", u"x+\\epsilon", u"\u03F5",
       u"LaTeX: \\epsilon (the lunate epsilon \u03F5, not Kav's \u03B5) cannot be written in a Kav "
       u"formula (column 3)",
       u"MathML: \"\u03F5\" (U+03F5, the lunate epsilon \u03F5, not Kav's \u03B5) cannot be "
       u"written "
       u"in a Kav formula"},
      {"dots on the baseline", u"a_1,\\ldots,a_n", u"\u2026",
       u"LaTeX: \\ldots (the dots on the baseline \u2026, not Kav's centred \u22EF) cannot be "
       u"written in a Kav formula (column 5)",
       u"MathML: \"\u2026\" (U+2026, the dots on the baseline \u2026, not Kav's centred \u22EF) "
       u"cannot be written in a Kav formula"},
      {"bullet", u"a\\bullet b", u"\u2219",
       u"LaTeX: \\bullet (the bullet \u2219, not Kav's centred dot \u00B7) cannot be written in a "
       u"Kav formula (column 2)",
       u"MathML: \"\u2219\" (U+2219, the bullet \u2219, not Kav's centred dot \u00B7) cannot be "
       u"written in a Kav formula"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromLatex(c.latex), c.latexResult) << c.label;
    EXPECT_EQ(FromMathml(c.mathml), c.mathmlResult) << c.label;
  }
}

// Every row, however it is written: its command, its character typed into LaTeX, its character
// in MathML. A refused row is refused with its name everywhere.
TEST(NearEquivalents, EveryRowReadsAlikeEverywhere) {
  for (const NearEquivalent& row : NearEquivalents()) {
    std::u16string ch;
    AppendUtf16(ch, row.ch);
    std::vector<std::u16string> results = {FromLatex(ch), FromMathml(ch)};
    if (!row.latex.empty()) results.push_back(FromLatex(u"\\" + std::u16string(row.latex)));
    const std::string where = "U+" + std::to_string(row.ch) + " " + EncodeUtf8(row.latex);
    for (const std::u16string& result : results) {
      if (row.code == 0) {
        EXPECT_NE(result.find(row.name), std::u16string::npos)
            << where << ": " << EncodeUtf8(result);
      } else {
        EXPECT_EQ(result, results[1]) << where;
        EXPECT_EQ(result.find(u"cannot"), std::u16string::npos)
            << where << ": " << EncodeUtf8(result);
      }
    }
  }
}

}  // namespace
}  // namespace kav
