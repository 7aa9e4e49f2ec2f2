// Where lines stand in the view: each line in its own horizontal band, its root box centred in
// the band and, when it fits, in the client width; a line too wide for the view starts at its
// left margin and scrolls sideways.
#pragma once
#include <cstdint>
#include <span>

#include "model/line.h"
#include "platform/view_area.h"

namespace kav {

// Root width and height of a laid-out line; 0 for a line without a root.
int32_t RootWidth(const EquationLine& line);
int32_t RootHeight(const EquationLine& line);

// A band is 8/5 of the root's height and never less than 100 pixels.
int32_t BandHeight(int32_t rootHeight);
int32_t BandHeightOf(const EquationLine& line);

// The top of band `index`: the sum of the bands above it. With index equal to the number of
// lines, the document height.
int32_t BandTop(std::span<const EquationLine> lines, int32_t index);

struct ClientPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const ClientPoint&, const ClientPoint&) = default;
};

// How the view stands: the client width (a line that fits is centred in it), the area where
// lines are shown, and the sideways and vertical scroll offsets. Band tops count from the
// area's top edge.
struct ViewPlacement {
  int32_t clientWidth = 0;
  ViewArea area;
  int32_t scrollX = 0;
  int32_t scrollY = 0;
};

// The least room kept between a wide line and the area's sides, and between the caret and them.
inline constexpr int32_t kViewMargin = 10;

// Whether a root this wide, centred in the client width, stays inside the area with a margin
// on either side.
bool FitsCentred(int32_t rootWidth, int32_t clientWidth, const ViewArea& area);
// How far the view can scroll sideways for a root this wide: 0 when it fits, else enough to
// bring its right end, with a margin, into the area.
int32_t HorizontalRange(int32_t rootWidth, int32_t clientWidth, const ViewArea& area);

// The client position of the root's top-left corner for a band at `bandTop`. Each half is
// truncated by itself. A root that fits ignores the sideways scroll.
ClientPoint LineOrigin(int32_t rootWidth, int32_t rootHeight, int32_t bandTop,
                       const ViewPlacement& view);
ClientPoint LineOrigin(const EquationLine& line, int32_t bandTop, const ViewPlacement& view);

}  // namespace kav
