#include <gtest/gtest.h>

#include "model/line.h"
#include "tree_shape.h"

namespace kav {
namespace {

// A line whose tree is built by hand: a root group and whatever the test adds.
struct HandTree {
  EquationLine line;
  ExportTextBuffer buffer;
  int32_t root = line.tree.SetRoot(MakeNode(code::Group));

  int32_t Add(int32_t parent, SymbolCode c, StyleFlags style = 0) {
    return line.tree.AddChild(parent, MakeNode(c, style));
  }
  std::u16string Written() {
    line.Serialize(buffer);
    return line.markup;
  }
};

std::u16string Rewritten(std::u16string markup) {
  EquationLine line(std::move(markup));
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  return line.markup;
}

TEST(MarkupWriter, WorkedExample) {
  HandTree t;
  t.Add(t.root, 'x');
  t.Add(t.Add(t.Add(t.root, code::Super), code::Group), '2');
  t.Add(t.root, '+');
  const int32_t frac = t.Add(t.root, code::Frac);
  t.Add(t.Add(frac, code::Group), 945, StyleRoman);
  t.Add(t.Add(frac, code::Group), 946);
  EXPECT_EQ(t.Written(), u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}");
}

TEST(MarkupWriter, RedStructuresAndLetters) {
  HandTree t;
  t.Add(t.Add(t.Add(t.root, code::Super, StyleRed), code::Group), '2');
  t.Add(t.root, 'x', StyleRed | StyleHat);
  EXPECT_EQ(t.Written(), u"\\red\\super{<2>}\\red<x|hat>");
}

TEST(MarkupWriter, EveryStructureKeyword) {
  EXPECT_EQ(Rewritten(u"\\sum{<i>}{<n>}\\prod{}{}\\integral{<a>}{<b>}\\sqrt{<x>}\\sub{<1>}"),
            u"\\sum{<i>}{<n>}\\prod{}{}\\integral{<a>}{<b>}\\sqrt{<x>}\\sub{<1>}");
  EXPECT_EQ(Rewritten(u"<sum>{<i>}{<n>}"), u"\\sum{<i>}{<n>}");
}

TEST(MarkupWriter, PlaceholdersAndEmptyTreesWriteNothing) {
  HandTree t;
  t.Add(t.root, code::Placeholder);
  EXPECT_EQ(t.Written(), u"");
  EquationLine empty;
  empty.markup = u"stale";
  ExportTextBuffer buffer;
  buffer.Append(u"left over");
  empty.Serialize(buffer);
  EXPECT_EQ(empty.markup, u"");
}

TEST(MarkupWriter, MissingSecondArgumentIsWrittenEmpty) {
  HandTree t;
  const int32_t frac = t.Add(t.root, code::Frac);
  t.Add(t.Add(frac, code::Group), 'a');
  EXPECT_EQ(t.Written(), u"\\frac{<a>}{}");
}

TEST(MarkupWriter, AttributesInFixedOrder) {
  HandTree t;
  t.Add(t.root, 'x', StyleHat | StyleRoman);
  t.Add(t.root, 47, StyleRed);
  t.Add(t.root, 'y', StyleBoldRoman | StyleTilde);
  t.Add(t.root, 'z', StyleVector);
  t.Add(t.root, 'w', StyleBar);
  EXPECT_EQ(t.Written(), u"<x|rm|hat>\\red<frac><y|rmbold|tilde><z|vector><w|bar>");
}

TEST(MarkupWriter, NamedAndPlainSymbols) {
  HandTree t;
  for (SymbolCode c : {SymbolCode('x'), SymbolCode(60), SymbolCode(62), SymbolCode(124),
                       code::LBrace, code::RBrace, SymbolCode(8730), SymbolCode('7')}) {
    t.Add(t.root, c);
  }
  EXPECT_EQ(t.Written(), u"<x><lt><gt><vertbar><lbrace><rbrace><sqrt><7>");
}

TEST(MarkupWriter, NoneNeverCarriesRed) {
  HandTree t;
  t.Add(t.root, code::None, StyleRed | StyleRoman);
  EXPECT_EQ(t.Written(), u"\\none");
}

TEST(MarkupWriter, StructuresWriteOnlyTheirRedBit) {
  HandTree t;
  const int32_t root2 = t.Add(t.root, code::Sqrt, StyleRoman | StyleHat);
  t.Add(t.Add(root2, code::Group, StyleRed), 'a');
  EXPECT_EQ(t.Written(), u"\\sqrt{<a>}");
  // The reader gives a big operator named in angle brackets the letter's attributes.
  EXPECT_EQ(Rewritten(u"<sum|rm|hat>{<i>}{<n>}\\red<prod|bar>{}{}"),
            u"\\sum{<i>}{<n>}\\red\\prod{}{}");
}

TEST(MarkupWriter, LetterWithoutNameOrWordIsWrittenRaw) {
  // Such a letter never comes from editing; the text it gives is refused on reading.
  HandTree t;
  t.Add(t.root, ':');
  EXPECT_EQ(t.Written(), u"<:>");
}

TEST(MarkupWriter, DetachedNodesAreNotWritten) {
  EquationLine line(u"<a>\\sqrt{<b>}<c>");
  line.tree.Detach(line.tree.Child(line.tree.root, 1));
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  EXPECT_EQ(line.markup, u"<a><c>");
  line.tree.Detach(line.tree.root);
  line.Serialize(buffer);
  EXPECT_EQ(line.markup, u"");
}

// Marks nodes as the selection pass would: `whole` nodes wholly selected, their ancestors partly.
void Select(EquationTree& tree, std::initializer_list<int32_t> whole) {
  for (int32_t n : whole) {
    tree.CollectSubtree(n, [&](int32_t d) { tree.Data(d).selection = 3; });
    for (int32_t p = tree.Parent(n); p >= 0; p = tree.Parent(p)) tree.Data(p).selection = 2;
  }
}

TEST(MarkupWriter, SelectionWritesWhollySelectedSubtreesInOrder) {
  EquationLine line(u"<a>\\frac{<b><c>}{<d>}<e>");
  EquationTree& tree = line.tree;
  const int32_t frac = tree.Child(tree.root, 1);
  const int32_t numerator = tree.Child(frac, 0);
  Select(tree, {tree.Child(numerator, 1), tree.Child(tree.root, 2)});
  ExportTextBuffer buffer;
  buffer.Append(u"kept:");
  line.SerializeSelection(tree.root, buffer);
  EXPECT_EQ(buffer.Text(), u"kept:<c><e>");

  buffer.Clear();
  Select(tree, {frac});
  line.SerializeSelection(tree.root, buffer);
  EXPECT_EQ(buffer.Text(), u"\\frac{<b><c>}{<d>}<e>");
}

TEST(MarkupWriter, SelectionOfAnUnselectedRootWritesNothing) {
  EquationLine line(u"<a><b>");
  line.tree.Data(line.tree.Child(line.tree.root, 0)).selection = 3;  // under an unselected root
  ExportTextBuffer buffer;
  line.SerializeSelection(line.tree.root, buffer);
  EXPECT_EQ(buffer.Text(), u"");
  line.SerializeSelection(-1, buffer);
  EXPECT_EQ(buffer.Text(), u"");
}

TEST(MarkupWriter, SelectionTextReadsBackAsALine) {
  EquationLine line(u"<x>\\super{<2>}<+><y>");
  EquationTree& tree = line.tree;
  Select(tree, {tree.Child(tree.root, 1), tree.Child(tree.root, 2)});
  ExportTextBuffer buffer;
  line.SerializeSelection(tree.root, buffer);
  EXPECT_EQ(buffer.Text(), u"\\super{<2>}<+>");
  EXPECT_EQ(Shape(EquationLine(buffer.Text()).tree), "[ _ super [ 2 ] + ]");
}

}  // namespace
}  // namespace kav
