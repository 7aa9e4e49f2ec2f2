// Office Math of one row of the tree: its elements found (bracketed groups, upright runs,
// function names), put in Office Math order and written with their scripts and operands.
#pragma once
#include <cstdint>
#include <string>

#include "model/tree.h"

namespace kav {

// Appends the Office Math of the children of `group`.
void AppendOmmlRow(std::string& out, const EquationTree& tree, int32_t group);

// Defined by the node writer, which the rows call back into: the Office Math of one node, and
// what a script or big operator writes before and after the text it takes.
void AppendOmmlNode(std::string& out, const EquationTree& tree, int32_t node);
void OpenOmmlNode(std::string& out, const EquationTree& tree, int32_t node);
void CloseOmmlNode(std::string& out, const EquationTree& tree, int32_t node);

}  // namespace kav
