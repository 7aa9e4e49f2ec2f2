// What the TeX and HWP script writers share around structures: a red structure colours only its
// own sign, so each argument inside it opens a black group; a big operator's limit may be off.
#pragma once
#include <cstdint>
#include <string_view>

#include "model/export_buffer.h"
#include "model/tree.h"

namespace kav {

// One writer's colour groups and the function that writes a subtree in its syntax. A group is
// closed by '}' in both writers.
struct ColourGroups {
  std::u16string_view redOpen;
  std::u16string_view blackOpen;
  void (*writeNode)(const EquationTree& tree, int32_t node, ExportTextBuffer& out);
};

// The subtree at `node`, inside a black group when it is an argument of a red structure.
void WriteArgument(const ColourGroups& groups, const EquationTree& tree, int32_t node, bool red,
                   ExportTextBuffer& out);

// A shown limit as `opening`, its argument and '}'; nothing for a limit that is not shown.
void WriteLimit(const ColourGroups& groups, const EquationTree& tree, int32_t group,
                std::u16string_view opening, bool red, ExportTextBuffer& out);

}  // namespace kav
