// The part of the view an edit of one line changed, so that a key in a long line repaints what
// follows the edited item instead of the whole window.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "model/line.h"
#include "platform/view_area.h"
#include "typeset/line_geometry.h"
#include "typeset/paint_lines.h"

namespace kav {

// A line as it was drawn before an edit: its boxes, root size and whether anything was selected.
struct DrawnLine {
  std::vector<LayoutBox> boxes;
  int32_t rootWidth = 0;
  int32_t rootHeight = 0;
  bool marked = false;

  // Takes the line's state as it stands; the vector keeps its capacity between edits.
  void Take(const EquationLine& line);
};

// Whether any of the line's boxes is drawn selected.
bool HasMarks(const EquationLine& line);

// Where `after` (laid out anew in the band at `bandTop`) differs on screen from `before`, in
// layout units: from the first changed box to the area's right side within the band; from the
// band down to the area's bottom when the band's height changed; the whole band when the line
// moved sideways. Nullopt when the whole view must be drawn again (a selection was or is
// shown); an empty area when nothing changed.
std::optional<ViewArea> ChangedArea(const DrawnLine& before, const EquationLine& after,
                                    int32_t bandTop, const ViewPlacement& view);

}  // namespace kav
