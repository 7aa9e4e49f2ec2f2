// Selecting with the keyboard as Windows programs do: Shift with the arrows, Home and End within
// a formula's structure and over lines, Ctrl+A over the whole document, and what Cut, Copy,
// Paste, Delete and typing then do; Ctrl+Home and Ctrl+End; Ctrl with the pad's + and -; plain
// Ctrl+V of another program's formula.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/failure.h"
#include "drag_harness.h"

namespace kav {
namespace {

struct Chord {
  int32_t key;
  bool ctrl = false;
  bool shift = false;
};

constexpr Chord kShiftLeft{key::Left, false, true};
constexpr Chord kShiftRight{key::Right, false, true};
constexpr Chord kShiftHome{key::Home, false, true};
constexpr Chord kShiftEnd{key::End, false, true};
constexpr Chord kShiftUp{key::Up, false, true};
constexpr Chord kShiftDown{key::Down, false, true};
constexpr Chord kHome{key::Home};
constexpr Chord kRight{key::Right};
constexpr Chord kLeft{key::Left};
constexpr Chord kDown{key::Down};

using Lines = std::vector<std::u16string>;

class KeySelectionTest : public DragTest {
 protected:
  void Chords(const std::vector<Chord>& chords) {
    for (const Chord& chord : chords) Press(chord.key, chord.ctrl, chord.shift);
  }
  std::u16string ClipboardMarkup() { return host.clipboard ? host.clipboard->markup : u"(none)"; }
  void PutOnClipboard(std::u16string markup) {
    host.clipboard = ClipboardPayloads{};
    host.clipboard->markup = std::move(markup);
  }
};

// Within one line: what the keys select, and what typing over it leaves.
TEST_F(KeySelectionTest, ShiftKeysSelectWholeItemsOfTheRowHoldingBothEnds) {
  struct Case {
    const char16_t* line;
    std::vector<Chord> keys;
    const char16_t* selected;
    const char16_t* typedOver;  // after typing z
  };
  const Case cases[] = {
      {u"<a><b><c>", {kShiftLeft, kShiftLeft}, u"<b><c>", u"<a><z>"},
      {u"<a><b><c>", {kShiftHome}, u"<a><b><c>", u"<z>"},
      {u"<a><b><c>", {kHome, kShiftEnd}, u"<a><b><c>", u"<z>"},
      // A structure is passed in one step and taken whole.
      {u"<x><+>\\frac{<a>}{<b>}<y>",
       {kHome, kRight, kShiftRight, kShiftRight},
       u"<+>\\frac{<a>}{<b>}",
       u"<x><z><y>"},
      // Inside a slot the selection stays there ...
      {u"\\frac{<a><b>}{<c>}<y>", {kHome, kRight, kShiftRight}, u"<a>", u"\\frac{<z><b>}{<c>}<y>"},
      // ... until it crosses the slot's edge: then the structure is selected whole.
      {u"<x>\\frac{<a><b>}{<c>}<y>",
       {kHome, kRight, kRight, kShiftEnd},
       u"\\frac{<a><b>}{<c>}<y>",
       u"<x><z>"},
      {u"<x>\\sqrt{<a><b>}",
       {kHome, kRight, kRight, kRight, kShiftLeft, kShiftLeft, kShiftLeft},
       u"<x>\\sqrt{<a><b>}",
       u"<z>"},
      // A script goes with its base.
      {u"<b>\\super{<2>}<x>", {kHome, kRight, kShiftRight}, u"<b>\\super{<2>}", u"<z><x>"},
  };
  for (const Case& c : cases) {
    Load({c.line});
    Chords(c.keys);
    const std::string name = EncodeUtf8(c.line);
    EXPECT_TRUE(editor.selectionMode()) << name;
    EXPECT_EQ(SelectedMarkup(), c.selected) << name;
    Type(u"z");
    EXPECT_EQ(Markup(), c.typedOver) << name;
    EXPECT_FALSE(editor.selectionMode()) << name;
    EXPECT_EQ(HistorySize(), 1) << name;
  }
}

// Where keys leave the caret and what they leave selected: back at its anchor a selection is
// empty, a plain key ends it, Left and Right leave a selection of lines at its ends.
TEST_F(KeySelectionTest, KeysPlaceTheCaretAndTheSelection) {
  struct Case {
    const char* label;
    Lines lines;
    std::vector<Chord> keys;
    int32_t line;
    const char* caret;
    const char16_t* selected;  // within the line
    std::optional<std::pair<int32_t, int32_t>> selectedLines;
  };
  const Lines row{u"<a><b><c>"};
  const Lines three{u"<a>", u"<b>", u"<c>"};
  const Lines ends{u"<a><b>", u"<c>", u"<d><e>"};
  constexpr Chord kBottom{key::End, true};
  constexpr Chord kShiftTop{key::Home, true, true};
  constexpr Chord kShiftBottom{key::End, true, true};
  const Case cases[] = {
      {"back to the anchor", row, {kShiftLeft, kShiftRight}, 0, "root@3", u"", {}},
      {"a plain key ends it", row, {kShiftLeft, kShiftLeft, kLeft}, 0, "root@1", u"", {}},
      {"Shift anew", row, {kShiftLeft, kShiftLeft, kLeft, kShiftLeft}, 0, "root@0", u"<a>", {}},
      {"Ctrl+A, Left", three, {{'A', true}, kLeft}, 0, "root@0", u"", {}},
      {"Ctrl+A, Right", three, {{'A', true}, kRight}, 2, "root@1", u"", {}},
      {"Ctrl+End", ends, {kDown, kBottom}, 2, "root@2", u"", {}},
      {"Ctrl+Home", ends, {kDown, kBottom, {key::Home, true}}, 0, "root@0", u"", {}},
      {"Ctrl+Shift+End", ends, {kDown, kShiftBottom}, 2, "root@2", u"", {{1, 2}}},
      {"Ctrl+Shift+Home", ends, {kDown, kShiftBottom, kShiftTop}, 0, "root@0", u"", {{0, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Load(c.lines);
    Chords(c.keys);
    EXPECT_EQ(Current(), c.line);
    EXPECT_EQ(Caret(), c.caret);
    EXPECT_EQ(editor.selectionMode(), *c.selected != u'\0' || c.selectedLines);
    EXPECT_EQ(SelectedMarkup(), c.selected);
    EXPECT_EQ(editor.SelectedLines(), c.selectedLines);
  }
}

TEST_F(KeySelectionTest, CutCopyAndDeleteActOnAKeyboardSelection) {
  Load({u"<a><+><b><c>"});
  Chords({kShiftLeft, kShiftLeft});
  Press('X', true);
  EXPECT_EQ(ClipboardMarkup(), u"<b><c>");
  EXPECT_EQ(Markup(), u"<a><+>");
  Press(key::Home);
  Press('V', true);
  EXPECT_EQ(Markup(), u"<b><c><a><+>");
  Chords({kShiftRight});
  Press('C', true);
  EXPECT_EQ(ClipboardMarkup(), u"<a>");
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<b><c><+>");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<b><c><a><+>");
}

TEST_F(KeySelectionTest, AStyleButtonStylesTheKeyboardSelectionAndKeepsIt) {
  Load({u"<a><b>"});
  Chords({kShiftLeft});
  editor.OnCommand(command::StyleHat);
  EXPECT_EQ(Markup(), u"<a><b|hat>");
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"<b|hat>");
  EXPECT_TRUE(Green(Node({1})));
  // Over lines: each line is styled, one undo step each.
  Load({u"<a>", u"<b>\\sqrt{<c>}"});
  Press('A', true);
  editor.OnCommand(command::StyleBold);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a|rmbold>", u"<b|rmbold>\\sqrt{<c|rmbold>}"}));
  EXPECT_EQ(editor.SelectedLines(), (std::pair<int32_t, int32_t>{0, 1}));
  EXPECT_EQ(HistorySize(), 2);
}

// Over several lines: the lines are selected whole and go, or come back, as lines.
TEST_F(KeySelectionTest, ShiftUpAndDownSelectWholeLines) {
  Load({u"<a>", u"<b><c>", u"<d>"});
  Press(key::Down);
  Press(key::Right);  // between b and c
  Chords({kShiftDown});
  EXPECT_EQ(editor.SelectedLines(), (std::pair<int32_t, int32_t>{1, 2}));
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(Caret(), "root@1");  // the end of <d>
  for (int32_t line : {1, 2}) {
    for (bool mark : editor.document().lines[line].selection.marks) EXPECT_TRUE(mark);
  }
  Press('C', true);
  EXPECT_EQ(ClipboardMarkup(), u"<b><c>\n<d>");
  // Back on the line it started from, the selection is what it was there: nothing.
  Chords({kShiftUp});
  EXPECT_FALSE(editor.SelectedLines());
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(Caret(), "root@1");
  Chords({kShiftUp, kShiftUp});
  EXPECT_EQ(editor.SelectedLines(), (std::pair<int32_t, int32_t>{0, 1}));
  Type(u"z");
  EXPECT_EQ(AllMarkup(), (Lines{u"<z>", u"<d>"}));
  EXPECT_FALSE(editor.SelectedLines());
  Press('Z', true);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"<b><c>", u"<d>"}));
  for (int32_t line : {0, 1}) {
    for (bool mark : editor.document().lines[line].selection.marks) EXPECT_FALSE(mark);
  }
}

