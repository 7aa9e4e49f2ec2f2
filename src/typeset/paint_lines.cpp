#include "typeset/paint_lines.h"

#include <algorithm>

#include "typeset/paint.h"

namespace kav {

// Band tops are summed on the way down, so a paint costs one pass over the lines.
void PaintViewLines(Canvas& canvas, const ViewLines& scene, const ViewArea& dirty) {
  const ViewArea& area = scene.view.area;
  const int32_t top = std::max(area.top, dirty.top);
  const int32_t bottom = std::min(area.bottom, dirty.bottom);
  int32_t bandTop = 0;
  for (size_t i = 0; i < scene.lines.size(); ++i) {
    const EquationLine& line = scene.lines[i];
    const int32_t band = BandHeightOf(line);
    const int32_t lineTop = area.top + bandTop - scene.view.scrollY;
    bandTop += band;
    if (lineTop + band + kInkSlack <= top) continue;
    if (lineTop - kInkSlack >= bottom) break;
    const ClientPoint origin = LineOrigin(line, bandTop - band, scene.view);
    const auto index = static_cast<int32_t>(i);
    const bool selected = scene.selectedLines && index >= scene.selectedLines->first &&
                          index <= scene.selectedLines->second;
    PaintLineBoxes(canvas, origin.x, origin.y, line.boxes,
                   index == scene.currentLine || selected ? &line.selection.marks : nullptr,
                   BoxSpan{dirty.left - kInkSlack, dirty.right + kInkSlack});
  }
}

}  // namespace kav
