// Cut and paste through the private clipboard text: what a cut leaves and publishes, where the
// pasted items go, and the pastes that must change nothing.
#include "base/failure.h"
#include "drag_harness.h"

namespace kav {
namespace {

class CutPasteTest : public DragTest {
 protected:
  void PutOnClipboard(std::u16string markup) {
    host.clipboard = ClipboardPayloads{};
    host.clipboard->markup = std::move(markup);
  }
  std::u16string ClipboardMarkup() { return host.clipboard ? host.clipboard->markup : u"(none)"; }
};

TEST_F(CutPasteTest, CutThenPasteInTheSamePlaceGivesBackTheSameText) {
  constexpr char16_t kLine[] = u"<a><+>\\frac{<b>}{<c>}<=><d>";
  Load({kLine});
  Drag(Centre(Node({1})), Centre(Node({2, 1, 0})));
  Press('X', true);
  EXPECT_EQ(ClipboardMarkup(), u"<+>\\frac{<b>}{<c>}");
  EXPECT_EQ(Markup(), u"<a><=><d>");
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_FALSE(editor.selectionMode());
  Press('V', true);
  EXPECT_EQ(Markup(), kLine);
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_EQ(HistorySize(), 2);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><=><d>");
  Press('Z', true);
  EXPECT_EQ(Markup(), kLine);
}

TEST_F(CutPasteTest, PastedItemsKeepTheirStylesAndGoWhereTheCaretIs) {
  Load({u"<a|rm>\\red<b|hat><c>"});
  Drag(Centre(Node({0})), Centre(Node({1})));
  Press('C', true);
  Press(key::End);
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a|rm>\\red<b|hat><c><a|rm>\\red<b|hat>");
  EXPECT_EQ(Caret(), "root@5");
  // Into an empty slot: the placeholder gives way.
  Load({u"\\frac{}{<c>}"});
  PutOnClipboard(u"<x>\\sqrt{<y>}");
  Press(key::Home);
  Press(key::Right);
  ASSERT_EQ(Caret(), "0.0@0");
  Press('V', true);
  EXPECT_EQ(Markup(), u"\\frac{<x>\\sqrt{<y>}}{<c>}");
  EXPECT_EQ(Caret(), "0.0@2");
}

TEST_F(CutPasteTest, PastingOverASelectionReplacesIt) {
  Load({u"<a><b><c><d>"});
  PutOnClipboard(u"<x><y>");
  Drag(Centre(Node({1})), Centre(Node({2})));
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a><x><y><d>");
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(CutPasteTest, AScriptPastedAtTheStartOfARowKeepsItsPlaceholderBase) {
  PutOnClipboard(u"\\super{<2>}<x>");
  Press('V', true);
  EXPECT_EQ(Markup(), u"\\super{<2>}<x>");
  const EquationTree& tree = editor.CurrentLine().tree;
  EXPECT_EQ(tree.CodeAt(tree.Child(tree.root, 0)), code::Placeholder);
  EXPECT_EQ(Caret(), "root@3");
  Type(u"y");
  EXPECT_EQ(Markup(), u"\\super{<2>}<x><y>");
}

TEST_F(CutPasteTest, CopyOfNothingThenPasteChangesAndRecordsNothing) {
  Load({u"<a><b>"});
  Press('C', true);
  EXPECT_EQ(ClipboardMarkup(), u"");
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a><b>");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
}

// A paste replaces the selection with the clipboard's items, even when there are none.
TEST_F(CutPasteTest, PastingNothingOverASelectionRemovesIt) {
  Load({u"<a><b><c>", u"<d>"});
  PutOnClipboard(u"");
  Drag(Centre(Node({0})), Centre(Node({1})));
  Press('V', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<c>", u"<d>"}));
  EXPECT_EQ(Caret(), "root@0");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 1);
  EXPECT_TRUE(editor.document().modified);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><b><c>");
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<c>");
  // Over the whole document: one line stays, emptied; each line removed is a step of its own.
  Press('A', true);
  Press('V', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u""}));
  EXPECT_EQ(HistorySize(), 3);
}

TEST_F(CutPasteTest, RejectedClipboardTextChangesNothing) {
  Load({u"<a><b><c>"});
  Drag(Centre(Node({0})), Centre(Node({1})));
  for (const char16_t* text : {u"<x", u"\\frac{<x>}", u"<x>\\unknown"}) {
    PutOnClipboard(text);
    try {
      Press('V', true);
      ADD_FAILURE() << "accepted";
    } catch (const Failure& failure) {
      EXPECT_FALSE(failure.text.empty());
    }
    EXPECT_EQ(Markup(), u"<a><b><c>");
    EXPECT_TRUE(editor.selectionMode());
    EXPECT_EQ(SelectedMarkup(), u"<a><b>");
    EXPECT_EQ(HistorySize(), 0);
    EXPECT_FALSE(editor.document().modified);
  }
}

TEST_F(CutPasteTest, WithNothingToReadPasteDoesNothing) {
  Load({u"<a>"});
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a>");
  PutOnClipboard(u"<x>");
  host.clipboardLocked = true;
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(HistorySize(), 0);
}

TEST_F(CutPasteTest, ACutTheClipboardRefusesRemovesNothing) {
  Load({u"<a><b><c>"});
  Drag(Centre(Node({0})), Centre(Node({1})));
  host.clipboardLocked = true;
  Press('X', true);
  EXPECT_EQ(Markup(), u"<a><b><c>");
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"<a><b>");
  EXPECT_FALSE(host.statusText.empty());
  EXPECT_EQ(HistorySize(), 0);
}

TEST_F(CutPasteTest, APasteThatWouldNestTooDeepIsRefused) {
  std::u16string deep;
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"\\sqrt{";
  deep += u"<x>";
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"}";
  PutOnClipboard(deep);
  Press('V', true);  // fits at the top level
  EXPECT_EQ(Markup(), deep);
  Load({u"\\sqrt{<a>}"});
  Press(key::Home);
  Press(key::Right);
  ASSERT_EQ(Caret(), "0.0@0");
  Press('V', true);
  EXPECT_EQ(Markup(), u"\\sqrt{<a>}");
  EXPECT_EQ(host.statusText, u"Nesting too deep");
  EXPECT_EQ(HistorySize(), 0);
}

TEST_F(CutPasteTest, PasteMarkupInsertsAtTheCaretOrThrowsChangingNothing) {
  Load({u"<a><b>"});
  Press(key::Left);
  editor.PasteMarkup(u"<+><c>");
  EXPECT_EQ(editor.CurrentLine().tree.ChildCount(editor.CurrentLine().tree.root), 4);
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_THROW(editor.PasteMarkup(u"\\sqrt"), Failure);
  EXPECT_EQ(editor.CurrentLine().tree.ChildCount(editor.CurrentLine().tree.root), 4);
}

}  // namespace
}  // namespace kav
