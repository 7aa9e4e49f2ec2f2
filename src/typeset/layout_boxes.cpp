// Pass 4 of the layout: the drawn boxes, children before their parent, all boxes of a node
// consecutive. Hit testing counts on the number of boxes per node kind.
#include "base/failure.h"
#include "typeset/fortieths.h"
#include "typeset/glyph_measure.h"
#include "typeset/glyph_place.h"
#include "typeset/layout_passes.h"
#include "typeset/spacing.h"

namespace kav {
namespace {

void AddLine(std::vector<LayoutBox>& boxes, SymbolCode kind, int32_t node, int32_t x1, int32_t y1,
             int32_t x2, int32_t y2, int32_t hitWidth, int32_t hitHeight, StyleFlags style) {
  boxes.push_back(LayoutBox{kind, x1, y1, x2, y2, hitWidth, hitHeight, style, 0, node});
}

void AddText(std::vector<LayoutBox>& boxes, SymbolCode code, int32_t node, int32_t x, int32_t y,
             int32_t width, int32_t height, StyleFlags style, int32_t size) {
  boxes.push_back(
      LayoutBox{code, x, y, 0, 0, width, height, style, static_cast<uint32_t>(size), node});
}

// The text box starts at the glyph's cell, which an accent's room may have moved down; its
// height stays the node's.
void GlyphBoxes(const NodeData& d, int32_t node, const GlyphMetrics& metrics,
                std::vector<LayoutBox>& boxes) {
  if (d.code == u'-') {  // a rule, not the font's hyphen
    const GlyphSpacing s = SpacingOf(d.code, d.size);
    const int32_t y = d.y + s.drop + d.height / 2 + 1;
    AddLine(boxes, code::ThinLine, node, d.x + s.shift + s.pad / 2 + s.lead, y, d.x + d.width - 4,
            y, d.width, d.height, d.style & StyleRed);
    return;
  }
  const GlyphPlace place = PlaceGlyph(metrics, d.code, d.style, d.size);
  AddText(boxes, d.code, node, d.x + place.offsetX, d.y + place.offsetY, d.width, d.height,
          DrawnStyle(d.code, d.style), d.size);
}

void PlaceholderBoxes(const NodeData& d, int32_t node, std::vector<LayoutBox>& boxes) {
  const int32_t right = d.x + d.width - 2;
  const int32_t bottom = d.y + d.height - 2;
  const int32_t w = d.width, h = d.height;
  AddLine(boxes, code::ThickLine, node, d.x - 1, d.y, right, d.y, w, h, d.style);
  AddLine(boxes, code::ThickLine, node, d.x, bottom, right, bottom, w, h, d.style);
  AddLine(boxes, code::ThickLine, node, d.x, d.y - 1, d.x, bottom, w, h, d.style);
  AddLine(boxes, code::ThickLine, node, right, d.y, right, bottom, w, h, d.style);
}

// Bar, short stroke, long stroke; the hit width of -20 puts their hit centre on the sign.
void SqrtBoxes(const EquationTree& tree, const NodeData& d, int32_t node,
               std::vector<LayoutBox>& boxes) {
  const ChildExtent radicand = ExtentOfChild(tree, node, 0);
  const int32_t bottom = d.y + d.height - 2;
  AddLine(boxes, code::ThickLine, node, d.x + 20, d.y + 2, d.x + 30 + radicand.width, d.y + 2, -20,
          d.height, d.style);
  AddLine(boxes, code::ThickLine, node, d.x, d.y + (2 * d.height) / 3, d.x + 14, bottom, -20,
          d.height, d.style);
  AddLine(boxes, code::ThickLine, node, d.x + 20, d.y, d.x + 14, bottom, -20, d.height, d.style);
}

void BigOperatorBoxes(const EquationTree& tree, const NodeData& d, int32_t node,
                      const GlyphMetrics& metrics, std::vector<LayoutBox>& boxes) {
  const int32_t bigSize = BigOperatorSize(d.size);
  const SymbolCode sign = BigOperatorGlyph(d.code);
  const GlyphExtent extent = MeasureGlyph(metrics, sign, StyleRoman, bigSize);
  const ChildExtent upper = ExtentOfChild(tree, node, 1);
  AddText(boxes, sign, node, d.x + d.width / 2 - extent.width / 2,
          d.y + upper.height - Fortieths(6, extent.height) - 2, extent.width, extent.height,
          (d.style & StyleRed) | StyleRoman, bigSize);
}

void IntegralBoxes(const EquationTree& tree, const NodeData& d, int32_t node,
                   std::vector<LayoutBox>& boxes) {
  const GlyphExtent image = IntegralExtent(d.size);
  const ChildExtent upper = ExtentOfChild(tree, node, 1);
  const int32_t drop = upper.height + Fortieths(8, image.height) - image.height / 2;
  AddText(boxes, code::Integral, node, d.x, d.y + (drop > 0 ? drop : 0), image.width,
          image.height, d.style & StyleRed, d.size);
}

void NodeBoxes(const EquationTree& tree, int32_t node, const GlyphMetrics& metrics,
               std::vector<LayoutBox>& boxes) {
  const NodeData& d = tree.Data(node);
  if (IsLeafSymbol(d.code)) return GlyphBoxes(d, node, metrics, boxes);
  switch (d.code) {
    case code::Placeholder:
      return PlaceholderBoxes(d, node, boxes);
    case code::Frac: {
      const int32_t y = d.y + ExtentOfChild(tree, node, 0).height + 2;
      return AddLine(boxes, code::ThickLine, node, d.x, y, d.x + d.width, y, d.width, 0, d.style);
    }
    case code::Sqrt:
      return SqrtBoxes(tree, d, node, boxes);
    case code::Sum:
    case code::Prod:
      return BigOperatorBoxes(tree, d, node, metrics, boxes);
    case code::Integral:
      return IntegralBoxes(tree, d, node, boxes);
    case code::Group:
    case code::Super:
    case code::Sub:
    case code::None:
      return;
    default:
      Fail(u"WidthHeightDepth: Unknown token");
  }
}

// The boxes NodeBoxes adds for a node of this code: a placeholder's four sides, the root sign's
// three strokes, one glyph or rule for the rest that draws, none for rows and scripts.
size_t BoxCountOfCode(SymbolCode c) {
  if (IsLeafSymbol(c)) return 1;
  switch (c) {
    case code::Placeholder: return 4;
    case code::Sqrt: return 3;
    case code::Frac: case code::Sum: case code::Prod: case code::Integral: return 1;
    default: return 0;
  }
}

}  // namespace

size_t BoxCountOfSubtree(const EquationTree& tree, int32_t node) {
  size_t count = 0;
  tree.CollectSubtree(node, [&](int32_t n) { count += BoxCountOfCode(tree.CodeAt(n)); });
  return count;
}

void AppendBoxes(const EquationTree& tree, int32_t node, const GlyphMetrics& metrics,
                 std::vector<LayoutBox>& boxes) {
  for (int32_t child : tree.Children(node)) AppendBoxes(tree, child, metrics, boxes);
  NodeBoxes(tree, node, metrics, boxes);
}

}  // namespace kav
