// Pass 2 of the layout: width, height and depth of every node, children first. The depth is
// the part of the box below the node's axis; rows align their children on that axis.
#include <algorithm>

#include "base/failure.h"
#include "typeset/fortieths.h"
#include "typeset/glyph_measure.h"
#include "typeset/glyph_place.h"
#include "typeset/layout_passes.h"
#include "typeset/spacing.h"

namespace kav {
namespace {

struct Extent {
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;
};

Extent GlyphNode(const NodeData& data, int32_t a, const GlyphMetrics& metrics) {
  if (data.code == u'-') {  // a rule: no ink to place by and no accent drawn
    const GlyphExtent glyph = MeasureGlyph(metrics, data.code, data.style, data.size);
    const GlyphSpacing spacing = SpacingOf(data.code, data.size);
    return Extent{glyph.width + spacing.tail + spacing.lead + spacing.pad, glyph.height,
                  Fortieths(16, a)};
  }
  const GlyphPlace place = PlaceGlyph(metrics, data.code, data.style, data.size);
  return Extent{place.width, place.height, Fortieths(16, a)};
}

Extent FractionNode(const ChildExtent& numerator, const ChildExtent& denominator) {
  return Extent{std::max(numerator.width, denominator.width) + 10,
                numerator.height + denominator.height + 5, denominator.height + 2};
}

// Children side by side on a common axis; an empty row is 0 by 0.
Extent GroupNode(const EquationTree& tree, int32_t node) {
  int32_t width = 0, above = 0, below = 0;
  for (int32_t child : tree.Children(node)) {
    const NodeData& data = tree.Data(child);
    width += data.width;
    above = std::max(above, data.height - data.depth);
    below = std::max(below, data.depth);
  }
  return Extent{width, above + below, below};
}

Extent BigOperatorNode(const NodeData& data, const EquationTree& tree, int32_t node,
                       const GlyphMetrics& metrics) {
  const ChildExtent lower = ExtentOfChild(tree, node, 0);
  const ChildExtent upper = ExtentOfChild(tree, node, 1);
  const int32_t bigSize = BigOperatorSize(data.size);
  const int32_t bigLetter = LetterHeight(metrics, bigSize);
  const GlyphExtent sign = MeasureGlyph(metrics, BigOperatorGlyph(data.code), StyleRoman, bigSize);
  return Extent{std::max({lower.width, sign.width, upper.width}),
                lower.height + upper.height + Fortieths(24, sign.height),
                lower.height + Fortieths(20, bigLetter) - Fortieths(8, sign.height)};
}

Extent IntegralNode(const NodeData& data, int32_t a, const EquationTree& tree, int32_t node) {
  const ChildExtent lower = ExtentOfChild(tree, node, 0);
  const ChildExtent upper = ExtentOfChild(tree, node, 1);
  const GlyphExtent image = IntegralExtent(data.size);
  const int32_t t1 = Fortieths(4, a);
  const int32_t t2 = Fortieths(8, image.height);
  const int32_t depth = std::max(image.height / 2 - t1, lower.height + t2);
  return Extent{std::max(lower.width + Fortieths(16, image.width), upper.width + image.width),
                std::max(image.height / 2 + t1, upper.height + t1 + t2) + depth, depth};
}

Extent StructureNode(const NodeData& data, int32_t a, const EquationTree& tree, int32_t node,
                     const GlyphMetrics& metrics) {
  const ChildExtent first = ExtentOfChild(tree, node, 0);
  switch (data.code) {
    case code::Frac:
      return FractionNode(first, ExtentOfChild(tree, node, 1));
    case code::Group:
      return GroupNode(tree, node);
    case code::Super:  // wholly above the axis of the row it stands in
      return Extent{first.width, first.height, 0};
    case code::Sub:  // hangs below the axis, reaching a tenth of a letter above it
      return Extent{first.width, first.height, first.height - Fortieths(4, a)};
    case code::Sqrt:
      return Extent{first.width + 30, first.height + 5, first.depth};
    case code::Sum:
    case code::Prod:
      return BigOperatorNode(data, tree, node, metrics);
    case code::Integral:
      return IntegralNode(data, a, tree, node);
    case code::None:
      return Extent{};
    default:
      Fail(u"WidthHeightDepth: Unknown token");
  }
}

}  // namespace

void MeasureNode(EquationTree& tree, int32_t node, const GlyphMetrics& metrics) {
  for (int32_t child : tree.Children(node)) MeasureNode(tree, child, metrics);
  NodeData& data = tree.Data(node);
  const int32_t a = LetterHeight(metrics, data.size);
  Extent extent;
  if (data.code == code::Placeholder) {
    extent = Extent{Fortieths(32, a), Fortieths(32, a), Fortieths(16, a)};
  } else if (IsLeafSymbol(data.code)) {
    extent = GlyphNode(data, a, metrics);
  } else {
    extent = StructureNode(data, a, tree, node, metrics);
  }
  data.width = extent.width;
  data.height = extent.height;
  data.depth = extent.depth;
}

}  // namespace kav
