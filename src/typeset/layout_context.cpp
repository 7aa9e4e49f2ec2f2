#include "typeset/layout_context.h"

namespace kav {

LayoutContext::LayoutContext(const GlyphMetrics& glyphMetrics, size_t nodeCount)
    : metrics(glyphMetrics), styles(nodeCount), italic(nodeCount, 0), ownRange(nodeCount) {
  // Most nodes draw one box (rows and scripts none, an empty slot four): room for one each
  // keeps the line's boxes from being copied as they grow.
  own.reserve(nodeCount);
}

void LayoutContext::BeginOwn(int32_t node) {
  ownRange[node] = {static_cast<uint32_t>(own.size()), 0};
}

void LayoutContext::AddOwn(const LayoutBox& box) {
  own.push_back(box);
  ++ownRange[box.node].second;
}

}  // namespace kav
