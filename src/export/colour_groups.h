// What the TeX and HWP script writers share around structures: a red structure colours only its
// own sign, so each argument inside it opens a black group; a big operator's limit may be off.
#pragma once
#include <cstdint>
#include <span>
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

// A structure whose arguments stand between fixed tokens: tokens[0], argument 0, tokens[1], ...,
// the last token (one token more than arguments), inside a red group when the structure is red.
void WriteBetweenTokens(const ColourGroups& groups, const EquationTree& tree, int32_t node,
                        bool red, std::span<const std::u16string_view> tokens,
                        ExportTextBuffer& out);

// A shown limit as `opening`, its argument and '}'; nothing for a limit that is not shown.
void WriteLimit(const ColourGroups& groups, const EquationTree& tree, int32_t group,
                std::u16string_view opening, bool red, ExportTextBuffer& out);

}  // namespace kav
