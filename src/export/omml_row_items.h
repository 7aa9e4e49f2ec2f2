// The elements Office Math sees in a row of the tree: a bracketed group, a run of upright
// letters or a function name counts as one element, so that a script after it takes all of it
// and a big operator takes all of it as its operand.
#pragma once
#include <cstdint>
#include <vector>

#include "export/omml_fences.h"
#include "export/omml_row_order.h"

namespace kav {

enum class OmmlItemKind {
  Single,    // one child
  Fence,     // a bracket, the children up to its partner, the partner
  Run,       // two or more upright letters, written as one run
  Word,      // upright letters that LibreOffice would take for one of its own commands
  Function,  // a function name, its scripts, and later the element it applies to
};

// Children `first` to `last` (inclusive). A function's name ends before `nameEnd`; the scripts
// on the name follow it up to `last`.
struct OmmlItem {
  OmmlItemKind kind = OmmlItemKind::Single;
  int32_t first = 0;
  int32_t last = 0;
  int32_t nameEnd = 0;
  bool operator==(const OmmlItem&) const = default;
};

// The elements of children [begin, end) of a row whose children are `leaves`, with the bracket
// pairs `partners` (see OmmlFencePartners).
std::vector<OmmlItem> OmmlRowItems(const std::vector<OmmlLeaf>& leaves,
                                   const std::vector<int32_t>& partners, int32_t begin,
                                   int32_t end);

// How an element takes its neighbours when the row is put in Office Math order.
OmmlRole RoleOf(const OmmlItem& item, const std::vector<OmmlLeaf>& leaves);

}  // namespace kav
