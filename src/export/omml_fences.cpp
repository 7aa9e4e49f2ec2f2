#include "export/omml_fences.h"

namespace kav {
namespace {

enum class Fence { None, Open, Close, Bar };

Fence FenceOf(const OmmlLeaf& leaf) {
  if ((leaf.style & (StyleAccentMask | StyleRed)) != 0) return Fence::None;
  switch (leaf.code) {
    case '(':
    case '[':
    case code::LBrace:
    case 0x2308:  // left ceiling
    case 0x230A:  // left floor
      return Fence::Open;
    case ')':
    case ']':
    case code::RBrace:
    case 0x2309:
    case 0x230B: return Fence::Close;
    case '|': return Fence::Bar;
    default: return Fence::None;
  }
}

bool IsBarAt(const std::vector<OmmlLeaf>& leaves, int32_t position) {
  return FenceOf(leaves[position]) == Fence::Bar;
}

// Closes the nearest open bracket, dropping the bars opened inside it; a closing bracket with no
// bracket open pairs with nothing.
void CloseBracket(const std::vector<OmmlLeaf>& leaves, std::vector<int32_t>& open,
                  std::vector<int32_t>& partners, int32_t position) {
  size_t depth = open.size();
  while (depth > 0 && IsBarAt(leaves, open[depth - 1])) --depth;
  if (depth == 0) return;
  const int32_t opening = open[depth - 1];
  open.resize(depth - 1);
  partners[opening] = position;
  partners[position] = opening;
}

// Unpairs every pair nested inside `maxDepth` others; pairs never cross, so one count of the
// pairs open at each position is their depth.
void LimitDepth(std::vector<int32_t>& partners, int32_t maxDepth) {
  int32_t depth = 0;
  for (int32_t i = 0; i < static_cast<int32_t>(partners.size()); ++i) {
    if (partners[i] > i && depth >= maxDepth) {
      partners[partners[i]] = -1;
      partners[i] = -1;
    } else if (partners[i] > i) {
      ++depth;
    } else if (partners[i] >= 0) {
      --depth;
    }
  }
}

}  // namespace

std::vector<int32_t> OmmlFencePartners(const std::vector<OmmlLeaf>& leaves, int32_t maxDepth) {
  std::vector<int32_t> partners(leaves.size(), -1);
  std::vector<int32_t> open;
  for (int32_t i = 0; i < static_cast<int32_t>(leaves.size()); ++i) {
    switch (FenceOf(leaves[i])) {
      case Fence::Open: open.push_back(i); break;
      case Fence::Close: CloseBracket(leaves, open, partners, i); break;
      case Fence::Bar:
        if (!open.empty() && IsBarAt(leaves, open.back())) {
          partners[open.back()] = i;
          partners[i] = open.back();
          open.pop_back();
        } else {
          open.push_back(i);
        }
        break;
      case Fence::None: break;
    }
  }
  LimitDepth(partners, maxDepth);
  return partners;
}

}  // namespace kav
