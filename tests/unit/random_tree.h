// Random equation trees of every node kind the markup grammar knows, from a seed: the property
// tests of the markup and the LaTeX oracles' random lines share them.
#pragma once
#include <cstdint>
#include <random>
#include <string>

#include "model/tree.h"

namespace kav {

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

}  // namespace kav
