// From a client point to a line and a caret place in it, and the mouse buttons that use it.
#include <algorithm>
#include <limits>

#include "edit/caret_moves.h"
#include "edit/editor.h"
#include "edit/selection.h"
#include "edit/tree_queries.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

struct NearestBox {
  int32_t node = -1;
  bool before = false;
};

// The box whose hit centre is nearest to the point; the earliest wins a tie. A node drawn with
// several boxes (a placeholder's frame, a root's strokes) is represented by the first of them,
// whose hit area stands for the whole.
NearestBox FindNearestBox(const EquationLine& line, int32_t lx, int32_t ly) {
  NearestBox best;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  const auto count = static_cast<int32_t>(line.boxes.size());
  for (int32_t i = 0; i < count; ++i) {
    const LayoutBox& box = line.boxes[i];
    const int64_t dx = lx - (box.x + box.width / 2);
    const int64_t dy = ly - (box.y + box.height / 2);
    const int64_t distance = dx * dx + dy * dy;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = NearestBox{box.node, lx <= box.x + box.width / 2};
    }
    i = NodeBoxesEnd(line.boxes, i) - 1;
  }
  return best;
}

}  // namespace

void Editor::ChooseLineAt(int32_t clientY) {
  // During a drag the midpoint between the press and the pointer decides.
  const int32_t v = (clientY + drag_.anchorY) / 2 - AreaUnits().top + scrollOffset_;
  SyncDerivedState();
  const int32_t index = bands_.Find(v);
  if (index >= 0) document_.currentLine = index;
  EnsureCaret();
}

void Editor::ChoosePositionInLine(int32_t x, int32_t y) {
  EquationLine& line = CurrentLine();
  EquationTree& tree = line.tree;
  const LinePoint point = ToLineCoordinates(x, y);
  if (line.markup.empty() || point.x < -10) {
    kav::MoveHome(tree, line.caret);
    PlaceCaret();
    return;
  }
  const NearestBox nearest = FindNearestBox(line, point.x, point.y);
  const int32_t row = nearest.node >= 0 ? tree.Parent(nearest.node) : -1;
  if (point.x > RootWidth(line) + 10 || row < 0 || tree.CodeAt(row) != code::Group) {
    kav::MoveEnd(tree, line.caret);
    PlaceCaret();
    return;
  }
  line.caret = Caret{row, std::max(0, tree.IndexInParent(nearest.node))};
  ClampCaret(tree, line.caret);
  PlaceCaret();
  // Right of the centre: after the item, or into its first slot.
  if (tree.CodeAt(nearest.node) != code::Placeholder && !nearest.before) MoveRight();
}

void Editor::HitTest(int32_t x, int32_t y) {
  ChooseLineAt(y);
  ChoosePositionInLine(x, y);
}

void Editor::OnLeftButtonDown(int32_t pixelX, int32_t pixelY) {
  const int32_t x = scale_.ToUnits(pixelX);
  const int32_t y = scale_.ToUnits(pixelY);
  drag_.anchorY = y;
  ForgetKeySelection();
  HitTest(x, y);
  selectionMode_ = true;
  drag_ = DragRectangle{x, y, x, y};
  ApplyDragRectangle();
  mouseCaptured_ = true;
  host_.CaptureMouse();
  host_.HideInlineBox();
  host_.FocusMainWindow();
  host_.Invalidate();
}

void Editor::OnMouseMove(int32_t pixelX, int32_t pixelY) {
  if (!mouseCaptured_) return;
  const int32_t x = scale_.ToUnits(pixelX);
  const int32_t y = scale_.ToUnits(pixelY);
  HitTest(x, y);
  drag_.currentX = x;
  drag_.currentY = y;
  ApplyDragRectangle();
  host_.Invalidate();
}

void Editor::OnLeftButtonUp(int32_t pixelX, int32_t pixelY) {
  ReleaseDrag(scale_.ToUnits(pixelX), scale_.ToUnits(pixelY));
}

void Editor::ReleaseDrag(int32_t x, int32_t y) {
  if (!mouseCaptured_) return;
  mouseCaptured_ = false;
  host_.ReleaseMouse();
  drag_.currentX = x;
  drag_.currentY = y;
  const int64_t dx = static_cast<int64_t>(drag_.anchorX) - x;
  const int64_t dy = static_cast<int64_t>(drag_.anchorY) - y;
  if (dx * dx + dy * dy > 24) {
    ApplyDragRectangle();
  } else {
    // A click, not a drag.
    selectionMode_ = false;
    PlaceCaret();
  }
  host_.Invalidate();
}

void Editor::OnCaptureLost() {
  if (mouseCaptured_) ReleaseDrag(drag_.currentX, drag_.currentY);
}

}  // namespace kav
