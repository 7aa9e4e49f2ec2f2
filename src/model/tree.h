// The equation tree of one line: index-addressed nodes and payloads in pools that only grow.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

// Per-node payload: what the node is, plus the fields layout and selection write. A line holds
// one per item, so the small fields are stored small (32 bytes a node): style bits, font sizes
// and nesting levels all fit in 16 bits, the marks in 8.
struct NodeData {
  SymbolCode code = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;
  int32_t x = 0;
  int32_t y = 0;
  int16_t size = 0;
  uint16_t style = 0;  // StyleFlags
  int16_t level = 0;
  int8_t marked = 0;
  int8_t selection = 1;  // 1 nothing inside selected, 2 partly, 3 wholly
};
static_assert(sizeof(NodeData) == 32);

inline NodeData MakeNode(SymbolCode code, StyleFlags style = 0) {
  NodeData data;
  data.code = code;
  data.style = static_cast<uint16_t>(style);
  return data;
}

// Makes room for `more` elements: an addition larger than the vector is sized exactly, where
// doubling would leave up to half of it unused and copy it on the way; small ones keep the
// amortised doubling.
template <typename T>
void ReserveMore(std::vector<T>& items, size_t more) {
  const size_t needed = items.size() + more;
  if (needed > items.capacity()) items.reserve(std::max(needed, 2 * items.capacity()));
}

// The two indices side by side, so that a node takes 32 bytes, not 40.
struct TreeNode {
  int32_t parent = -1;
  int32_t payload = -1;
  std::vector<int32_t> children;
};
static_assert(sizeof(TreeNode) == 32);

class EquationTree {
 public:
  std::vector<TreeNode> nodes;
  std::vector<NodeData> payloads;
  int32_t root = -1;

  // Throws "SetRoot(): root already exists" when the tree has a root.
  int32_t SetRoot(const NodeData& data);
  // With a negative parent, behaves as SetRoot.
  int32_t AddChild(int32_t parent, const NodeData& data);
  int32_t InsertChild(int32_t parent, int32_t position, const NodeData& data);
  // Unlinks a node from its parent's children; the node record stays in the pool.
  void Detach(int32_t node);
  // Appends copies of the children of `sourceNode` (from another tree) under `target`.
  void GraftCopy(int32_t target, const EquationTree& source, int32_t sourceNode);
  // Room for `count` more nodes in both pools.
  void ReserveMore(size_t count);
  void Clear();

  // Pre-order walk of the subtree at `node`; nothing for a negative node.
  template <typename Visitor>
  void CollectSubtree(int32_t node, Visitor&& visit) const {
    if (node < 0) return;
    visit(node);
    for (int32_t child : nodes[node].children) CollectSubtree(child, visit);
  }

  NodeData& Data(int32_t node) { return payloads[nodes[node].payload]; }
  const NodeData& Data(int32_t node) const { return payloads[nodes[node].payload]; }
  SymbolCode CodeAt(int32_t node) const { return Data(node).code; }
  const std::vector<int32_t>& Children(int32_t node) const { return nodes[node].children; }
  int32_t ChildCount(int32_t node) const { return static_cast<int32_t>(nodes[node].children.size()); }
  // The i-th child, or -1 when there is none.
  int32_t Child(int32_t node, int32_t i) const;
  int32_t Parent(int32_t node) const { return nodes[node].parent; }
  // Index of `node` among its parent's children, -1 for the root or a detached node.
  int32_t IndexInParent(int32_t node) const;
};

// Whether a big operator's limit group is shown: one that begins with None is switched off, and
// a missing group (negative) is not shown.
bool LimitShown(const EquationTree& tree, int32_t group);

}  // namespace kav
