#include <gtest/gtest.h>

#include <vector>

#include "base/failure.h"
#include "model/line.h"
#include "tree_shape.h"

namespace kav {
namespace {

// Counts layouts and records the tree size each one saw.
class RecordingLayouter : public LineLayouter {
 public:
  void Layout(EquationLine& line) const override {
    seen.push_back(line.tree.nodes.size());
    line.boxes.assign(1, LayoutBox{});
  }
  mutable std::vector<size_t> seen;
};

TEST(EquationLine, FreshLineIsEmptyWithNoCaret) {
  EquationLine line;
  EXPECT_EQ(line.caret.node, -1);
  EXPECT_EQ(line.caret.position, -1);
  EXPECT_EQ(line.tree.root, -1);
  EXPECT_TRUE(line.markup.empty());
  EXPECT_TRUE(line.tokens.empty());
  EXPECT_EQ(line.tokenCursor, 0);
  EXPECT_TRUE(line.boxes.empty());
  EXPECT_TRUE(line.selection.marks.empty());
}

TEST(EquationLine, ReparseOfEmptyMarkupGivesOnePlaceholder) {
  EquationLine line(u"");
  EXPECT_EQ(Shape(line.tree), "[ _ ]");
}

TEST(EquationLine, ReparseLaysOutAfterPlaceholders) {
  RecordingLayouter layouter;
  EquationLine line(u"\\sqrt{}", &layouter);
  // Root, sqrt, its group and the placeholder were all there when layout ran.
  EXPECT_EQ(layouter.seen, std::vector<size_t>{4});
  EXPECT_EQ(line.boxes.size(), 1u);
  line.markup = u"<a> ";
  EXPECT_THROW(line.Reparse(), Failure);
  EXPECT_EQ(layouter.seen.size(), 1u);
}

TEST(EquationLine, CopyIsRebuiltFromTheMarkupOnly) {
  RecordingLayouter layouter;
  EquationLine line(u"<a>", &layouter);
  line.caret = {line.tree.root, 1};
  line.selection.marks = {true};
  // An edit of the tree that has not been written back to the markup yet.
  line.tree.AddChild(line.tree.root, MakeNode('b'));
  const EquationLine copy(line);
  EXPECT_EQ(copy.markup, u"<a>");
  EXPECT_EQ(Shape(copy.tree), "[ a ]");
  EXPECT_EQ(copy.caret.node, -1);
  EXPECT_EQ(copy.caret.position, -1);
  EXPECT_TRUE(copy.selection.marks.empty());
  EXPECT_EQ(layouter.seen.size(), 2u);
}

TEST(EquationLine, CopyAssignmentKeepsTheTargetsCaretAndMarks) {
  EquationLine source(u"<x><y>");
  source.tree.Detach(source.tree.Child(source.tree.root, 0));
  EquationLine target(u"<q>");
  target.caret = {0, 1};
  target.selection.marks = {false, true};
  target = source;
  EXPECT_EQ(target.markup, u"<x><y>");
  EXPECT_EQ(Shape(target.tree), "[ x y ]");
  EXPECT_EQ(target.caret.node, 0);
  EXPECT_EQ(target.caret.position, 1);
  EXPECT_EQ(target.selection.marks, (std::vector<bool>{false, true}));
}

TEST(EquationLine, SelfAssignmentRebuildsFromTheMarkup) {
  EquationLine line(u"<a>");
  line.tree.AddChild(line.tree.root, MakeNode('b'));
  EquationLine& same = line;
  line = same;
  EXPECT_EQ(Shape(line.tree), "[ a ]");
}

TEST(EquationLine, LinesRelocatedInAVectorKeepTheirTrees) {
  std::vector<EquationLine> lines;
  for (int i = 0; i < 50; ++i) {
    lines.emplace_back(std::u16string{u'<', char16_t(u'a' + i % 26), u'>'});
  }
  lines.insert(lines.begin(), EquationLine(u"\\none"));
  EXPECT_EQ(Shape(lines[0].tree), "[ none ]");
  EXPECT_EQ(Shape(lines[50].tree), "[ x ]");
}

}  // namespace
}  // namespace kav
