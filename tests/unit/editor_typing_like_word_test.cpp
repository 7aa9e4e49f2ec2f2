// Typing as Word's equation editor users type: what / takes as its numerator, scripts that end by
// themselves, big operators whose limits come first, and structures typed over a selection. Each
// row types its keys at the end of the second line of a document, below a line that must stay
// untouched, and reads the line back.
#include <string>

#include "drag_harness.h"
#include "edit/inline_box.h"

namespace kav {
namespace {

struct TypedCase {
  const char16_t* start;  // the line's markup before typing
  int32_t selectFrom;     // the root items [selectFrom, selectTo] selected first, or -1
  int32_t selectTo;
  const char16_t* keys;
  const char16_t* expected;
};

// Keys: characters as typed, a space as the space bar, "\name " through the inline name box,
// ⇥ Tab, ↑ Up, ↓ Down, → Right, √ Ctrl+R and ÷ Ctrl+K.
constexpr TypedCase kCases[] = {
    // The numerator is the operand before the /: Greek, scripts, brackets.
    {u"", -1, 0, u"\\pi /2", u"\\frac{<pi>}{<2>}"},
    {u"", -1, 0, u"\\pi ^2/6", u"\\frac{<pi>\\super{<2>}}{<6>}"},
    {u"", -1, 0, u"(a+b)/2", u"\\frac{<(><a><+><b><)>}{<2>}"},
    {u"", -1, 0, u"2(a+b)^2/4", u"<2>\\frac{<(><a><+><b><)>\\super{<2>}}{<4>}"},
    {u"", -1, 0, u"[x]/2", u"\\frac{<[><x><]>}{<2>}"},
    {u"", -1, 0, u"a+b)/2", u"\\frac{<a><+><b><)>}{<2>}"},
    {u"", -1, 0, u"a*b/c", u"<a><*>\\frac{<b>}{<c>}"},
    {u"", -1, 0, u"n!/2", u"\\frac{<n><!>}{<2>}"},
    {u"", -1, 0, u"x=1.5/y", u"<x><=>\\frac{<1><.><5>}{<y>}"},
    {u"", -1, 0, u"a,b/2", u"<a><,>\\frac{<b>}{<2>}"},
    // The cases that already took an operand.
    {u"", -1, 0, u"2x/3", u"\\frac{<2><x>}{<3>}"},
    {u"", -1, 0, u"a+b/c", u"<a><+>\\frac{<b>}{<c>}"},
    {u"", -1, 0, u"/1", u"\\frac{<1>}{}"},
    {u"", -1, 0, u"a/b\u2192/c", u"\\frac{<a>}{<b><c>}"},
    // A script of one number, letter or named symbol ends at an operator, relation, comma or
    // closing bracket; one opened with a bracket or holding more goes on.
    {u"", -1, 0, u"b^2-4ac", u"<b>\\super{<2>}<-><4><a><c>"},
    {u"", -1, 0, u"e^x+1", u"<e>\\super{<x>}<+><1>"},
    {u"", -1, 0, u"\\pi ^2/6", u"\\frac{<pi>\\super{<2>}}{<6>}"},
    {u"", -1, 0, u"x^12=y^1.5,z", u"<x>\\super{<1><2>}<=><y>\\super{<1><.><5>}<,><z>"},
    {u"", -1, 0, u"a_i+x_\\alpha ^2<1", u"<a>\\sub{<i>}<+><x>\\sub{<alpha>\\super{<2>}}<lt><1>"},
    {u"", -1, 0, u"(a^2)", u"<(><a>\\super{<2>}<)>"},
    {u"", -1, 0, u"2^(n+1)", u"<2>\\super{<(><n><+><1><)>}"},
    {u"", -1, 0, u"e^{-x^2}", u"<e>\\super{<lbrace><-><x>\\super{<2>}<rbrace>}"},
    {u"", -1, 0, u"x^ab+c", u"<x>\\super{<a><b><+><c>}"},
    {u"", -1, 0, u"x^2 +1", u"<x>\\super{<2>}<+><1>"},
    {u"", -1, 0, u"x^n!+1", u"<x>\\super{<n><!><+><1>}"},
    // Big operators: the caret starts in the lower limit; Tab goes on to the upper limit and the
    // operand; Up and Down move between them and stay in the line.
    {u"", -1, 0, u"\\sum i=1\u21e5n\u21e5i^2", u"\\sum{<i><=><1>}{<n>}<i>\\super{<2>}"},
    {u"", -1, 0, u"\\integral a\u21e5b\u21e5x", u"\\integral{<a>}{<b>}<x>"},
    {u"", -1, 0, u"\\prod k\u21e5\u21e5k", u"\\prod{<k>}{}<k>"},
    {u"<y><=>", -1, 0, u"\\sum \u2191x", u"<y><=>\\sum{}{}<x>"},
    {u"", -1, 0, u"\\sum \u2191\u2191n", u"\\sum{}{<n>}"},
    {u"", -1, 0, u"\\sum \u21e5n\u2193x", u"\\sum{}{<n>}<x>"},
    {u"", -1, 0, u"\\sum \u2191\u2193i", u"\\sum{<i>}{}"},
    {u"", -1, 0, u"\\sum \u2191\u2191n\u2193\u2193i", u"\\sum{<i>}{<n>}"},
    // A structure typed over a selection takes it in.
    {u"<a><+><b>", 0, 2, u"/c", u"\\frac{<a><+><b>}{<c>}"},
    {u"<a><+><b><c>", 2, 3, u"/2", u"<a><+>\\frac{<b><c>}{<2>}"},
    {u"<a><+><b>", 0, 2, u"\u00f7c", u"\\frac{<a><+><b>}{<c>}"},
    {u"<a><+><b>", 0, 2, u"\u221ac", u"\\sqrt{<a><+><b><c>}"},
    {u"<x><+><y>", 2, 2, u"\\sqrt ", u"<x><+>\\sqrt{<y>}"},
    {u"<x><+><y>", 0, 0, u"^2", u"<x>\\super{<2>}<+><y>"},
    {u"<x><+><y>", 2, 2, u"_i", u"<x><+><y>\\sub{<i>}"},
    {u"<a><+><b>", 0, 2, u"^2", u"<(><a><+><b><)>\\super{<2>}"},
    {u"<a><+><b>", 0, 2, u"_n", u"<(><a><+><b><)>\\sub{<n>}"},
    {u"<(><a><)><(><b><)>", 3, 5, u"^2", u"<(><a><)><(><b><)>\\super{<2>}"},
    {u"<(><a><)><(><b><)>", 0, 5, u"^2", u"<(><(><a><)><(><b><)><)>\\super{<2>}"},
    {u"<a><+><b>", 0, 2, u"(c", u"<(><a><+><b><)><c>"},
    {u"<a><+><b>", 1, 2, u"[", u"<a><[><+><b><]>"},
    {u"<a><+><b>", 0, 0, u"{", u"<lbrace><a><rbrace><+><b>"},
    {u"<a><+><b>", 0, 2, u"c", u"<c>"},
};

class TypingLikeWordTest : public DragTest {
 protected:
  // A drag from the middle of one item's top to the middle of another's bottom.
  void Select(int32_t from, int32_t to) {
    const NodeData& first = editor.CurrentLine().tree.Data(Node({from}));
    const NodeData& last = editor.CurrentLine().tree.Data(Node({to}));
    Drag(Inside(Node({from}), first.width / 2, 2),
         Inside(Node({to}), last.width / 2, last.height - 2));
  }

