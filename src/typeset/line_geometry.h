// Where lines stand in the view: each line in its own horizontal band, its root box centred in
// the band and in the client width.
#pragma once
#include <cstdint>
#include <span>

#include "model/line.h"

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

// The client position of the root's top-left corner for a band at `bandTop`, with the view
// scrolled down by `scroll`. Each half is truncated by itself.
ClientPoint LineOrigin(int32_t rootWidth, int32_t rootHeight, int32_t bandTop, int32_t clientWidth,
                     int32_t scroll);
ClientPoint LineOrigin(const EquationLine& line, int32_t bandTop, int32_t clientWidth,
                     int32_t scroll);

}  // namespace kav
