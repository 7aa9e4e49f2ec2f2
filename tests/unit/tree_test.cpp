#include <gtest/gtest.h>

#include <vector>

#include "base/failure.h"
#include "model/line.h"
#include "model/tree.h"
#include "tree_shape.h"

namespace kav {
namespace {

std::u16string FailureOf(auto&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"(none)";
}

TEST(EquationTree, AddChildWithoutParentCreatesTheRootOnce) {
  EquationTree tree;
  EXPECT_EQ(tree.root, -1);
  EXPECT_EQ(tree.AddChild(-1, MakeNode(code::Group)), 0);
  EXPECT_EQ(tree.root, 0);
  EXPECT_EQ(FailureOf([&] { tree.AddChild(-1, MakeNode(code::Group)); }),
            u"SetRoot(): root already exists");
  EXPECT_EQ(FailureOf([&] { tree.SetRoot(MakeNode(code::Group)); }),
            u"SetRoot(): root already exists");
  // The failed calls left the tree as it was.
  EXPECT_EQ(tree.root, 0);
  EXPECT_EQ(tree.nodes.size(), 1u);
  EXPECT_EQ(tree.payloads.size(), 1u);
}

TEST(EquationTree, NewPayloadsCarryCodeAndStyleOnly) {
  EquationTree tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  const int32_t x = tree.AddChild(root, MakeNode('x', StyleHat));
  const NodeData& data = tree.Data(x);
  EXPECT_EQ(data.code, u'x');
  EXPECT_EQ(data.style, StyleHat);
  EXPECT_EQ(data.marked, 0);
  EXPECT_EQ(data.selection, 1);
  EXPECT_EQ(data.width + data.height + data.depth + data.x + data.y + data.size + data.level, 0);
  EXPECT_EQ(tree.nodes[x].payload, x);
  EXPECT_EQ(tree.Parent(x), root);
}

TEST(EquationTree, InsertChildPlacesBeforeThePosition) {
  EquationTree tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  tree.AddChild(root, MakeNode('a'));
  tree.AddChild(root, MakeNode('c'));
  tree.InsertChild(root, 1, MakeNode('b'));
  tree.InsertChild(root, 0, MakeNode('0'));
  tree.InsertChild(root, 4, MakeNode('d'));
  EXPECT_EQ(Shape(tree), "[ 0 a b c d ]");
  EXPECT_EQ(tree.IndexInParent(3), 2);
  EXPECT_EQ(tree.IndexInParent(root), -1);
  EXPECT_EQ(tree.Child(root, 5), -1);
  EXPECT_EQ(tree.Child(root, -1), -1);
}

TEST(EquationTree, DetachUnlinksButKeepsTheRecords) {
  EquationTree tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  const int32_t a = tree.AddChild(root, MakeNode('a'));
  const int32_t frac = tree.AddChild(root, MakeNode(code::Frac));
  tree.AddChild(root, MakeNode('c'));
  tree.AddChild(tree.AddChild(frac, MakeNode(code::Group)), MakeNode('n'));
  tree.Detach(frac);
  EXPECT_EQ(Shape(tree), "[ a c ]");
  EXPECT_EQ(tree.Parent(frac), root);
  EXPECT_EQ(tree.IndexInParent(frac), -1);
  EXPECT_EQ(Shape(tree, frac), "frac [ n ]");
  // Detaching again, or a node under a detached one, is harmless.
  tree.Detach(frac);
  EXPECT_EQ(Shape(tree), "[ a c ]");
  tree.Detach(a);
  EXPECT_EQ(Shape(tree), "[ c ]");
  EXPECT_EQ(tree.nodes.size(), 6u);
}

TEST(EquationTree, DetachOfTheRootEmptiesTheTree) {
  EquationTree tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  tree.AddChild(root, MakeNode('a'));
  tree.Detach(root);
  EXPECT_EQ(tree.root, -1);
  EXPECT_EQ(tree.nodes.size(), 2u);
  EXPECT_EQ(tree.payloads.size(), 2u);
  // A new root can be set, and the old one stays unlinked.
  const int32_t fresh = tree.SetRoot(MakeNode(code::Group));
  EXPECT_EQ(fresh, 2);
  tree.Detach(root);
  EXPECT_EQ(tree.root, fresh);
}

TEST(EquationTree, GraftCopyCopiesTheChildrenDeeply) {
  EquationLine source(u"<a>\\frac{\\red<b|rm>}{<c>}");
  source.tree.Data(1).width = 17;
  EquationTree target;
  const int32_t root = target.SetRoot(MakeNode(code::Group));
  target.AddChild(root, MakeNode('z'));
  target.GraftCopy(root, source.tree, source.tree.root);
  EXPECT_EQ(Shape(target), "[ z a frac [ b:41 ] [ c ] ]");
  // Payloads are copied whole, and the copy is independent of its source.
  EXPECT_EQ(target.Data(2).width, 17);
  source.tree.Data(1).code = 'q';
  EXPECT_EQ(target.CodeAt(2), u'a');
  for (size_t i = 0; i < target.nodes.size(); ++i) EXPECT_EQ(target.nodes[i].payload, int32_t(i));
}

TEST(EquationTree, GraftCopyWithinOneTree) {
  EquationLine line(u"<a>\\sqrt{<b><c>}");
  EquationTree& tree = line.tree;
  const int32_t rootGroup = tree.root;
  const int32_t radicand = tree.Child(tree.Child(rootGroup, 1), 0);
  // Copy the radicand's row into itself and the whole line into the radicand.
  tree.GraftCopy(radicand, tree, radicand);
  EXPECT_EQ(Shape(tree), "[ a sqrt [ b c b c ] ]");
  tree.GraftCopy(radicand, tree, rootGroup);
  EXPECT_EQ(Shape(tree), "[ a sqrt [ b c b c a sqrt [ b c b c ] ] ]");
}

TEST(EquationTree, CollectSubtreeWalksInPreOrder) {
  EquationLine line(u"<a>\\frac{<b>}{<c><d>}<e>");
  std::vector<SymbolCode> seen;
  line.tree.CollectSubtree(line.tree.root, [&](int32_t n) { seen.push_back(line.tree.CodeAt(n)); });
  EXPECT_EQ(seen, (std::vector<SymbolCode>{code::Group, 'a', code::Frac, code::Group, 'b',
                                           code::Group, 'c', 'd', 'e'}));
  seen.clear();
  line.tree.CollectSubtree(-1, [&](int32_t n) { seen.push_back(n); });
  EXPECT_TRUE(seen.empty());
}

TEST(EquationTree, ClearEmptiesEverything) {
  EquationLine line(u"<a><b>");
  line.tree.Clear();
  EXPECT_EQ(line.tree.root, -1);
  EXPECT_TRUE(line.tree.nodes.empty());
  EXPECT_TRUE(line.tree.payloads.empty());
  EXPECT_EQ(line.tree.SetRoot(MakeNode(code::Group)), 0);
}

TEST(InsertPlaceholders, CreatesARootForAnEmptyTree) {
  EquationLine line;
  line.InsertPlaceholders();
  EXPECT_EQ(Shape(line.tree), "[ _ ]");
}

TEST(InsertPlaceholders, FillsEmptyGroupsAndLeadingScriptsOnce) {
  EquationLine line;
  EquationTree& tree = line.tree;
  const int32_t root = tree.SetRoot(MakeNode(code::Group));
  const int32_t sup = tree.AddChild(root, MakeNode(code::Super));
  tree.AddChild(root, MakeNode('x'));
  const int32_t script = tree.AddChild(sup, MakeNode(code::Group));
  tree.AddChild(tree.AddChild(script, MakeNode(code::Sub)), MakeNode(code::Group));
  const int32_t frac = tree.AddChild(root, MakeNode(code::Frac));
  tree.AddChild(frac, MakeNode(code::Group));
  tree.AddChild(frac, MakeNode(code::Group));
  line.InsertPlaceholders();
  const std::string once = "[ _ super [ _ sub [ _ ] ] x frac [ _ ] [ _ ] ]";
  EXPECT_EQ(Shape(tree), once);
  const size_t count = tree.nodes.size();
  line.InsertPlaceholders();
  EXPECT_EQ(Shape(tree), once);
  EXPECT_EQ(tree.nodes.size(), count);
  // A script later in the row, or a placeholder already in front, needs nothing.
  EXPECT_EQ(Shape(EquationLine(u"<x>\\super{<2>}\\sub{<i>}").tree),
            "[ x super [ 2 ] sub [ i ] ]");
}

TEST(InsertPlaceholders, NewPlaceholdersAreBlank) {
  EquationLine line(u"\\sub{}");
  const int32_t first = line.tree.Child(line.tree.root, 0);
  const NodeData& data = line.tree.Data(first);
  EXPECT_EQ(data.code, code::Placeholder);
  EXPECT_EQ(data.style, 0u);
  EXPECT_EQ(data.selection, 1);
  EXPECT_EQ(data.marked, 0);
}

}  // namespace
}  // namespace kav
