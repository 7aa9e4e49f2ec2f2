#include "model/tree.h"

#include <algorithm>

#include "base/failure.h"

namespace kav {

int32_t EquationTree::SetRoot(const NodeData& data) {
  if (root != -1) Fail(u"SetRoot(): root already exists");
  payloads.push_back(data);
  nodes.push_back(TreeNode{-1, static_cast<int32_t>(payloads.size() - 1), {}});
  root = static_cast<int32_t>(nodes.size() - 1);
  return root;
}

int32_t EquationTree::AddChild(int32_t parent, const NodeData& data) {
  if (parent < 0) return SetRoot(data);
  return InsertChild(parent, ChildCount(parent), data);
}

int32_t EquationTree::InsertChild(int32_t parent, int32_t position, const NodeData& data) {
  payloads.push_back(data);
  nodes.push_back(TreeNode{parent, static_cast<int32_t>(payloads.size() - 1), {}});
  const auto index = static_cast<int32_t>(nodes.size() - 1);
  auto& siblings = nodes[parent].children;
  siblings.insert(siblings.begin() + position, index);
  return index;
}

void EquationTree::Detach(int32_t node) {
  if (node == root) {
    root = -1;
    return;
  }
  // A node that is already unlinked (detached twice, or an old root) has nothing to leave.
  const int32_t parent = nodes[node].parent;
  if (parent < 0) return;
  auto& siblings = nodes[parent].children;
  const auto it = std::find(siblings.begin(), siblings.end(), node);
  if (it != siblings.end()) siblings.erase(it);
}

void EquationTree::GraftCopy(int32_t target, const EquationTree& source, int32_t sourceNode) {
  // Copying within one tree would grow the pools being read (and could copy its own copies),
  // so the source is frozen first.
  if (&source == this) {
    const EquationTree frozen = source;
    GraftCopy(target, frozen, sourceNode);
    return;
  }
  for (int32_t child : source.nodes[sourceNode].children) {
    const int32_t copy = AddChild(target, source.Data(child));
    GraftCopy(copy, source, child);
  }
}

void EquationTree::ReserveMore(size_t count) {
  kav::ReserveMore(nodes, count);
  kav::ReserveMore(payloads, count);
}

void EquationTree::Clear() {
  nodes.clear();
  payloads.clear();
  root = -1;
}

int32_t EquationTree::Child(int32_t node, int32_t i) const {
  const auto& children = nodes[node].children;
  return i >= 0 && i < static_cast<int32_t>(children.size()) ? children[i] : -1;
}

int32_t EquationTree::IndexInParent(int32_t node) const {
  const int32_t parent = nodes[node].parent;
  if (parent < 0) return -1;
  const auto& siblings = nodes[parent].children;
  const auto it = std::find(siblings.begin(), siblings.end(), node);
  return it == siblings.end() ? -1 : static_cast<int32_t>(it - siblings.begin());
}

bool LimitShown(const EquationTree& tree, int32_t group) {
  if (group < 0) return false;
  const int32_t first = tree.Child(group, 0);
  return first < 0 || tree.CodeAt(first) != code::None;
}

}  // namespace kav
