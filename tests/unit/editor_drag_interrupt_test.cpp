// Keys pressed while the left button is still held: whatever forgets or replaces the drag ends
// it, so later moves select nothing from the window's corner and no box stays marked once
// selection mode is off.
#include "drag_harness.h"

namespace kav {
namespace {

class DragInterruptTest : public DragTest {
 protected:
  bool AnyMarked() {
    for (bool mark : editor.CurrentLine().selection.marks) {
      if (mark) return true;
    }
    return false;
  }
};

TEST_F(DragInterruptTest, TypingDuringADragEndsIt) {
  Load({u"<a><b><c>"});
  const LinePoint a = Centre(Node({0}));
  editor.OnLeftButtonDown(a.x, a.y);
  Type(u"x");
  EXPECT_FALSE(editor.mouseCaptured());
  EXPECT_FALSE(host.mouseCaptured);
  // Before, the drag went on from the corner (0, 0): this move marked the whole line green
  // while selection mode was off, and the next letter replaced it.
  const LinePoint c = Centre(Node({3}));
  editor.OnMouseMove(c.x, c.y + 20);
  editor.OnLeftButtonUp(c.x, c.y + 20);
  EXPECT_FALSE(AnyMarked());
  EXPECT_FALSE(editor.selectionMode());
  Type(u"y");
  EXPECT_EQ(Markup(), u"<x><y><a><b><c>");
}

TEST_F(DragInterruptTest, KeysThatClearTheSelectionEndADrag) {
  for (const int32_t virtualKey : {key::Home, key::End, key::Left, key::Right, key::Up}) {
    Load({u"<a><b><c>"});
    const LinePoint a = Centre(Node({0}));
    editor.OnLeftButtonDown(a.x, a.y);
    Press(virtualKey);
    EXPECT_FALSE(editor.mouseCaptured()) << virtualKey;
    editor.OnMouseMove(a.x + 300, a.y + 40);
    EXPECT_FALSE(AnyMarked()) << virtualKey;
  }
}

TEST_F(DragInterruptTest, SelectAllDuringAPressKeepsEverythingSelected) {
  Load({u"<a><b><c>"});
  const LinePoint b = Centre(Node({1}));
  editor.OnLeftButtonDown(b.x, b.y);
  Press('A', true);
  EXPECT_FALSE(editor.mouseCaptured());
  // The release no longer counts as a click that ended selection mode under green boxes.
  editor.OnLeftButtonUp(b.x, b.y);
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_TRUE(Green(Node({0})));
  EXPECT_TRUE(Green(Node({2})));
  Type(u"z");
  EXPECT_EQ(Markup(), u"<z>");
}

}  // namespace
}  // namespace kav
