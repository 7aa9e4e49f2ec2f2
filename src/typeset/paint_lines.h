// Drawing the document's lines that meet a part of the view: the window's paint and anything
// that wants to draw the view the same way (a benchmark) go through here.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "model/line.h"
#include "platform/canvas.h"
#include "typeset/line_geometry.h"

namespace kav {

// Ink may reach a little past a box or a band (an italic overhang, an accent above a tall
// root): painting looks this far around the area it draws, and a changed area reaches this far
// beyond what changed.
inline constexpr int32_t kInkSlack = 32;

// The lines in view, in layout units: which one is current (its selection marks are drawn) and
// which are selected whole.
struct ViewLines {
  std::span<const EquationLine> lines;
  int32_t currentLine = 0;
  std::optional<std::pair<int32_t, int32_t>> selectedLines;
  ViewPlacement view;
};

// Draws every box whose ink may fall inside `dirty` (layout units, client coordinates); lines
// and boxes wholly outside it are skipped, so that repainting a small area costs little however
// long the lines are.
void PaintViewLines(Canvas& canvas, const ViewLines& scene, const ViewArea& dirty);

}  // namespace kav