TEST_F(KeySelectionTest, CtrlASelectsEveryLineAndDeleteLeavesOneEmptyLine) {
  for (const int32_t erase : {key::Delete, key::Back}) {
    Load({u"<a>", u"\\sqrt{<b>}", u""});
    Press('A', true);
    EXPECT_EQ(editor.SelectedLines(), (std::pair<int32_t, int32_t>{0, 2}));
    Press('C', true);
    EXPECT_EQ(ClipboardMarkup(), u"<a>\n\\sqrt{<b>}\n");
    // The caret ends on the last line, which is empty: not a reason to remove that line alone.
    Press(erase);
    EXPECT_EQ(AllMarkup(), (Lines{u""}));
    EXPECT_FALSE(editor.selectionMode());
    EXPECT_TRUE(editor.document().modified);
    for (int i = 0; i < 3; ++i) Press('Z', true);
    EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"\\sqrt{<b>}", u""}));
  }
}

// No structure can hold several lines, and a structure key never deletes: it goes in at the caret.
TEST_F(KeySelectionTest, AStructureKeyOverLinesTypesAtTheCaretRemovingNothing) {
  Load({u"<a>", u"<b>"});
  Press('A', true);
  Type(u"/");
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"\\frac{<b>}{}"}));
  EXPECT_FALSE(editor.SelectedLines());
}

