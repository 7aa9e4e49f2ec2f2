// The paint handler of the main window: every line that meets the client area drawn into the
// back buffer, which reaches the window in one copy so that no partial state is ever seen.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "app/drawing_resources.h"
#include "app/gdi_handles.h"
#include "app/win32.h"
#include "edit/view_scale.h"
#include "model/line.h"
#include "typeset/line_geometry.h"

namespace kav {

struct DragOutline {
  int32_t startX = 0;
  int32_t startY = 0;
  int32_t endX = 0;
  int32_t endY = 0;
};

// What one paint shows: the document's lines, which one is current (its selection marks are
// drawn), the view's area and scroll offsets, and the rubber band while the mouse drags, all in
// layout units, and the scale that maps them to the window's pixels.
struct PaintScene {
  std::span<const EquationLine> lines;
  int32_t currentLine = 0;
  // Lines selected whole; their marks are drawn as the current line's are.
  std::optional<std::pair<int32_t, int32_t>> selectedLines;
  ViewPlacement view;  // in layout units
  ViewScale scale;
  std::optional<DragOutline> drag;
};

// `backBuffer` is made on first use with the client size and kept until the caller drops it
// (on a resize).
void PaintWindow(HWND window, GdiObject<HBITMAP>& backBuffer, DrawingResources& resources,
                 const PaintScene& scene);

}  // namespace kav
