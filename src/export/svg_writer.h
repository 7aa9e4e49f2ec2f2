// A line's vector picture as one self-contained SVG document: a viewBox in layout pixels, one
// filled path per glyph, rule or sign in its colour, no text, no fonts, no external references.
#pragma once
#include <string>

#include "typeset/vector_picture.h"

namespace kav {

// The SVG text (UTF-8, ASCII only) of the picture, its top-left corner at the viewBox origin.
std::string WriteSvg(const VectorPicture& picture);

}  // namespace kav
