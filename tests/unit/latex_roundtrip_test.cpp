// Round trips between the LaTeX writer and the LaTeX reader: markup -> LaTeX -> markup gives the
// same line (up to what neither the editor draws nor LaTeX can say), and LaTeX -> markup -> LaTeX
// is stable after one pass. Over the sample document, the benchmark corpus and thousands of
// random lines: random trees of every kind and lines typed into an editor.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "export/latex_letters.h"
#include "export/latex_writer.h"
#include "import/latex_reader.h"
#include "model/line.h"
#include "random_tree.h"
#include "random_typist.h"

namespace kav {
namespace {

constexpr uint32_t kRandomLines = 2500;  // of each kind

std::u16string Serialized(EquationLine& line) {
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  return line.markup;
}

// What the line is once the invisible is gone, which LaTeX has no words for and the layout
// does not draw: faces and accents on symbols that are not letters, red on scripts (which have
// no sign), \none anywhere but at the start of a limit (where it switches the limit off), and
// whatever follows that \none in the limit.
void DropInvisible(EquationTree& tree, int32_t node) {
  NodeData& data = tree.Data(node);
  const SymbolCode c = data.code;
  if (c == code::Super || c == code::Sub) data.style &= ~StyleRed;
  if (IsLeafSymbol(c) && !IsStyledLetter(c)) data.style &= StyleRed;
  const bool limitRow =
      c == code::Group && tree.Parent(node) >= 0 && IsBigOperator(tree.CodeAt(tree.Parent(node)));
  const std::vector<int32_t> children = tree.Children(node);
  for (size_t i = 0; i < children.size(); ++i) {
    const bool limitSwitch = limitRow && tree.CodeAt(children[0]) == code::None;
    const bool dropped = limitSwitch ? i > 0 : tree.CodeAt(children[i]) == code::None;
    if (dropped) {
      tree.Detach(children[i]);
    } else {
      DropInvisible(tree, children[i]);
    }
  }
}

std::u16string Visible(const std::u16string& markup) {
  EquationLine line(markup);
  DropInvisible(line.tree, line.tree.root);
  return Serialized(line);
}

std::u16string LatexOf(const std::u16string& markup) {
  EquationLine line(markup);
  ExportTextBuffer buffer;
  return TreeLatex(line.tree, buffer);
}

// The one formula a LaTeX text reads to.
std::u16string MarkupOf(const std::u16string& latex) {
  try {
    const std::vector<std::u16string> formulas = ReadLatexFormulas(latex);
    if (formulas.size() == 1) return formulas[0];
    return u"(" + Ascii16(std::to_string(formulas.size())) + u" formulas)";
  } catch (const Failure& failure) {
    return failure.text;
  }
}

void ExpectRoundTrips(const std::u16string& markup, const std::string& where) {
  const std::u16string latex = LatexOf(markup);
  if (latex.empty()) {
    // Only \none: nothing to write, and an empty text holds no formula to read.
    EXPECT_EQ(Visible(markup), u"") << where;
    return;
  }
  const std::u16string read = MarkupOf(latex);
  EXPECT_EQ(read, Visible(markup))
      << where << "\n  markup " << EncodeUtf8(markup) << "\n  latex  " << EncodeUtf8(latex);
  if (read != Visible(markup)) return;
  // LaTeX -> markup -> LaTeX, twice: the second pass changes nothing.
  const std::u16string once = LatexOf(read);
  EXPECT_EQ(LatexOf(MarkupOf(once)), once) << where << "\n  latex " << EncodeUtf8(latex);
}

std::vector<std::u16string> DocumentLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DocumentMarkups(bytes);
}

const std::string kRoot = std::string(KAV_TEST_DATA) + "/../../";

TEST(LatexRoundTrip, SampleDocumentAndCorpus) {
  for (const char* name : {"examples/all-symbols.kav", "bench/corpus.kav"}) {
    const std::vector<std::u16string> lines = DocumentLines(kRoot + name);
    ASSERT_GT(lines.size(), 15u) << name;
    for (size_t i = 0; i < lines.size(); ++i) {
      ExpectRoundTrips(lines[i], std::string(name) + ":" + std::to_string(i + 1));
    }
  }
}

TEST(LatexRoundTrip, RandomTrees) {
  for (uint32_t seed = 1; seed <= kRandomLines; ++seed) {
    EquationLine line;
    TreeGenerator(seed).Fill(line.tree);
    const std::u16string markup = Serialized(line);
    ExpectRoundTrips(EquationLine(markup).markup, "tree seed " + std::to_string(seed));
    if (HasFailure()) return;
  }
}

TEST(LatexRoundTrip, TypedLines) {
  for (uint32_t seed = 1; seed <= kRandomLines; ++seed) {
    ExpectRoundTrips(RandomTypist(seed).Line(), "typed seed " + std::to_string(seed));
    if (HasFailure()) return;
  }
}

// Hand-written LaTeX is not what the writer writes, but one pass through the editor's markup
// makes it so: the corpus read, written and read again gives the same text.
TEST(LatexRoundTrip, HandWrittenLatexIsStableAfterOnePass) {
  std::ifstream file(kRoot + "bench/corpus.tex", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::vector<std::u16string> formulas = ReadLatexFormulas(*DecodeUtf8(bytes));
  ASSERT_EQ(formulas.size(), 41u);
  for (const std::u16string& markup : formulas) {
    const std::u16string once = LatexOf(markup);
    EXPECT_EQ(LatexOf(MarkupOf(once)), once) << EncodeUtf8(once);
  }
}

// Spellings of real formulas: the LaTeX written for what they read to is this, and reads back
// to the same markup.
TEST(LatexRoundTrip, LettersAndOperatorNamesReadBackExactly) {
  const struct {
    const char16_t* latex;
    const char16_t* written;
  } cases[] = {
      {u"W(2,k)>2^k/k^\\varepsilon", u"W(2,k)>2^{k}/k^{\\varepsilon}"},
      {u"\\varphi\\operatorname{E}(X_{t-1})", u"\\varphi\\mathrm{E}(X_{t-1})"},
      {u"\\ln K_a", u"\\ln K_{a}"},
      {u"v=\\frac{V_{\\max}[S]}{K_m+[S]}", u"v=\\frac{V_{\\max}[S]}{K_{m}+[S]}"},
      {u"\\limsup_{t\\rightarrow+\\infty}\\frac{1}{\\log\\log t}",
       u"\\limsup_{t\\rightarrow+\\infty}\\frac{1}{\\log\\log t}"},
      {u"\\operatorname{arctan}x+\\arctan y", u"\\operatorname{arctan}x+\\arctan y"},
      {u"F_\\bold{X}=\\boldsymbol{\\varepsilon}", u"F_{\\mathbf{X}}=\\boldsymbol{\\varepsilon}"},
      {u"\\gcd(a_1,a_2)=1", u"\\gcd(a_{1},a_{2})=1"},
  };
  for (const auto& c : cases) {
    const std::u16string markup = MarkupOf(c.latex);
    EXPECT_EQ(LatexOf(markup), c.written) << EncodeUtf8(c.latex);
    EXPECT_EQ(MarkupOf(LatexOf(markup)), markup) << EncodeUtf8(c.latex);
  }
}

}  // namespace
}  // namespace kav
