// The inline symbol-name box: opening it, the keys that close it and what a name inserts.
#include "edit/inline_box.h"

#include "editor_harness.h"

namespace kav {
namespace {

class InlineBoxTest : public EditorTest {
 protected:
  // Opens the box with Ctrl+G, then presses `virtualKey` in it with `text` typed.
  bool Name(std::u16string_view text, int32_t virtualKey = key::Return, bool ctrl = false) {
    Press('G', true);
    EXPECT_TRUE(host.inlineBoxVisible);
    return OnInlineBoxKey(editor, virtualKey, Modifiers{ctrl, false}, text);
  }
};

TEST_F(InlineBoxTest, AlphaTakesTheStyleTheStatisticsGive) {
  Load({u"<alpha|rm>"});
  Type(u"+");  // a commit: the counts are now this document's
  const int32_t records = HistorySize();
  EXPECT_TRUE(Name(u"alpha"));
  EXPECT_EQ(Markup(), u"<alpha|rm><+><alpha|rm>");
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_EQ(HistorySize(), records + 1);
  EXPECT_FALSE(host.inlineBoxVisible);
  EXPECT_EQ(host.focusRequests, 1);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<alpha|rm><+>");
}

TEST_F(InlineBoxTest, SpaceAndCtrlGInsertAsEnterDoes) {
  EXPECT_TRUE(Name(u"beta", key::Space));
  EXPECT_TRUE(Name(u"leq", 'G', true));
  EXPECT_TRUE(Name(u"Omega"));
  EXPECT_EQ(Markup(), u"<beta><leq><Omega>");
  EXPECT_TRUE(editor.document().modified);
}

TEST_F(InlineBoxTest, KeysThatOnlyCloseTheBox) {
  EXPECT_TRUE(Name(u"", 'G', true));  // Ctrl+G, Ctrl+G
  EXPECT_FALSE(host.inlineBoxVisible);
  EXPECT_TRUE(Name(u"alpha", key::Escape));
  EXPECT_TRUE(Name(u"Alpha"));  // no capital alpha in the table
  EXPECT_TRUE(Name(u"alph"));
  EXPECT_TRUE(Name(u""));
  EXPECT_TRUE(Name(u"alpha "));
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
  EXPECT_EQ(host.focusRequests, 6);
  EXPECT_EQ(host.CountCalls("HideInlineBox"), 6);
}

TEST_F(InlineBoxTest, OtherKeysGoToTheEditControl) {
  Press('G', true);
  EXPECT_FALSE(OnInlineBoxKey(editor, 'G', Modifiers{}, u"ome"));  // a plain g is typed
  EXPECT_FALSE(OnInlineBoxKey(editor, 'A', Modifiers{false, true}, u"ome"));
  EXPECT_FALSE(OnInlineBoxKey(editor, key::Back, Modifiers{}, u"alpha"));
  EXPECT_FALSE(OnInlineBoxKey(editor, key::Left, Modifiers{}, u"alpha"));
  EXPECT_FALSE(OnInlineBoxKey(editor, 'K', Modifiers{true, false}, u"alpha"));
  EXPECT_TRUE(host.inlineBoxVisible);
  EXPECT_EQ(host.focusRequests, 0);
  EXPECT_EQ(Markup(), u"");
  OnInlineBoxFocusLost(editor);
  EXPECT_FALSE(host.inlineBoxVisible);
  EXPECT_EQ(host.focusRequests, 0);
}

TEST_F(InlineBoxTest, StructuresByName) {
  EXPECT_TRUE(Name(u"frac"));
  EXPECT_EQ(Markup(), u"\\frac{}{}");
  EXPECT_EQ(Caret(), "0.0@0");  // in the numerator
  Type(u"x");
  EXPECT_EQ(Markup(), u"\\frac{<x>}{}");
  Load({u""});
  EXPECT_TRUE(Name(u"sqrt"));
  EXPECT_EQ(Markup(), u"\\sqrt{}");
  EXPECT_EQ(Caret(), "0.0@0");
  Load({u"<a>"});
  EXPECT_TRUE(Name(u"sum"));
  EXPECT_EQ(Markup(), u"<a>\\sum{}{}");
  EXPECT_EQ(Caret(), "1.0@0");  // in its empty lower limit
  Press(key::End);
  EXPECT_TRUE(Name(u"integral"));
  Press(key::End);
  EXPECT_TRUE(Name(u"prod"));
  Press(key::End);
  EXPECT_EQ(Markup(), u"<a>\\sum{}{}\\integral{}{}\\prod{}{}");
  EXPECT_TRUE(Name(u"lbrace"));
  EXPECT_TRUE(Name(u"vertbar"));
  EXPECT_EQ(Markup(), u"<a>\\sum{}{}\\integral{}{}\\prod{}{}<lbrace><vertbar>");
}

TEST_F(InlineBoxTest, ANameReplacesTheSelectionInOneUndoStep) {
  Load({u"<a><+><b>"});
  Press('A', true);
  EXPECT_TRUE(Name(u"pi"));
  EXPECT_EQ(Markup(), u"<pi>");
  EXPECT_EQ(HistorySize(), 1);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><+><b>");
}

TEST_F(InlineBoxTest, OnlyTheFirstFourteenCharactersAreRead) {
  Name(u"intersection");
  EXPECT_EQ(Markup(), u"<intersection>");
  // Cut to fourteen characters this is still not a name, and nothing past them is looked at.
  Name(u"intersectionxxalpha");
  EXPECT_EQ(Markup(), u"<intersection>");
}

TEST_F(InlineBoxTest, OpensFiftyPixelsBelowTheCaret) {
  Type(u"ab^2");
  Press(key::Right);
  Press(key::Left);
  Press(key::Left);  // before the superscript
  for (int32_t step = 0; step < 3; ++step) {
    host.inlineBoxVisible = false;
    if (step == 0) Press('G', true);
    if (step == 1) Press(key::Backslash);
    if (step == 2) editor.OnCommand(command::InsertGreek);
    EXPECT_TRUE(host.inlineBoxVisible) << step;
    EXPECT_EQ(host.inlineBoxX, host.caret.x) << step;
    EXPECT_EQ(host.inlineBoxY, host.caret.y + kInlineBoxDrop) << step;
  }
  Press(key::End);
  Press('G', true);
  EXPECT_EQ(host.inlineBoxX, host.caret.x);
  EXPECT_EQ(host.inlineBoxY, host.caret.y + kInlineBoxDrop);
  Press('K', true);  // an empty numerator: at the placeholder's corner
  Press('G', true);
  EXPECT_EQ(host.inlineBoxX, host.caret.x);
  EXPECT_EQ(host.inlineBoxY, host.caret.y + kInlineBoxDrop);
}

TEST_F(InlineBoxTest, AClickInTheViewClosesTheBoxWithoutInserting) {
  Type(u"ab");
  const int32_t records = HistorySize();
  Press('G', true);
  ASSERT_TRUE(host.inlineBoxVisible);
  editor.OnLeftButtonDown(host.caret.x, host.caret.y + 5);
  editor.OnLeftButtonUp(host.caret.x, host.caret.y + 5);
  EXPECT_FALSE(host.inlineBoxVisible);
  EXPECT_EQ(host.focusRequests, 1);
  EXPECT_EQ(Markup(), u"<a><b>");
  EXPECT_EQ(HistorySize(), records);
}

TEST_F(InlineBoxTest, BackslashWithShiftDoesNotOpenTheBox) {
  Press(key::Backslash, false, true);
  EXPECT_FALSE(host.inlineBoxVisible);
  Type(u"\\");
  EXPECT_FALSE(host.inlineBoxVisible);
  EXPECT_EQ(Markup(), u"");
}

TEST(InlineBoxKeys, Actions) {
  EXPECT_EQ(InlineBoxKeyActionOf(key::Return, false, true), InlineBoxKeyAction::CommitAndClose);
  EXPECT_EQ(InlineBoxKeyActionOf(key::Space, true, false), InlineBoxKeyAction::CommitAndClose);
  EXPECT_EQ(InlineBoxKeyActionOf(key::Escape, false, false), InlineBoxKeyAction::Close);
  EXPECT_EQ(InlineBoxKeyActionOf('G', true, true), InlineBoxKeyAction::Close);
  EXPECT_EQ(InlineBoxKeyActionOf('G', true, false), InlineBoxKeyAction::CommitAndClose);
  EXPECT_EQ(InlineBoxKeyActionOf('G', false, false), InlineBoxKeyAction::PassOn);
  EXPECT_EQ(InlineBoxKeyActionOf(key::Tab, false, false), InlineBoxKeyAction::PassOn);
}

}  // namespace
}  // namespace kav
