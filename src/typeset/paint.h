// Drawing a laid-out line onto any Canvas: rules with pens, glyphs with their accents, and the
// math font's signs by glyph index. Selected boxes are green, red-styled boxes red, everything else black.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/line.h"
#include "platform/canvas.h"

namespace kav {

// The colour of a box: selection wins over red.
Rgb InkOf(bool selected, StyleFlags style);

// Draws `boxes` with the line's top-left corner at (originX, originY). `selectionMarks` holds one
// flag per box for the current line and is null for every other line.
void PaintLineBoxes(Canvas& canvas, int32_t originX, int32_t originY,
                    std::span<const LayoutBox> boxes, const std::vector<bool>* selectionMarks);

// One text box at (x, y); an accent is centred at `centre` from x when the font gives one,
// else on the glyph's ink, else on the box `width`.
void DrawGlyphBox(Canvas& canvas, int32_t x, int32_t y, SymbolCode code, int32_t size,
                  StyleFlags style, int32_t width, bool selected,
                  std::optional<int32_t> centre = {});

// The rubber band of a mouse selection: a closed black outline two pixels wide.
void DrawDragOutline(Canvas& canvas, int32_t startX, int32_t startY, int32_t endX, int32_t endY);

}  // namespace kav
