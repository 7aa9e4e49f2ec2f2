// The style buttons: set or take off a face, an accent or red, on the selection or on the symbol
// before the caret.
#include "edit/editor.h"
#include "edit/selection.h"

namespace kav {
namespace {

// Letters, digits and Greek letters take faces and accents; red goes on anything but the
// placeholder.
bool IsStyleLetter(SymbolCode c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || IsGreek(c);
}

bool IsEligible(SymbolCode c, StyleFlags mask) {
  return mask == StyleRed ? c != code::Placeholder : IsStyleLetter(c);
}

StyleFlags Toggled(StyleFlags style, StyleFlags mask, StyleFlags value) {
  if ((style & mask) == value) return style & ~mask;
  return (style & ~mask) | value;
}

// With every selected eligible node already in the style, the button takes it off.
void StyleSelection(EquationTree& tree, StyleFlags mask, StyleFlags value) {
  bool allSet = true;
  tree.CollectSubtree(tree.root, [&](int32_t node) {
    const NodeData& data = tree.Data(node);
    if (data.marked && IsEligible(data.code, mask) && (data.style & mask) != value) allSet = false;
  });
  const StyleFlags applied = allSet ? 0 : value;
  tree.CollectSubtree(tree.root, [&](int32_t node) {
    NodeData& data = tree.Data(node);
    if (data.marked && IsEligible(data.code, mask)) data.style = (data.style & ~mask) | applied;
  });
}

}  // namespace

// Lines selected whole are styled each as one recorded step; the caret's line comes last and
// stays current. A keyboard selection is marked again over the boxes the new style draws.
void Editor::ApplyStyle(StyleFlags mask, StyleFlags value) {
  if (const auto lines = SelectedLines()) {
    const int32_t focus = document_.currentLine;
    for (int32_t i = lines->first; i <= lines->second; ++i) {
      if (i == focus) continue;
      document_.currentLine = i;
      ApplyStyleToMarked(mask, value);
    }
    document_.currentLine = focus;
  }
  if (selectionMode_) {
    ApplyStyleToMarked(mask, value);
    if (KeySelectionCurrent()) MarkKeySelection();
    return;
  }
  EquationLine& line = CurrentLine();
  SnapshotLine();
  const Caret& caret = line.caret;
  const int32_t before = caret.position > 0 ? line.tree.Child(caret.node, caret.position - 1) : -1;
  if (before >= 0) {
    NodeData& data = line.tree.Data(before);
    if (IsLetterCode(data.code) && IsEligible(data.code, mask)) {
      data.style = Toggled(data.style, mask, value);
    }
  }
  CommitLine();
  LayoutLine(document_.currentLine);
  host_.Invalidate();
}

void Editor::ApplyStyleToMarked(StyleFlags mask, StyleFlags value) {
  EquationLine& line = CurrentLine();
  CloseSelection(line);
  SnapshotLine();
  StyleSelection(line.tree, mask, value);
  CommitLine();
  LayoutLine(document_.currentLine);
  host_.Invalidate();
}

}  // namespace kav
