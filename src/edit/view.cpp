// The view of the document: the scroll offset kept in line with the scroll bar, the current line
// scrolled into sight, the screen caret placed, and client points mapped into the current line.
#include "edit/editor.h"
#include "edit/tree_queries.h"
#include "typeset/glyph_measure.h"
#include "typeset/line_geometry.h"

namespace kav {

int32_t Editor::BandTop(int32_t index) {
  SyncDerivedState();
  return bands_.Top(index);
}

int32_t Editor::BandHeight(int32_t index) {
  SyncDerivedState();
  return bands_.Height(index);
}

int32_t Editor::DocumentHeight() {
  SyncDerivedState();
  return bands_.Total();
}

LinePoint Editor::LineOrigin(int32_t index) {
  const ClientPoint origin = kav::LineOrigin(document_.lines[index], BandTop(index),
                                             host_.GetClientSize().width, scrollOffset_);
  return {origin.x, origin.y};
}

void Editor::UpdateScroll() {
  const int32_t page = host_.GetClientSize().height;
  const int32_t total = DocumentHeight();
  if (scrollOffset_ < 0) scrollOffset_ = 0;
  // The last band may scroll up to the middle of the window, so a short document sits there.
  if (scrollOffset_ > total - page / 2) scrollOffset_ = total - page / 2;
  host_.SetScrollBar(ScrollBarState{total + page / 2, page, scrollOffset_});
  PlaceCaret();
  host_.Invalidate();
}

void Editor::ScrollToCurrentLine() {
  const int32_t index = document_.currentLine;
  const int32_t top = BandTop(index);
  const int32_t band = BandHeight(index);
  const int32_t clientHeight = host_.GetClientSize().height;
  const bool inside = top + band - clientHeight < scrollOffset_ && scrollOffset_ < top;
  if (!inside) scrollOffset_ = top + band / 2 - clientHeight / 2;
  UpdateScroll();
}

void Editor::PlaceCaret() {
  EnsureCaret();
  const EquationLine& line = CurrentLine();
  const EquationTree& tree = line.tree;
  const int32_t row = line.caret.node;
  const int32_t p = line.caret.position;
  const int32_t n = tree.ChildCount(row);
  int32_t x = 0, y = 0, width = 2, height = 0;
  if (p <= 1 && HasLeadingPlaceholder(tree, row)) {
    const NodeData& box = tree.Data(tree.Child(row, 0));
    x = box.x;
    y = box.y;
    width = box.width;
    height = box.height;
  } else if (n > 0) {
    const NodeData& next = tree.Data(tree.Child(row, p < n ? p : n - 1));
    height = kav::LetterHeight(metrics_, next.size);
    x = p < n ? next.x : next.x + next.width;
    // The bar reaches 0.6 of a letter height above the neighbour's axis and 0.4 below it.
    y = next.y + next.height - next.depth - height * 6 / 10;
  }
  if (selectionMode_) {
    host_.DestroyCaret();
    return;
  }
  const LinePoint origin = LineOrigin(document_.currentLine);
  host_.CreateCaret(width, height);
  host_.ShowCaret();
  host_.MoveCaret(origin.x + x, origin.y + y);
}

LinePoint Editor::ToLineCoordinates(int32_t x, int32_t y) {
  const EquationLine& line = CurrentLine();
  const int32_t index = document_.currentLine;
  const int32_t lx = x + RootWidth(line) / 2 - host_.GetClientSize().width / 2;
  const int32_t ly =
      y + RootHeight(line) / 2 + scrollOffset_ - BandHeight(index) / 2 - BandTop(index);
  return {lx, ly};
}

void Editor::OnVerticalScroll(ScrollRequest request, int32_t trackPosition) {
  const int32_t page = host_.GetClientSize().height - 70;
  switch (request) {
    case ScrollRequest::LineUp: scrollOffset_ -= 60; break;
    case ScrollRequest::LineDown: scrollOffset_ += 60; break;
    case ScrollRequest::PageUp: scrollOffset_ -= page; break;
    case ScrollRequest::PageDown: scrollOffset_ += page; break;
    case ScrollRequest::ThumbTrack: scrollOffset_ = trackPosition; break;
    default: break;
  }
  UpdateScroll();
}

void Editor::OnMouseWheel(int32_t delta) {
  OnVerticalScroll(delta > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
}

}  // namespace kav
