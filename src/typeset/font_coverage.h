// Which drawable symbols the embedded CMU Serif faces lack. Decided from data so that the core
// never asks a platform, and checked against the font files by a unit test so it cannot drift.
#pragma once
#include <span>

#include "platform/glyph_metrics.h"

namespace kav {

// The units of drawable symbols that neither "CMU Serif Italic" nor "CMU Serif Roman" holds.
// The bold face is the roman face emboldened, so it lacks the same units.
std::span<const char16_t> CmuSerifGaps();

// False when `face` is a CMU face without a glyph for `unit`; the math and symbol faces are
// taken to cover every drawable symbol.
bool FaceHasGlyph(FontFace face, char16_t unit);

}  // namespace kav
