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

ClientPoint LineOrigin(int32_t rootWidth, int32_t rootHeight, int32_t bandTop, int32_t clientWidth,
                     int32_t scroll) {
  return ClientPoint{clientWidth / 2 - rootWidth / 2,
                   bandTop + BandHeight(rootHeight) / 2 - rootHeight / 2 - scroll};
}

ClientPoint LineOrigin(const EquationLine& line, int32_t bandTop, int32_t clientWidth,
                     int32_t scroll) {
  return LineOrigin(RootWidth(line), RootHeight(line), bandTop, clientWidth, scroll);
}

}  // namespace kav
