// Where the clipboard picture's edges fall. Glyphs draw outside their boxes (an italic f's tail
// and hook, a final digit's side bearing, the round end of a fraction bar), so the picture covers
// the root box and every pixel the drawing inks, plus an even margin on the window colour.
#pragma once
#include <cstdint>
#include <functional>

namespace kav {

// A rectangle of pixels; right and bottom are exclusive. Empty when it holds no pixel.
struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  PixelRect Moved(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Blank pixels around the outermost ink or box edge. Pictures are drawn at the base size 40,
// where two pixels keep antialiased edges off the border without a visible frame.
inline constexpr int32_t kPictureMargin = 2;

// Room around the root box where overhanging ink is looked for first: one base size, more than
// any glyph of the embedded faces overhangs its box.
inline constexpr int32_t kInkSearchRoom = 40;

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);

// The picture in the root's coordinates: the root box (0, 0, width, height) together with `ink`
// (root coordinates, empty when nothing is inked), grown by the margin on every side.
PixelRect PictureFrame(int32_t rootWidth, int32_t rootHeight, const PixelRect& ink);

// Finds the picture of a drawing that may overhang its root box. `drawPadded(room)` draws the
// picture with the root's top-left corner at (room, room) on a surface `room` pixels larger than
// the root box on every side, keeps that surface, and returns the bounds of the pixels that differ
// from the background there. The room starts at kInkSearchRoom and doubles while ink reaches the
// surface's edge (up to a bound). Returns the frame in the coordinates of the last surface drawn,
// which the caller cuts out of it.
PixelRect FindPictureFrame(int32_t rootWidth, int32_t rootHeight,
                           const std::function<PixelRect(int32_t room)>& drawPadded);

}  // namespace kav
