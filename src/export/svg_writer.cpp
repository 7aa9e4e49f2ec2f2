#include "export/svg_writer.h"

#include <cmath>
#include <cstdint>

namespace kav {
namespace {

// Hundredths of a pixel: finer than any screen or printer shows at the eightfold scale. Written
// from an integer, since formatting doubles costs more than everything else in the picture.
void AppendNumber(std::string& out, double value) {
  const double scaled = value * 100;
  const auto hundredths = static_cast<int64_t>(scaled + (scaled >= 0 ? 0.5 : -0.5));
  uint64_t magnitude = static_cast<uint64_t>(hundredths < 0 ? -hundredths : hundredths);
  char text[32];
  char* end = text + sizeof text;
  char* p = end;
  const auto fraction = static_cast<uint32_t>(magnitude % 100);
  if (fraction != 0) {
    if (fraction % 10 != 0) *--p = static_cast<char>('0' + fraction % 10);
    *--p = static_cast<char>('0' + fraction / 10);
    *--p = '.';
  }
  magnitude /= 100;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  if (hundredths < 0) *--p = '-';
  out.append(p, static_cast<size_t>(end - p));
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
    case OutlineVerb::Move: return 'M';
    case OutlineVerb::Line: return 'L';
    case OutlineVerb::Quad: return 'Q';
    case OutlineVerb::Cubic: return 'C';
    case OutlineVerb::Close: return 'Z';
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
  size_t points = 0;
  for (const Shape& shape : picture.shapes) points += shape.outline.points.size();
  out.reserve(256 + picture.shapes.size() * 40 + points * 16);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width +
         "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n";
  const double dx = -picture.frame.left, dy = -picture.frame.top;
  for (const Shape& shape : picture.shapes) AppendPath(out, shape, dx, dy);
  out += "</svg>\n";
  return out;
}

}  // namespace kav