  // Types the key that starts at `i` (a whole name for the inline box) and returns where the
  // next one starts.
  size_t TypeKey(std::u16string_view keys, size_t i) {
    const char16_t c = keys[i];
    if (c == u'\\') {
      const size_t end = keys.find(u' ', i);
      Press(key::Backslash);
      OnInlineBoxKey(editor, key::Return, Modifiers{}, keys.substr(i + 1, end - i - 1));
      return end + 1;
    }
    if (c == u' ') {
      Press(key::Space);
    } else if (!PressNamed(c)) {
      editor.OnChar(c);
    }
    return i + 1;
  }

  bool PressNamed(char16_t c) {
    struct Named {
      char16_t name;
      int32_t key;
      bool ctrl;
    };
    static constexpr Named kNamed[] = {
        {u'\u21e5', key::Tab, false},   {u'\u2191', key::Up, false}, {u'\u2193', key::Down, false},
        {u'\u2192', key::Right, false}, {u'\u221a', 'R', true},      {u'\u00f7', 'K', true}};
    for (const Named& named : kNamed) {
      if (named.name == c) Press(named.key, named.ctrl);
      if (named.name == c) return true;
    }
    return false;
  }
};

TEST_F(TypingLikeWordTest, TypedKeysBuildWhatWordBuilds) {
  for (const TypedCase& typed : kCases) {
    SCOPED_TRACE(EncodeUtf8(typed.keys));
    Load({u"<q>", typed.start});
    Press(key::Down);
    Press(key::End);
    if (typed.selectFrom >= 0) {
      Select(typed.selectFrom, typed.selectTo);
      ASSERT_TRUE(editor.selectionMode());
    }
    const int32_t records = HistorySize();
    size_t next = TypeKey(typed.keys, 0);
    // A structure over a selection is one step.
    if (typed.selectFrom >= 0) {
      EXPECT_EQ(HistorySize(), records + 1);
    }
    while (typed.keys[next] != 0) next = TypeKey(typed.keys, next);
    EXPECT_EQ(Markup(), typed.expected);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(MarkupOf(0), u"<q>");
    for (int32_t i = HistorySize(); i > records; --i) editor.OnCommand(command::Undo);
    EXPECT_EQ(Markup(), typed.start);
  }
}

}  // namespace
}  // namespace kav
