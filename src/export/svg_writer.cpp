#include "export/svg_writer.h"

#include <charconv>
#include <cmath>

namespace kav {
namespace {

// Hundredths of a pixel: finer than any screen or printer shows at the eightfold scale.
void AppendNumber(std::string& out, double value) {
  double rounded = std::round(value * 100) / 100;
  if (rounded == 0) rounded = 0;  // no "-0"
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                                    std::chars_format::fixed, 2);
  const char* end = result.ptr;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  out.append(buffer, static_cast<size_t>(end - buffer));
}

void AppendPoint(std::string& out, OutlinePoint p, double dx, double dy) {
  AppendNumber(out, p.x + dx);
  out += ' ';
  AppendNumber(out, p.y + dy);
}

void AppendColour(std::string& out, Rgb colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '#';
  for (const uint8_t c : {colour.r, colour.g, colour.b}) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
}

char VerbLetter(OutlineVerb verb) {
  switch (verb) {
    case OutlineVerb::Move:
      return 'M';
    case OutlineVerb::Line:
      return 'L';
    case OutlineVerb::Quad:
      return 'Q';
    case OutlineVerb::Cubic:
      return 'C';
    case OutlineVerb::Close:
      return 'Z';
  }
  return 'Z';
}

void AppendPath(std::string& out, const Shape& shape, double dx, double dy) {
  out += "<path fill=\"";
  AppendColour(out, shape.colour);
  out += "\" d=\"";
  size_t k = 0;
  for (const OutlineVerb verb : shape.outline.verbs) {
    out += VerbLetter(verb);
    for (int32_t i = 0; i < PointsOf(verb); ++i) {
      if (i > 0) out += ' ';
      AppendPoint(out, shape.outline.points[k++], dx, dy);
    }
  }
  out += "\"/>\n";
}

}  // namespace

std::string WriteSvg(const VectorPicture& picture) {
  const std::string width = std::to_string(picture.Width());
  const std::string height = std::to_string(picture.Height());
  std::string out;
  out.reserve(256 + picture.shapes.size() * 400);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width +
         "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n";
  const double dx = -picture.frame.left, dy = -picture.frame.top;
  for (const Shape& shape : picture.shapes) AppendPath(out, shape, dx, dy);
  out += "</svg>\n";
  return out;
}

}  // namespace kav
