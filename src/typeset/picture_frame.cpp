#include "typeset/picture_frame.h"

#include <algorithm>

namespace kav {
namespace {

// Sixteen base sizes: far beyond any overhang, and it keeps a runaway drawing from growing the
// surface without end.
constexpr int32_t kMaxInkSearchRoom = 16 * kInkSearchRoom;

bool ReachesEdge(const PixelRect& ink, const PixelRect& surface) {
  return !ink.Empty() && (ink.left <= surface.left || ink.top <= surface.top ||
                          ink.right >= surface.right || ink.bottom >= surface.bottom);
}

}  // namespace

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

PixelRect PictureFrame(int32_t rootWidth, int32_t rootHeight, const PixelRect& ink) {
  const PixelRect covered = Union(PixelRect{0, 0, rootWidth, rootHeight}, ink);
  return {covered.left - kPictureMargin, covered.top - kPictureMargin,
          covered.right + kPictureMargin, covered.bottom + kPictureMargin};
}

PixelRect FindPictureFrame(int32_t rootWidth, int32_t rootHeight,
                           const std::function<PixelRect(int32_t room)>& drawPadded) {
  int32_t room = kInkSearchRoom;
  PixelRect ink = drawPadded(room);
  const auto surface = [&] { return PixelRect{0, 0, rootWidth + 2 * room, rootHeight + 2 * room}; };
  while (ReachesEdge(ink, surface()) && room < kMaxInkSearchRoom) {
    room *= 2;
    ink = drawPadded(room);
  }
  // The frame never reaches past the surface: what lies outside was never drawn.
  const PixelRect frame = PictureFrame(rootWidth, rootHeight, ink.Moved(-room, -room));
  const PixelRect inSurface = frame.Moved(room, room);
  const PixelRect bounds = surface();
  return {std::max(inSurface.left, bounds.left), std::max(inSurface.top, bounds.top),
          std::min(inSurface.right, bounds.right), std::min(inSurface.bottom, bounds.bottom)};
}

}  // namespace kav
