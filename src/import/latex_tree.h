// The tree the LaTeX reader builds for one formula before writing its markup. Children hang on
// sibling links in one pool of nodes, so that building a formula allocates nothing once the pool
// has reached its working size: the reader is meant to cost far less than typesetting.
#pragma once
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

struct LatexNode {
  SymbolCode code = 0;
  StyleFlags style = 0;
  int32_t first = -1;  // first child
  int32_t last = -1;   // last child
  int32_t next = -1;   // next sibling
  int32_t count = 0;   // number of children
};

class LatexTree {
 public:
  // Empties the tree and gives it a Group root (node 0).
  void Reset(size_t expectedNodes) {
    nodes_.clear();
    nodes_.reserve(expectedNodes);
    nodes_.push_back(LatexNode{code::Group});
  }
  static constexpr int32_t root = 0;

  int32_t AddChild(int32_t parent, SymbolCode code, StyleFlags style = 0) {
    const auto index = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(LatexNode{code, style});
    LatexNode& owner = nodes_[parent];
    if (owner.last < 0) {
      owner.first = index;
    } else {
      nodes_[owner.last].next = index;
    }
    owner.last = index;
    ++owner.count;
    return index;
  }

  // The i-th child, or -1 when there is none.
  int32_t Child(int32_t node, int32_t i) const {
    if (i < 0 || i >= nodes_[node].count) return -1;
    int32_t child = nodes_[node].first;
    for (; i > 0; --i) child = nodes_[child].next;
    return child;
  }
  int32_t ChildCount(int32_t node) const { return nodes_[node].count; }
  int32_t NodeCount() const { return static_cast<int32_t>(nodes_.size()); }
  int32_t LastChild(int32_t node) const { return nodes_[node].last; }
  int32_t FirstChild(int32_t node) const { return nodes_[node].first; }
  int32_t NextSibling(int32_t node) const { return nodes_[node].next; }
  const LatexNode& At(int32_t node) const { return nodes_[node]; }
  LatexNode& At(int32_t node) { return nodes_[node]; }

 private:
  std::vector<LatexNode> nodes_;
};

}  // namespace kav
