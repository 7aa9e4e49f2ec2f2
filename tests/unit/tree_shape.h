// A compact text form of an equation tree for assertions: groups in brackets, structures by
// name, ASCII letters as themselves, other codes as "#code", a non-zero style as ":hex".
#pragma once
#include <cstdio>
#include <string>

#include "model/tree.h"

namespace kav {

inline std::string ShapeName(SymbolCode c) {
  switch (c) {
    case code::Group: return "[";
    case code::Placeholder: return "_";
    case code::None: return "none";
    case code::Frac: return "frac";
    case code::Super: return "super";
    case code::Sub: return "sub";
    case code::Sqrt: return "sqrt";
    case code::Sum: return "sum";
    case code::Prod: return "prod";
    case code::Integral: return "integral";
    default: break;
  }
  if (c > 32 && c < 127) return std::string(1, static_cast<char>(c));
  std::string name = "#";
  name += std::to_string(c);
  return name;
}

inline std::string Shape(const EquationTree& tree, int32_t node) {
  if (node < 0) return "(empty)";
  const NodeData& data = tree.Data(node);
  std::string out = ShapeName(data.code);
  if (data.style != 0) {
    char hex[16];
    std::snprintf(hex, sizeof hex, ":%x", static_cast<unsigned>(data.style));
    out += hex;
  }
  for (int32_t child : tree.Children(node)) {
    out += ' ';
    out += Shape(tree, child);
  }
  if (data.code == code::Group) out += " ]";
  return out;
}

inline std::string Shape(const EquationTree& tree) { return Shape(tree, tree.root); }

}  // namespace kav
