// Selections made with the mouse over a laid-out line: points inside nodes' boxes, drags from
// press to release, and what the selection then holds and paints.
#pragma once
#include <initializer_list>

#include "edit/selection.h"
#include "editor_harness.h"

namespace kav {

class DragTest : public EditorTest {
 protected:
  // The node reached from the root by these child indices.
  int32_t Node(std::initializer_list<int32_t> path) {
    const EquationTree& tree = editor.CurrentLine().tree;
    int32_t node = tree.root;
    for (int32_t index : path) node = tree.Child(node, index);
    return node;
  }
  // A client point at (dx, dy) from the top-left corner of a node's box.
  LinePoint Inside(int32_t node, int32_t dx, int32_t dy) {
    const NodeData& data = editor.CurrentLine().tree.Data(node);
    const LinePoint origin = editor.LineOrigin(editor.document().currentLine);
    return {origin.x + data.x + dx, origin.y + data.y + dy};
  }
  LinePoint Centre(int32_t node) {
    const NodeData& data = editor.CurrentLine().tree.Data(node);
    return Inside(node, data.width / 2, data.height / 2);
  }
  // Press, two moves and release, as a hand on the mouse makes them.
  void Drag(LinePoint from, LinePoint to) {
    editor.OnLeftButtonDown(from.x, from.y);
    editor.OnMouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
    editor.OnMouseMove(to.x, to.y);
    editor.OnLeftButtonUp(to.x, to.y);
  }
  int32_t SelectionOf(int32_t node) { return editor.CurrentLine().tree.Data(node).selection; }
  // What a copy would write for the selection.
  std::u16string SelectedMarkup() {
    ExportTextBuffer buffer;
    const EquationLine& line = editor.CurrentLine();
    line.SerializeSelection(line.tree.root, buffer);
    return buffer.Text();
  }
  // Whether the marks of the boxes drawn for `node` are all set (the boxes painted green).
  bool Green(int32_t node) {
    const EquationLine& line = editor.CurrentLine();
    bool any = false;
    for (size_t i = 0; i < line.boxes.size(); ++i) {
      if (line.boxes[i].node != node) continue;
      if (!line.selection.marks[i]) return false;
      any = true;
    }
    return any;
  }
};

}  // namespace kav
