// Property test: random trees from the markup grammar survive writing and reading back.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/line.h"
#include "tree_shape.h"

namespace kav {
namespace {

// Builds random trees of every node kind the grammar knows, plus the things the writer drops
// (placeholders anywhere, red on \none, face and accent bits on structures).
class TreeGenerator {
 public:
  explicit TreeGenerator(uint32_t seed) : random_(seed) {}

  void Fill(EquationTree& tree) {
    const int32_t root = tree.SetRoot(MakeNode(code::Group));
    Row(tree, root, 0);
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

  StyleFlags LetterStyle() {
    static constexpr StyleFlags kBits[] = {StyleRoman, StyleBoldRoman, StyleVector,
                                           StyleHat,   StyleBar,       StyleTilde};
    StyleFlags style = 0;
    for (int k = Below(4); k > 0; --k) style = WithStyleBit(style, kBits[Below(6)]);
    if (Below(4) == 0) style |= StyleRed;
    return style;
  }

  SymbolCode LetterCode() {
    static const std::u16string kWordChars =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!()*+,-.=[]";
    if (Below(2) == 0) return kWordChars[Below(static_cast<int>(kWordChars.size()))];
    for (;;) {
      const auto rows = SymbolTable();
      const SymbolCode c = rows[Below(static_cast<int>(rows.size()))].code;
      if (!IsBigOperator(c)) return c;
    }
  }

  void Row(EquationTree& tree, int32_t group, int depth) {
    const int count = Below(depth == 0 ? 7 : 4);
    for (int i = 0; i < count; ++i) Element(tree, group, depth);
  }

  void Element(EquationTree& tree, int32_t group, int depth) {
    static constexpr SymbolCode kStructures[] = {code::Frac, code::Sum,   code::Prod, code::Integral,
                                                 code::Super, code::Sub,  code::Sqrt};
    const int kind = Below(depth < 5 ? 10 : 6);
    if (kind < 3) {
      tree.AddChild(group, MakeNode(LetterCode(), LetterStyle()));
    } else if (kind == 3) {
      tree.AddChild(group, MakeNode(code::None, Below(2) ? StyleRed : 0));
    } else if (kind == 4) {
      tree.AddChild(group, MakeNode(code::Placeholder));
    } else if (kind == 5) {
      tree.AddChild(group, MakeNode(LetterCode()));
    } else {
      const SymbolCode c = kStructures[Below(7)];
      const int32_t node = tree.AddChild(group, MakeNode(c, LetterStyle()));
      const int arguments = (c == code::Super || c == code::Sub || c == code::Sqrt) ? 1 : 2;
      for (int a = 0; a < arguments; ++a) {
        const StyleFlags groupStyle = Below(3) == 0 ? LetterStyle() : 0;
        Row(tree, tree.AddChild(node, MakeNode(code::Group, groupStyle)), depth + 1);
      }
    }
  }

  std::mt19937 random_;
};

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
