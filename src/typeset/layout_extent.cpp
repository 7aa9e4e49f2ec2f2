// Pass 2 of the layout: the extent of every node, children first, each child placed relative
// to its parent and each structure's own rules and signs kept for pass 4.
#include "base/failure.h"
#include "typeset/fortieths.h"
#include "typeset/glyph_place.h"
#include "typeset/leaf_box.h"
#include "typeset/layout_passes.h"

namespace kav {
namespace {

void MeasureLeafNode(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& data = tree.Data(node);
  const LeafBox leaf =
      MeasureLeaf(context.metrics, MathUnits(context.metrics, data.size), data.code,
                  static_cast<StyleFlags>(data.style), data.size);
  SetExtent(data, leaf.width, leaf.ascent, leaf.depth);
  context.italic[node] = leaf.italic;
  if (leaf.glyph >= 0) {
    context.AddOwn(OwnGlyph(node, data, static_cast<uint16_t>(leaf.glyph), leaf.offset,
                                    -leaf.baseline, GlyphExtent{data.width, data.height}));
    return;
  }
  context.AddOwn(LayoutBox{data.code, leaf.offset, -leaf.baseline, leaf.accentCentre.value_or(0),
                           leaf.accentCentre ? 1 : 0, data.width, data.height,
                           DrawnStyle(data.code, data.style), static_cast<uint32_t>(data.size),
                           node});
}

// An empty slot: a square frame centred on the math axis.
void MeasurePlaceholder(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& d = tree.Data(node);
  const int32_t side = Fortieths(32, d.size);
  const int32_t ascent = side / 2 + MathUnits(context.metrics, d.size)(MathConstant::AxisHeight);
  SetExtent(d, side, ascent, side - ascent);
  const int32_t top = -ascent, right = side - 2, bottom = top + side - 2;
  const StyleFlags style = d.style;
  auto side_line = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    context.AddOwn(LayoutBox{code::ThickLine, x1, y1, x2, y2, side, side, style, 0, node});
  };
  side_line(-1, top, right, top);
  side_line(0, bottom, right, bottom);
  side_line(0, top - 1, 0, bottom);
  side_line(right, top, right, bottom);
}

// A script node is its content; the row it stands in raises or lowers it.
void MeasureScript(EquationTree& tree, int32_t node) {
  const int32_t content = tree.Child(node, 0);
  NodeData& data = tree.Data(node);
  if (content < 0) return SetExtent(data, 0, 0, 0);
  const NodeData inner = tree.Data(content);
  SetExtent(data, inner.width, AscentOf(inner), inner.depth);
  PutChild(tree, content, 0, 0);
}

void MeasureStructure(EquationTree& tree, int32_t node, LayoutContext& context) {
  switch (tree.CodeAt(node)) {
    case code::Group:
      return MeasureRow(tree, node, context);
    case code::Frac:
      return MeasureFraction(tree, node, context);
    case code::Super:
    case code::Sub:
      return MeasureScript(tree, node);
    case code::Sqrt:
      return MeasureRadical(tree, node, context);
    case code::Sum:
    case code::Prod:
    case code::Integral:
      return MeasureBigOperator(tree, node, context);
    case code::None:
      return SetExtent(tree.Data(node), 0, 0, 0);
    default:
      Fail(u"WidthHeightDepth: Unknown token");
  }
}

}  // namespace

void MeasureNode(EquationTree& tree, int32_t node, LayoutContext& context) {
  for (int32_t child : tree.Children(node)) MeasureNode(tree, child, context);
  context.BeginOwn(node);
  const SymbolCode code = tree.CodeAt(node);
  if (code == code::Placeholder) return MeasurePlaceholder(tree, node, context);
  if (IsLeafSymbol(code)) return MeasureLeafNode(tree, node, context);
  MeasureStructure(tree, node, context);
}

}  // namespace kav
