// What the TeX and HWP script writers share around structures: a red structure colours only its
// own sign, so each argument inside it opens a black group; a big operator's limit may be off.
#pragma once
#include <cstdint>
#include <string_view>

#include "model/constructs.h"
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

// A structure whose slots stand between fixed tokens: the opening, slot 0, the text between,
// slot 1, ..., the closing, inside a red group when `red`.
void WriteBetweenTokens(const ColourGroups& groups, const EquationTree& tree, int32_t node,
                        bool red, const FormatTokens& tokens, int32_t slotCount,
                        ExportTextBuffer& out);

// A structure in the TeX-like syntaxes: a big operator is its sign with its shown limits as
// scripts after it; a script is never coloured; any other structure is WriteBetweenTokens.
void WriteConstructTokens(const ColourGroups& groups, const EquationTree& tree, int32_t node,
                          const ConstructRow& row, const FormatTokens& tokens,
                          ExportTextBuffer& out);

// A shown limit as `opening`, its argument and '}'; nothing for a limit that is not shown.
void WriteLimit(const ColourGroups& groups, const EquationTree& tree, int32_t group,
                std::u16string_view opening, bool red, ExportTextBuffer& out);

}  // namespace kav