TEST_F(KeySelectionTest, CutAndPasteOfLinesBringsThemBackAsLines) {
  Load({u"<a>", u"<b>", u"<c>"});
  Chords({kShiftDown});
  Press('X', true);
  EXPECT_EQ(ClipboardMarkup(), u"<a>\n<b>");
  EXPECT_EQ(AllMarkup(), (Lines{u"", u"<c>"}));
  Press(key::End, true);
  Press('V', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"", u"<c><a>", u"<b>"}));
  EXPECT_EQ(Current(), 2);
  // Pasted over a selection of lines, the lines are replaced.
  Press('A', true);
  PutOnClipboard(u"<x>\r\n<y>");
  Press('V', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>", u"<y>"}));
  // A bad line anywhere refuses the whole text before anything changes.
  PutOnClipboard(u"<p>\n<q");
  EXPECT_THROW(Press('V', true), Failure);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>", u"<y>"}));
}

// The pad's + and - type their character even with Ctrl held; the zoom chord drops it.
TEST_F(KeySelectionTest, CtrlWithThePadsPlusOrMinusOnlyZooms) {
  Load({u"<a>"});
  const int32_t zoom = editor.scale().zoom;
  Press(key::Add, true);
  Type(u"+");
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_GT(editor.scale().zoom, zoom);
  Press(key::Subtract, true);
  Type(u"-");
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(editor.scale().zoom, zoom);
  // Only the one character that follows the chord is dropped.
  Press(key::Add, true);
  Type(u"++");
  EXPECT_EQ(Markup(), u"<a><+>");
  Press(key::Add, true);
  Press(key::Add);
  Type(u"+");
  EXPECT_EQ(Markup(), u"<a><+><+>");
}

TEST_F(KeySelectionTest, PlainCtrlVReadsAnotherProgramsFormulaWhenNoKavFormulaIsThere) {
  Load({u"<a>"});
  host.clipboard.reset();
  host.clipboardUnicodeText = u"x^{2}";
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a><x>\\super{<2>}");
  // Refused as Ctrl+Shift+V refuses it.
  host.clipboardUnicodeText = u"\\binom{n}{k}";
  Press('V', true);
  const std::u16string refusal = host.statusText;
  EXPECT_NE(refusal, u"");
  host.statusText.clear();
  Press('V', true, true);
  EXPECT_EQ(host.statusText, refusal);
  EXPECT_EQ(Markup(), u"<a><x>\\super{<2>}");
  // A Kav formula on the clipboard comes first.
  PutOnClipboard(u"<y>");
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a><x>\\super{<2>}<y>");
}

}  // namespace
}  // namespace kav
