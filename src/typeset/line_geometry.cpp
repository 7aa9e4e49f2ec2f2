#include "typeset/line_geometry.h"

#include <algorithm>

namespace kav {

int32_t RootWidth(const EquationLine& line) {
  return line.tree.root < 0 ? 0 : line.tree.Data(line.tree.root).width;
}

int32_t RootHeight(const EquationLine& line) {
  return line.tree.root < 0 ? 0 : line.tree.Data(line.tree.root).height;
}

int32_t BandHeight(int32_t rootHeight) { return std::max(100, (8 * rootHeight) / 5); }

int32_t BandHeightOf(const EquationLine& line) { return BandHeight(RootHeight(line)); }

int32_t BandTop(std::span<const EquationLine> lines, int32_t index) {
  int32_t top = 0;
  for (int32_t i = 0; i < index; ++i) top += BandHeightOf(lines[i]);
  return top;
}

bool FitsCentred(int32_t rootWidth, int32_t clientWidth, const ViewArea& area) {
  const int32_t left = clientWidth / 2 - rootWidth / 2;
  return left >= area.left + kViewMargin && left + rootWidth <= area.right - kViewMargin;
}

int32_t HorizontalRange(int32_t rootWidth, int32_t clientWidth, const ViewArea& area) {
  if (FitsCentred(rootWidth, clientWidth, area)) return 0;
  return std::max(0, rootWidth + 2 * kViewMargin - area.Width());
}

ClientPoint LineOrigin(int32_t rootWidth, int32_t rootHeight, int32_t bandTop,
                       const ViewPlacement& view) {
  const int32_t x = FitsCentred(rootWidth, view.clientWidth, view.area)
                        ? view.clientWidth / 2 - rootWidth / 2
                        : view.area.left + kViewMargin - view.scrollX;
  const int32_t y =
      view.area.top + bandTop + BandHeight(rootHeight) / 2 - rootHeight / 2 - view.scrollY;
  return ClientPoint{x, y};
}

ClientPoint LineOrigin(const EquationLine& line, int32_t bandTop, const ViewPlacement& view) {
  return LineOrigin(RootWidth(line), RootHeight(line), bandTop, view);
}

}  // namespace kav
