#include "edit/changed_area.h"

#include <algorithm>
#include <limits>

namespace kav {
namespace {

bool SameDrawing(const LayoutBox& a, const LayoutBox& b) {
  return a.code == b.code && a.x == b.x && a.y == b.y && a.x2 == b.x2 && a.y2 == b.y2 &&
         a.width == b.width && a.height == b.height && a.style == b.style && a.size == b.size;
}

int32_t LeftOf(const LayoutBox& box) {
  const bool rule = box.code == code::ThickLine || box.code == code::ThinLine;
  return rule ? std::min(box.x, box.x2) : box.x;
}

// The leftmost edge among the boxes from `first` on: boxes are not stored left to right (a
// fraction's numerator comes before its denominator), so every later one counts.
int32_t LeftmostFrom(const std::vector<LayoutBox>& boxes, size_t first) {
  int32_t left = std::numeric_limits<int32_t>::max();
  for (size_t k = first; k < boxes.size(); ++k) left = std::min(left, LeftOf(boxes[k]));
  return left;
}

}  // namespace

void DrawnLine::Take(const EquationLine& line) {
  boxes.assign(line.boxes.begin(), line.boxes.end());
  rootWidth = RootWidth(line);
  rootHeight = RootHeight(line);
  marked = HasMarks(line);
}

bool HasMarks(const EquationLine& line) {
  const std::vector<bool>& marks = line.selection.marks;
  return std::find(marks.begin(), marks.end(), true) != marks.end();
}

std::optional<ViewArea> ChangedArea(const DrawnLine& before, const EquationLine& after,
                                    int32_t bandTop, const ViewPlacement& view) {
  if (before.marked || HasMarks(after)) return std::nullopt;
  const ViewArea& area = view.area;
  const int32_t top = area.top + bandTop - view.scrollY;
  const int32_t band = BandHeightOf(after);
  if (band != BandHeight(before.rootHeight)) {
    return ViewArea{area.left, std::max(area.top, top - kInkSlack), area.right, area.bottom};
  }
  const ViewArea wholeBand{area.left, std::max(area.top, top - kInkSlack), area.right,
                           std::min(area.bottom, top + band + kInkSlack)};
  const ClientPoint origin = LineOrigin(after, bandTop, view);
  if (origin != LineOrigin(before.rootWidth, before.rootHeight, bandTop, view)) return wholeBand;
  const std::vector<LayoutBox>& old = before.boxes;
  const std::vector<LayoutBox>& now = after.boxes;
  const auto common = static_cast<size_t>(
      std::mismatch(old.begin(), old.begin() + std::min(old.size(), now.size()), now.begin(),
                    SameDrawing).first - old.begin());
  if (common == old.size() && common == now.size()) return ViewArea{};
  const int32_t left = std::min(LeftmostFrom(old, common), LeftmostFrom(now, common));
  ViewArea changed = wholeBand;
  changed.left = std::clamp(origin.x + left - kInkSlack, area.left, area.right);
  return changed;
}

}  // namespace kav
