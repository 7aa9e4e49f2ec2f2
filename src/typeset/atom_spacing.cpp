#include "typeset/atom_spacing.h"

namespace kav {
namespace {

// 0 none, 1 thin, 2 medium, 3 thick; negative where script styles put none. Rows and columns
// in the order of AtomClass: Ord, Op, Bin, Rel, Open, Close, Punct, Inner.
constexpr int8_t kSpaces[8][8] = {
    {0, 1, -2, -3, 0, 0, 0, -1},       // Ord
    {1, 1, 0, -3, 0, 0, 0, -1},        // Op
    {-2, -2, 0, 0, -2, 0, 0, -2},      // Bin
    {-3, -3, 0, 0, -3, 0, 0, -3},      // Rel
    {0, 0, 0, 0, 0, 0, 0, 0},          // Open
    {0, 1, -2, -3, 0, 0, 0, -1},       // Close
    {-1, -1, 0, -1, -1, -1, -1, -1},   // Punct
    {-1, 1, -2, -3, -1, 0, -1, -1},    // Inner
};

constexpr int32_t kMuOf[] = {0, 3, 4, 5};

bool LeavesNoLeftOperand(AtomClass c) {
  return c == AtomClass::Bin || c == AtomClass::Op || c == AtomClass::Rel ||
         c == AtomClass::Open || c == AtomClass::Punct;
}

bool EndsOperand(AtomClass c) {
  return c == AtomClass::Rel || c == AtomClass::Close || c == AtomClass::Punct;
}

}  // namespace

void ResolveBinaries(std::span<AtomClass> classes) {
  for (size_t k = 0; k < classes.size(); ++k) {
    if (classes[k] == AtomClass::Bin && (k == 0 || LeavesNoLeftOperand(classes[k - 1]))) {
      classes[k] = AtomClass::Ord;
    }
    if (k > 0 && EndsOperand(classes[k]) && classes[k - 1] == AtomClass::Bin) {
      classes[k - 1] = AtomClass::Ord;
    }
  }
  if (!classes.empty() && classes.back() == AtomClass::Bin) classes.back() = AtomClass::Ord;
}

int32_t SpaceBetween(AtomClass left, AtomClass right, bool scriptStyle) {
  const int8_t entry = kSpaces[static_cast<int>(left)][static_cast<int>(right)];
  if (entry < 0 && scriptStyle) return 0;
  return kMuOf[entry < 0 ? -entry : entry];
}

}  // namespace kav
