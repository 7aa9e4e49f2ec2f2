// The view of the document: the scroll offset kept in line with the scroll bar, the current line
// scrolled into sight, the screen caret placed, and client points mapped into the current line.
#include <algorithm>

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

namespace {

// The screen caret in the current line's coordinates.
struct CaretBox {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 2;
  int32_t height = 0;
};

CaretBox CaretBoxOf(const EquationLine& line, const GlyphMetrics& metrics) {
  const EquationTree& tree = line.tree;
  const int32_t row = line.caret.node;
  const int32_t p = line.caret.position;
  const int32_t n = tree.ChildCount(row);
  CaretBox caret;
  if (p <= 1 && HasLeadingPlaceholder(tree, row)) {
    const NodeData& box = tree.Data(tree.Child(row, 0));
    return CaretBox{box.x, box.y, box.width, box.height};
  }
  if (n > 0) {
    const NodeData& next = tree.Data(tree.Child(row, p < n ? p : n - 1));
    caret.height = kav::LetterHeight(metrics, next.size);
    caret.x = p < n ? next.x : next.x + next.width;
    // The bar spans a letter's cell standing on the neighbour's baseline.
    caret.y = next.y + next.height - next.depth - kav::LetterAscent(metrics, next.size);
  }
  return caret;
}

// A scroll bar over `range` pixels of offset with a page of `page` pixels.
ScrollBarState SidewaysBar(int32_t range, int32_t page, int32_t position) {
  const int32_t shown = std::max(1, page);
  return ScrollBarState{range + shown - 1, shown, position};
}

}  // namespace

ViewArea Editor::AreaUnits() const {
  return scale_.ToUnits(host_.GetViewArea());
}

int32_t Editor::ClientWidthUnits() const {
  return scale_.ToUnits(host_.GetClientSize().width);
}

ViewPlacement Editor::Placement() const {
  return ViewPlacement{ClientWidthUnits(), AreaUnits(), scrollX_, scrollOffset_};
}

LinePoint Editor::LineOrigin(int32_t index) {
  const ClientPoint origin = kav::LineOrigin(document_.lines[index], BandTop(index), Placement());
  return {origin.x, origin.y};
}

int32_t Editor::HorizontalRangeOfCurrentLine() const {
  return HorizontalRange(RootWidth(document_.Current()), ClientWidthUnits(),
                         AreaUnits());
}

int32_t Editor::ClampedScroll(int32_t offset) {
  const int32_t page = AreaUnits().Height();
  const int32_t total = DocumentHeight();
  if (offset < 0) offset = 0;
  // The last band may scroll up to the middle of the view, so a short document sits there.
  if (offset > total - page / 2) offset = total - page / 2;
  return offset;
}

void Editor::UpdateScroll() {
  const ViewArea area = AreaUnits();
  const int32_t page = area.Height();
  const int32_t total = DocumentHeight();
  scrollOffset_ = ClampedScroll(scrollOffset_);
  host_.SetScrollBar(ScrollBarState{total + page / 2, page, scrollOffset_});
  const int32_t range = HorizontalRangeOfCurrentLine();
  scrollX_ = std::clamp(scrollX_, 0, range);
  host_.SetHorizontalScrollBar(SidewaysBar(range, area.Width(), scrollX_));
  ShowScreenCaret();
  host_.Invalidate();
}

// The current line's band as it is when wholly inside the view, else centred in it.
int32_t Editor::CurrentLineScroll() {
  const int32_t index = document_.currentLine;
  const int32_t top = BandTop(index);
  const int32_t band = BandHeight(index);
  const int32_t viewHeight = AreaUnits().Height();
  const bool inside = top + band - viewHeight < scrollOffset_ && scrollOffset_ < top;
  return inside ? scrollOffset_ : top + band / 2 - viewHeight / 2;
}

void Editor::ScrollToCurrentLine() {
  scrollOffset_ = CurrentLineScroll();
  ScrollCaretIntoSight();
  UpdateScroll();
}

// Sideways, the least scroll that brings the caret of a wide current line inside the area with
// a margin on either side; true when the offset changed.
bool Editor::ScrollCaretIntoSight() {
  EnsureCaret();
  const int32_t range = HorizontalRangeOfCurrentLine();
  int32_t scroll = std::clamp(scrollX_, 0, range);
  if (range > 0) {
    const CaretBox caret = CaretBoxOf(CurrentLine(), metrics_);
    const int32_t least = caret.x + caret.width + 2 * kViewMargin - AreaUnits().Width();
    scroll = std::clamp(std::max(least, std::min(scroll, caret.x)), 0, range);
  }
  if (scroll == scrollX_) return false;
  scrollX_ = scroll;
  return true;
}

void Editor::PlaceCaret() {
  EnsureCaret();
  // A mouse selection keeps the view still under the pointer.
  if (!selectionMode_ && ScrollCaretIntoSight()) {
    host_.SetHorizontalScrollBar(SidewaysBar(HorizontalRangeOfCurrentLine(),
                                             AreaUnits().Width(), scrollX_));
    host_.Invalidate();
  }
  ShowScreenCaret();
}

void Editor::ShowScreenCaret() {
  EnsureCaret();
  if (selectionMode_) {
    host_.DestroyCaret();
    return;
  }
  const CaretBox caret = CaretBoxOf(CurrentLine(), metrics_);
  const LinePoint origin = LineOrigin(document_.currentLine);
  // At least a pixel wide, however small the zoom.
  host_.CreateCaret(std::max(1, scale_.ToPixels(caret.width)), scale_.ToPixels(caret.height));
  host_.ShowCaret();
  host_.MoveCaret(scale_.ToPixels(origin.x + caret.x), scale_.ToPixels(origin.y + caret.y));
}

// The inverse of the line's placement: a client point relative to the root's top-left corner.
LinePoint Editor::ToLineCoordinates(int32_t x, int32_t y) {
  const LinePoint origin = LineOrigin(document_.currentLine);
  return {x - origin.x, y - origin.y};
}

void Editor::OnVerticalScroll(ScrollRequest request, int32_t trackPosition) {
  const int32_t page = AreaUnits().Height() - 70;
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

// The same steps sideways (line left and right, page left and right): the view moves and the
// caret may leave it, as with the vertical bar.
void Editor::OnHorizontalScroll(ScrollRequest request, int32_t trackPosition) {
  const int32_t page = AreaUnits().Width() - 70;
  switch (request) {
    case ScrollRequest::LineUp: scrollX_ -= 40; break;
    case ScrollRequest::LineDown: scrollX_ += 40; break;
    case ScrollRequest::PageUp: scrollX_ -= page; break;
    case ScrollRequest::PageDown: scrollX_ += page; break;
    case ScrollRequest::ThumbTrack: scrollX_ = trackPosition; break;
    default: break;
  }
  UpdateScroll();
}

void Editor::OnMouseWheel(int32_t delta, Modifiers modifiers) {
  if (modifiers.ctrl) {
    if (delta != 0) ZoomTo(delta > 0 ? ZoomStepUp(scale_.zoom) : ZoomStepDown(scale_.zoom));
    return;
  }
  OnVerticalScroll(delta > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
}

}  // namespace kav
