// Text a node writer (TeX, HWP script) gives for a subtree, a markup line or a single changed leaf.
#pragma once
#include <cstdint>
#include <string>

#include "model/export_buffer.h"
#include "model/line.h"

namespace kav {

using NodeWriter = void (*)(const EquationTree& tree, int32_t node, ExportTextBuffer& out);

inline std::u16string WrittenText(NodeWriter write, const EquationTree& tree, int32_t node) {
  ExportTextBuffer buffer;
  write(tree, node, buffer);
  return buffer.Text();
}

inline std::u16string WrittenText(NodeWriter write, const char16_t* markup) {
  EquationLine line(markup);
  return WrittenText(write, line.tree, line.tree.root);
}

// The line "<x>" with the letter's code and style replaced, for codes and flag combinations the
// reader cannot produce.
inline std::u16string WrittenLeaf(NodeWriter write, SymbolCode c, StyleFlags style) {
  EquationLine line(u"<x>");
  NodeData& leaf = line.tree.Data(line.tree.Child(line.tree.root, 0));
  leaf.code = c;
  leaf.style = style;
  return WrittenText(write, line.tree, line.tree.root);
}

}  // namespace kav
