// A node's boxes are the run of consecutive boxes that name it, however many a layout draws: a
// root drawn as one glyph, a placeholder drawn with two lines, a letter with its accent apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "drag_harness.h"
#include "edit/selection.h"

namespace kav {
namespace {

// The line's root row holds a placeholder (before the leading script), the script, c, the root.
constexpr const char16_t* kLine = u"\\super{<2>}<c>\\sqrt{<d>}";
enum Item { kPlaceholder, kScript, kC, kRoot };

class NodeBoxesTest : public DragTest {
 protected:
  // Boxes 100 units apart, 50 wide and high, each drawing the root row's item of that index.
  void DrawItems(const std::vector<Item>& items) {
    EquationLine& line = editor.CurrentLine();
    line.boxes.clear();
    for (size_t i = 0; i < items.size(); ++i) {
      LayoutBox box;
      box.code = 'x';
      box.x = static_cast<int32_t>(100 * i);
      box.width = 50;
      box.height = 50;
      box.node = Node({items[i]});
      line.boxes.push_back(box);
    }
    ClearMarks(line);
    line.tree.Data(line.tree.root).width = static_cast<int32_t>(100 * items.size());
  }
};

TEST_F(NodeBoxesTest, ARectangleMarksTheBoxesOfTheNodesWhoseFirstBoxItTouches) {
  const struct {
    const char* label;
    std::vector<Item> items;
    int32_t touchedBox;
    std::vector<bool> marks;
  } cases[] = {
      {"a root drawn as one glyph: the letter after it is its own", {kRoot, kC}, 1, {false, true}},
      {"a placeholder drawn with two lines", {kPlaceholder, kPlaceholder, kC}, 2,
       {false, false, true}},
      {"a letter with its accent as a second box", {kC, kC, kRoot}, 0, {true, true, false}},
      {"the second stroke of a root alone decides nothing", {kRoot, kRoot, kC}, 1,
       {false, false, false}},
      {"a root's two strokes go together", {kC, kRoot, kRoot}, 1, {false, true, true}},
  };
  for (const auto& c : cases) {
    Load({kLine});
    DrawItems(c.items);
    EquationLine& line = editor.CurrentLine();
    const int32_t x = 100 * c.touchedBox + 10;
    MarkBoxesInRect(line, LineRect{x, 10, x + 5, 20});
    EXPECT_EQ(line.selection.marks, c.marks) << c.label;
  }
}

TEST_F(NodeBoxesTest, AClickFindsTheLetterAfterARootDrawnWithOneBox) {
  const struct {
    const char* label;
    std::vector<Item> items;
    int32_t position;  // the caret's place in the root row after a click on c's left half
  } cases[] = {
      {"root as one glyph", {kRoot, kC}, 2},
      {"placeholder as two lines", {kPlaceholder, kPlaceholder, kC}, 2},
      {"letter and accent, then a root", {kC, kC, kRoot}, 2},
  };
  for (const auto& c : cases) {
    Load({kLine});
    DrawItems(c.items);
    const LinePoint origin = editor.LineOrigin(editor.document().currentLine);
    const int32_t cBox = static_cast<int32_t>(
        std::find(c.items.begin(), c.items.end(), kC) - c.items.begin());
    editor.HitTest(origin.x + 100 * cBox + 20, origin.y + 25);
    const auto& caret = editor.CurrentLine().caret;
    EXPECT_EQ(caret.node, editor.CurrentLine().tree.root) << c.label;
    EXPECT_EQ(caret.position, c.position) << c.label;
  }
}

}  // namespace
}  // namespace kav
