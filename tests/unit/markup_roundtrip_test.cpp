// Property test: random trees from the markup grammar survive writing and reading back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/line.h"
#include "random_tree.h"
#include "tree_shape.h"

namespace kav {
namespace {

// The tree the reader should give back: `source` without its placeholders, with only red kept on
// structures, no red on \none, and the placeholders the reader itself adds.
void Expected(const EquationTree& source, int32_t node, EquationTree& out, int32_t parent) {
  NodeData data = MakeNode(source.CodeAt(node), source.Data(node).style);
  const SymbolCode c = data.code;
  if (c == code::None) data.style = 0;
  if (c == code::Group) data.style = 0;
  if (c == code::Frac || c == code::Super || c == code::Sub || c == code::Sqrt ||
      IsBigOperator(c)) {
    data.style &= StyleRed;
  }
  const int32_t copy = out.AddChild(parent, data);
  for (int32_t child : source.Children(node)) {
    if (source.CodeAt(child) != code::Placeholder) Expected(source, child, out, copy);
  }
}

TEST(MarkupRoundTrip, RandomTreesReadBackAsWritten) {
  ExportTextBuffer buffer;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    TreeGenerator generator(seed);
    EquationLine line;
    generator.Fill(line.tree);

    EquationLine expected;
    Expected(line.tree, line.tree.root, expected.tree, -1);
    expected.InsertPlaceholders();

    line.Serialize(buffer);
    const std::u16string first = line.markup;
    ASSERT_NO_THROW(line.Reparse()) << "seed " << seed;
    ASSERT_EQ(Shape(line.tree), Shape(expected.tree)) << "seed " << seed;
    line.Serialize(buffer);
    ASSERT_EQ(line.markup, first) << "seed " << seed;
    // Written markup is plain ASCII, so files stay ASCII.
    for (char16_t unit : first) ASSERT_LT(unit, 128) << "seed " << seed;
  }
}

TEST(MarkupRoundTrip, GeneratorCoversEveryKind) {
  std::vector<bool> seen(20, false);
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    TreeGenerator generator(seed);
    EquationTree tree;
    generator.Fill(tree);
    for (const NodeData& data : tree.payloads) {
      if (data.code >= code::Placeholder && data.code <= code::None) {
        seen[data.code - code::Placeholder] = true;
      }
      if (data.code == code::None && (data.style & StyleRed)) seen[15] = true;
      if (data.code == code::Frac && (data.style & StyleFaceMask)) seen[16] = true;
      if (data.code == code::LBrace) seen[17] = true;
      if (data.code < 128 && (data.style & StyleRed) && (data.style & StyleAccentMask)) {
        seen[18] = true;
      }
    }
  }
  for (SymbolCode c : {code::Placeholder, code::Frac, code::Group, code::Super, code::Sub,
                       code::Sqrt, code::Sum, code::Prod, code::Integral, code::None}) {
    EXPECT_TRUE(seen[c - code::Placeholder]) << c;
  }
  for (int k = 15; k <= 18; ++k) EXPECT_TRUE(seen[k]) << k;
}

}  // namespace
}  // namespace kav
