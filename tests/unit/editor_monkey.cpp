// The monkey's events and the rules it checks after each of them.
#include "editor_monkey.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>

#include "base/failure.h"
#include "base/utf.h"
#include "edit/inline_box.h"
#include "edit/palette.h"
#include "model/document_file.h"
#include "recording_canvas.h"
#include "typeset/paint.h"

namespace kav {
namespace {

constexpr int32_t kKeys[] = {key::Back,   key::Tab,      key::Return, key::Escape, key::Space,
                             key::PageUp, key::PageDown, key::End,    key::Home,   key::Left,
                             key::Up,     key::Right,    key::Down,   key::Delete, key::Backslash,
                             'A',         'C',           'D',         'G',         'K',
                             'N',         'O',           'R',         'S',         'V',
                             'W',         'X',           'Y',         'Z',         16,
                             17,          112,           0,           255};

constexpr int32_t kCommands[] = {command::Open,
                                 command::Save,
                                 command::SaveAs,
                                 command::NewLine,
                                 command::DuplicateLine,
                                 command::Undo,
                                 command::Redo,
                                 command::Cut,
                                 command::Copy,
                                 command::Paste,
                                 command::InsertFraction,
                                 command::InsertRoot,
                                 command::InsertGreek,
                                 command::CopyAsTex,
                                 command::CopyAsLatex,
                                 command::Manual,
                                 command::StyleRoman,
                                 command::StyleBold,
                                 command::StyleItalic,
                                 command::StyleVector,
                                 command::StyleHat,
                                 command::StyleBar,
                                 command::StyleTilde,
                                 command::StyleRed,
                                 command::TogglePalette,
                                 0,
                                 1,
                                 20003,
                                 20013,
                                 40000,
                                 40021,
                                 65535};

// Characters as WM_CHAR delivers them: letters, digits, operators, the structure keys and odd
// units (controls, a lone surrogate, non-ASCII letters).
constexpr char16_t kOddCharacters[] = {
    u'^', u'_', u'/', u'\\', u'+', u'-',  u'=',   u'(',   u')',   u'[',  u']',  u'{',
    u'}', u'<', u'>', u'|',  u',', u'.',  u';',   u':',   u'!',   u'?',  u'\'', u'"',
    u'*', u'&', u'%', u'$',  u'#', u'@',  u'~',   u'`',   u' ',   0,     1,     8,
    9,    13,   27,   0x7F,  0xE9, 0x3B1, 0xD800, 0xDC00, 0xFFFF, 0x2211};

constexpr std::u16string_view kClipboardTexts[] = {
    u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}",
    u"\\sum{<i>=<1>}{<n>}\\prod{}{}\\integral{<a>}{<b>}\\sqrt{<x>}\\sub{<1>}\\none",
    u"\\red\\frac{\\red<a|hat>}{<b>}\\sqrt\\red{<c>}\\red\\none<d>\\red",
    u"\\super{<2>}",
    u"\\sub{<i>}<x>",
    u"",
    u"{{{",
    u"<ab>",
    u"\\sqrt{<alpha|rm",
};

constexpr std::u16string_view kTypedTexts[] = {
    u"x^2", u"a/b", u"a_i^2", u"(a+b)/c", u"x^^",   u"__",      u"//",
    u"{x}", u"|x|", u"a<b",   u"b^2-4ac", u"e^x+1", u"2^(n+1)", u"(a)^2/2",
};

constexpr std::u16string_view kPaths[] = {u"a.kav", u"b.kav", u"missing.kav", u"bad.kav",
                                          u"locked.kav"};

int32_t ArgumentCount(SymbolCode c) {
  if (c == code::Frac || IsBigOperator(c)) return 2;
  if (c == code::Super || c == code::Sub || c == code::Sqrt) return 1;
  return 0;
}

// The shape every committed tree keeps: groups and items alternate, structures have their
// slots, no group is empty (a placeholder fills it) and none starts with a script.
std::string CheckShape(const EquationTree& tree, int32_t node, int32_t depth) {
  if (depth > 2 * kMaxStructureNesting + 4) return "tree nests deeper than the limit";
  const SymbolCode c = tree.CodeAt(node);
  const int32_t count = tree.ChildCount(node);
  if (c == code::Group) {
    if (count == 0) return "empty group";
    const SymbolCode first = tree.CodeAt(tree.Child(node, 0));
    if (first == code::Super || first == code::Sub) return "group starts with a script";
  } else if (count != ArgumentCount(c)) {
    return "structure with a wrong number of slots";
  }
  for (int32_t child : tree.Children(node)) {
    if (tree.Parent(child) != node) return "broken parent link";
    if ((tree.CodeAt(child) == code::Group) != (c != code::Group)) return "groups do not alternate";
    std::string broken = CheckShape(tree, child, depth + 1);
    if (!broken.empty()) return broken;
  }
  return {};
}

// The failures a handler may raise for the window to report: the reader's texts for a rejected
// paste and the writers' texts for a symbol they cannot export.
bool IsReportedFailure(std::u16string_view text) {
  static constexpr std::u16string_view kTexts[] = {u"Unknown escape sequence",
                                                   u"Unexpected char",
                                                   u"Expected {",
                                                   u"Expected }",
                                                   u"Expected >",
                                                   u"Name too long",
                                                   u"Nesting too deep",
                                                   u"Unknown letter ",
                                                   u"Unknown letter {",
                                                   u"Hwp:: Unknown ch",
                                                   u"OOXML: Unknown token",
                                                   u"Unsupported unicode char"};
  return std::find(std::begin(kTexts), std::end(kTexts), text) != std::end(kTexts);
}

// Letters, digits and named symbols of the line: what no structure key may take away.
int32_t SymbolCount(const EquationTree& tree) {
  int32_t count = 0;
  tree.CollectSubtree(tree.root, [&](int32_t node) { count += IsLetterCode(tree.CodeAt(node)); });
  return count;
}

// The caret stands in a limit of a big operator whose other limit or operand lies the way of
// `virtualKey`, or just after a big operator whose limit on that side is shown.
bool LimitInReach(const EquationTree& tree, const Caret& caret, int32_t virtualKey) {
  const int32_t towards = virtualKey == key::Up ? 1 : 0;
  const int32_t structure = caret.node >= 0 ? tree.Parent(caret.node) : -1;
  if (structure >= 0 && IsBigOperator(tree.CodeAt(structure))) {
    return caret.node == tree.Child(structure, 1 - towards);
  }
  const int32_t before = caret.position > 0 ? tree.Child(caret.node, caret.position - 1) : -1;
  return before >= 0 && IsBigOperator(tree.CodeAt(before)) &&
         LimitShown(tree, tree.Child(before, towards));
}

bool Attached(const EquationTree& tree, int32_t node) {
  for (int32_t steps = 0; node >= 0; ++steps) {
    if (node == tree.root) return true;
    if (steps > static_cast<int32_t>(tree.nodes.size())) return false;
    node = tree.Parent(node);
  }
  return false;
}

std::string Narrow(std::u16string_view text) {
  return EncodeUtf8(text);
}

std::string Joined(const std::vector<std::u16string>& lines) {
  std::string text;
  for (const std::u16string& line : lines) {
    text += '[';
    text += Narrow(line);
    text += ']';
  }
  return text;
}

}  // namespace

int32_t ChoiceBytes::Pick(int32_t count) {
  if (count <= 1) return 0;
  uint32_t value = 0;
  const int32_t width = count > 256 ? 2 : 1;
  for (int32_t i = 0; i < width && next_ < bytes_.size(); ++i) value = value << 8 | bytes_[next_++];
  return static_cast<int32_t>(value % static_cast<uint32_t>(count));
}

EditorMonkey::EditorMonkey() {
  host_.files[u"bad.kav"] = {'@', '@', '3', '\n', '@', '{', '{', '\n', 0xFF, 0xFE};
  host_.unwritable.push_back(u"locked.kav");
  editor_.PlaceCaret();
  editor_.UpdateScroll();
  NoteHistoryStart();
}

std::string EditorMonkey::Step(ChoiceBytes& choices) {
  std::string described;
  try {
    described = Dispatch(choices);
  } catch (const Failure& failure) {
    // The window shows these in the status bar and carries on from the state reached.
    described = "an event that failed with " + Narrow(failure.text);
    if (!IsReportedFailure(failure.text)) escaped_ = described;
    host_.SetStatusText(failure.text);
  } catch (const std::exception& exception) {
    escaped_ = std::string("exception escaped the editor: ") + exception.what();
  }
  NoteHistoryStart();
  return described;
}

std::string EditorMonkey::Dispatch(ChoiceBytes& choices) {
  // Weights: typing and keys most, then the mouse; dialogs least, since an opened document
  // empties the history that the final undo check walks.
  const int32_t kind = choices.Pick(32);
  if (kind < 8) return CharEvent(choices);
  if (kind < 15) return KeyEvent(choices);
  if (kind < 18) return CommandEvent(choices);
  if (kind < 22) return MouseEvent(choices);
  if (kind < 24) return DragEvent(choices);
  if (kind < 26) return ViewEvent(choices);
  if (kind < 27) return ClipboardEvent(choices);
  if (kind < 29) return InlineBoxEvent(choices);
  if (kind < 30) return DialogEvent(choices);
  if (kind < 31) return choices.Pick(4) ? NestEvent(choices) : DownRunEvent(choices);
  return TypeEvent(choices);
}

std::string EditorMonkey::CharEvent(ChoiceBytes& choices) {
  char16_t c = 0;
  switch (choices.Pick(3)) {
    case 0: c = static_cast<char16_t>(u'a' + choices.Pick(26)); break;
    case 1:
      c = static_cast<char16_t>(choices.Pick(2) ? u'0' + choices.Pick(10)
                                                : u'A' + choices.Pick(26));
      break;
    default: c = kOddCharacters[choices.Pick(std::size(kOddCharacters))]; break;
  }
  const int32_t symbols = SymbolCount(editor_.CurrentLine().tree);
  const bool overSelection = editor_.selectionMode();
  editor_.OnChar(c);
  CheckTyped(c, symbols, overSelection);
  // A typed symbol ends in a commit, after which the style counts are the document's own.
  checkStyles_ = c < 128 && std::isalnum(c);
  return "OnChar " + std::to_string(c);
}

std::string EditorMonkey::KeyEvent(ChoiceBytes& choices) {
  const int32_t virtualKey = kKeys[choices.Pick(std::size(kKeys))];
  const int32_t held = choices.Pick(4);
  const Modifiers modifiers{(held & 1) != 0, (held & 2) != 0};
  const EquationLine& line = editor_.CurrentLine();
  const bool plain = held == 0 && !editor_.selectionMode();
  const bool inReach = plain && LimitInReach(line.tree, line.caret, virtualKey);
  const int32_t lineBefore = editor_.document().currentLine;
  const int32_t symbols = SymbolCount(line.tree);
  editor_.OnKeyDown(virtualKey, modifiers);
  CheckVerticalMove(virtualKey, lineBefore, inReach);
  if (held == 1 && (virtualKey == 'K' || virtualKey == 'R')) CheckTyped(u'/', symbols, true);
  return "OnKeyDown " + std::to_string(virtualKey) + (modifiers.ctrl ? " ctrl" : "") +
         (modifiers.shift ? " shift" : "");
}

std::string EditorMonkey::CommandEvent(ChoiceBytes& choices) {
  if (choices.Pick(4) == 0) {
    const int32_t entry = choices.Pick(static_cast<int32_t>(SymbolTable().size()) + 2) - 1;
    const std::u16string markup = editor_.CurrentLine().markup;
    host_.statusText.clear();
    OnPaletteCommand(editor_, kPaletteCommandBase + entry);
    const bool bigOperator = entry >= 0 && entry < static_cast<int32_t>(SymbolTable().size()) &&
                             IsBigOperator(SymbolTable()[entry].code);
    if (bigOperator) CheckBigOperatorEntered(markup);
    return "OnPaletteCommand " + std::to_string(entry);
  }
  const int32_t id = kCommands[choices.Pick(std::size(kCommands))];
  editor_.OnCommand(id);
  return "OnCommand " + std::to_string(id);
}

// A point mostly near a line, so that presses land on its items; sometimes anywhere, sometimes
// far outside the window as the signed 16-bit coordinates of a captured drag can be.
LinePoint EditorMonkey::PickPoint(ChoiceBytes& choices) {
  const auto count = static_cast<int32_t>(editor_.document().lines.size());
  switch (choices.Pick(4)) {
    case 0: return {choices.Pick(1000) - 100, choices.Pick(800) - 100};
    case 1: return {choices.Pick(65536) - 32768, choices.Pick(65536) - 32768};
    default: {
      const LinePoint origin = editor_.LineOrigin(choices.Pick(count));
      return {origin.x + choices.Pick(400) - 40, origin.y + choices.Pick(120) - 30};
    }
  }
}

std::string EditorMonkey::MouseEvent(ChoiceBytes& choices) {
  const LinePoint p = PickPoint(choices);
  const std::string at = " " + std::to_string(p.x) + " " + std::to_string(p.y);
  switch (choices.Pick(5)) {
    case 0: editor_.OnLeftButtonDown(p.x, p.y); return "OnLeftButtonDown" + at;
    case 1: editor_.OnMouseMove(p.x, p.y); return "OnMouseMove" + at;
    case 2: editor_.OnLeftButtonUp(p.x, p.y); return "OnLeftButtonUp" + at;
    case 3: editor_.OnCaptureLost(); return "OnCaptureLost";
    default:
      editor_.OnLeftButtonDown(p.x, p.y);
      editor_.OnLeftButtonUp(p.x, p.y);
      return "click" + at;
  }
}

std::string EditorMonkey::DragEvent(ChoiceBytes& choices) {
  LinePoint p = PickPoint(choices);
  std::string described = "drag " + std::to_string(p.x) + " " + std::to_string(p.y);
  editor_.OnLeftButtonDown(p.x, p.y);
  const int32_t moves = choices.Pick(4) + 1;
  for (int32_t i = 0; i < moves; ++i) {
    p = PickPoint(choices);
    described += " to " + std::to_string(p.x) + " " + std::to_string(p.y);
    editor_.OnMouseMove(p.x, p.y);
  }
  if (choices.Pick(6) == 0) {
    editor_.OnCaptureLost();
    return described + " lost";
  }
  editor_.OnLeftButtonUp(p.x, p.y);
  return described;
}

std::string EditorMonkey::ViewEvent(ChoiceBytes& choices) {
  switch (choices.Pick(3)) {
    case 0: {
      const int32_t delta = choices.Pick(65536) - 32768;
      editor_.OnMouseWheel(delta);
      return "OnMouseWheel " + std::to_string(delta);
    }
    case 1: {
      const int32_t request = choices.Pick(10);
      const int32_t track = choices.Pick(2) ? choices.Pick(2000) : choices.Pick(65536) * 32768;
      editor_.OnVerticalScroll(static_cast<ScrollRequest>(request), track);
      return "OnVerticalScroll " + std::to_string(request) + " " + std::to_string(track);
    }
    default:
      // The window was resized (down to nothing when minimized).
      host_.clientSize = choices.Pick(4) ? ClientSize{800, 600}
                                         : ClientSize{choices.Pick(1200), choices.Pick(900)};
      editor_.PlaceCaret();
      editor_.UpdateScroll();
      return "resize " + std::to_string(host_.clientSize.width) + " " +
             std::to_string(host_.clientSize.height);
  }
}

// Another program's clipboard: a markup text (some of them rejected), a text built from the
// bytes, nothing at all, or a clipboard held open elsewhere.
std::string EditorMonkey::ClipboardEvent(ChoiceBytes& choices) {
  switch (choices.Pick(5)) {
    case 0: {
      std::u16string text(kClipboardTexts[choices.Pick(std::size(kClipboardTexts))]);
      host_.clipboard = ClipboardPayloads{text, {}, {}, {}};
      return "clipboard " + Narrow(text);
    }
    case 1: {
      std::u16string text;
      for (int32_t n = choices.Pick(24); n > 0; --n)
        text.push_back(u"<>{}|\\ab^rmsqrtfrac12"[choices.Pick(21)]);
      host_.clipboard = ClipboardPayloads{text, {}, {}, {}};
      return "clipboard " + Narrow(text);
    }
    case 2: host_.clipboard.reset(); return "clipboard emptied";
    case 3:
      host_.clipboardLocked = !host_.clipboardLocked;
      return host_.clipboardLocked ? "clipboard locked" : "clipboard unlocked";
    default: {
      // Nested as deep as the reader allows, or one deeper.
      const int32_t depth = kMaxStructureNesting - 1 + choices.Pick(3);
      std::u16string text;
      for (int32_t i = 0; i < depth; ++i) text += u"\\sqrt{";
      text += u"<x>" + std::u16string(depth, u'}');
      host_.clipboard = ClipboardPayloads{text, {}, {}, {}};
      return "clipboard nested " + std::to_string(depth);
    }
  }
}

// Opens the box as the user does, then closes it with a key or by leaving it; the name typed is
// a table name, a near miss or nothing.
std::string EditorMonkey::InlineBoxEvent(ChoiceBytes& choices) {
  if (choices.Pick(2)) {
    editor_.OnKeyDown('G', Modifiers{true, false});
  } else {
    editor_.OnKeyDown(key::Backslash, Modifiers{});
  }
  const auto table = SymbolTable();
  std::u16string text;
  switch (choices.Pick(4)) {
    case 0: break;
    case 1: text = u"alphaalphaalphaalpha"; break;
    default: text = std::u16string(table[choices.Pick(static_cast<int32_t>(table.size()))].name);
  }
  if (choices.Pick(5) == 0) {
    OnInlineBoxFocusLost(editor_);
    return "inline box left";
  }
  constexpr int32_t kBoxKeys[] = {key::Return, key::Space, key::Escape, 'G', 'A', key::Back};
  const int32_t virtualKey = kBoxKeys[choices.Pick(std::size(kBoxKeys))];
  const bool ctrl = choices.Pick(2) != 0;
  OnInlineBoxKey(editor_, virtualKey, Modifiers{ctrl, false}, text);
  return "inline box " + Narrow(text) + " key " + std::to_string(virtualKey) +
         (ctrl ? " ctrl" : "");
}

// Answers for the next questions and dialogs, queued as the user would give them.
std::string EditorMonkey::DialogEvent(ChoiceBytes& choices) {
  switch (choices.Pick(4)) {
    case 0: {
      const auto answer = static_cast<Answer>(choices.Pick(3));
      host_.answers.push_back(answer);
      return "answer " + std::to_string(static_cast<int>(answer));
    }
    case 1:
    case 2: {
      std::optional<std::u16string> path;
      if (choices.Pick(4)) path = std::u16string(kPaths[choices.Pick(std::size(kPaths))]);
      auto& queue = choices.Pick(2) ? host_.openPaths : host_.savePaths;
      queue.push_back(path);
      return "dialog path " + (path ? Narrow(*path) : std::string("cancelled"));
    }
    default: {
      if (choices.Pick(2)) {
        const bool closes = editor_.RequestClose();
        return closes ? "close request granted" : "close request refused";
      }
      const std::u16string path(kPaths[choices.Pick(std::size(kPaths))]);
      editor_.DropFiles({path});
      return "dropped " + Narrow(path);
    }
  }
}

std::string EditorMonkey::TypeEvent(ChoiceBytes& choices) {
  const std::u16string_view text = kTypedTexts[choices.Pick(std::size(kTypedTexts))];
  for (char16_t c : text) editor_.OnChar(c);
  return "typed " + Narrow(text);
}

// One structure key held down: enough of them reach the nesting limit.
std::string EditorMonkey::NestEvent(ChoiceBytes& choices) {
  const int32_t kind = choices.Pick(5);
  const int32_t count = choices.Pick(8) ? choices.Pick(12) : choices.Pick(130);
  for (int32_t i = 0; i < count; ++i) {
    switch (kind) {
      case 0: editor_.OnChar(u'^'); break;
      case 1: editor_.OnChar(u'_'); break;
      case 2: editor_.OnChar(u'/'); break;
      case 3: editor_.OnKeyDown('R', Modifiers{true, false}); break;
      default: editor_.OnKeyDown('K', Modifiers{true, false}); break;
    }
  }
  return "nested " + std::to_string(count) + " of kind " + std::to_string(kind);
}

// Down pressed again and again reaches the end of the last line: the caret is never trapped.
// (At the end, a big operator that ends the line is entered again by the next Down, so the run
// stops where it first reaches the end.)
std::string EditorMonkey::DownRunEvent(ChoiceBytes& choices) {
  const Document& document = editor_.document();
  const int32_t lines = static_cast<int32_t>(document.lines.size()) - document.currentLine;
  const int32_t presses = lines * (2 * kMaxStructureNesting + 4) + choices.Pick(2);
  const auto atEnd = [&] {
    const EquationLine& line = editor_.CurrentLine();
    return document.currentLine + 1 == static_cast<int32_t>(document.lines.size()) &&
           line.caret.node == line.tree.root &&
           line.caret.position == line.tree.ChildCount(line.tree.root);
  };
  bool reached = false;
  for (int32_t i = 0; i < presses && !reached; ++i) {
    editor_.OnKeyDown(key::Down, Modifiers{});
    reached = atEnd();
  }
  if (!reached) {
    brokenRule_ = "Down pressed " + std::to_string(presses) + " times does not reach the end";
  }
  return "Down pressed " + std::to_string(presses) + " times";
}

// A structure key or an opening bracket takes a selection in and never deletes a symbol; an
// operator typed right after a script's single letter follows the script.
void EditorMonkey::CheckTyped(char16_t c, int32_t symbolsBefore, bool overSelection) {
  const EquationLine& line = editor_.CurrentLine();
  const EquationTree& tree = line.tree;
  if (std::u16string_view(u"^_/([{").find(c) != std::u16string_view::npos &&
      SymbolCount(tree) < symbolsBefore) {
    brokenRule_ = "typing " + std::to_string(c) + " lost a symbol";
  }
  const Caret& caret = line.caret;
  const int32_t script = tree.Parent(caret.node);
  if (overSelection || script < 0) return;
  if (std::u16string_view(u"+-=,)").find(c) == std::u16string_view::npos) return;
  const SymbolCode kind = tree.CodeAt(script);
  const SymbolCode first = tree.CodeAt(tree.Child(caret.node, 0));
  if ((kind == code::Super || kind == code::Sub) && caret.position == 2 &&
      tree.ChildCount(caret.node) == 2 && first >= 'a' && first <= 'z') {
    brokenRule_ = "typing " + std::to_string(c) + " after a script's letter stayed in the script";
  }
}

// Up and Down stay in the line while a limit lies the way they go.
void EditorMonkey::CheckVerticalMove(int32_t virtualKey, int32_t lineBefore, bool limitInReach) {
  if (limitInReach && editor_.document().currentLine != lineBefore) {
    brokenRule_ = "key " + std::to_string(virtualKey) + " left the line from a big operator";
  }
}

// A big operator that went in has the caret in its lower limit.
void EditorMonkey::CheckBigOperatorEntered(const std::u16string& markupBefore) {
  const EquationLine& line = editor_.CurrentLine();
  if (line.markup == markupBefore || host_.statusText == u"Nesting too deep") return;
  const int32_t structure = line.tree.Parent(line.caret.node);
  if (structure < 0 || !IsBigOperator(line.tree.CodeAt(structure)) ||
      line.tree.Child(structure, 0) != line.caret.node) {
    brokenRule_ = "a big operator went in without the caret in its lower limit";
  }
}

std::vector<std::u16string> EditorMonkey::AllMarkup() const {
  std::vector<std::u16string> all;
  for (const EquationLine& line : editor_.document().lines) all.push_back(line.markup);
  return all;
}

void EditorMonkey::NoteHistoryStart() {
  const UndoHistory& history = editor_.history();
  if (history.Records().empty()) historyStart_ = AllMarkup();
}

// The markup reads back into a tree that writes the same text; the tree matches the markup and
// keeps its shape; the selection has a mark per box and every box names a node of the tree.
std::string EditorMonkey::CheckLine(int32_t index) {
  EquationLine& line = editor_.document().lines[index];
  const std::string where = "line " + std::to_string(index) + " <" + Narrow(line.markup) + ">: ";
  ExportTextBuffer buffer;
  WriteMarkupNode(line.tree, line.tree.root, buffer);
  if (buffer.Text() != line.markup) return where + "tree writes " + Narrow(buffer.Text());
  const std::string shape = CheckShape(line.tree, line.tree.root, 0);
  if (!shape.empty()) return where + shape;
  for (const LayoutBox& box : line.boxes) {
    if (box.node >= static_cast<int32_t>(line.tree.nodes.size())) return where + "box node";
  }
  try {
    EquationLine again(line.markup);
    again.Serialize(buffer);
    if (again.markup != line.markup) return where + "reads back as " + Narrow(again.markup);
  } catch (const Failure& failure) {
    return where + "does not read back: " + Narrow(failure.text);
  }
  return {};
}

// The caret stands in a row of the current line, and the line's marks, one per box, are set only
// in selection mode.
std::string EditorMonkey::CheckCurrentLine() {
  const EquationLine& line = editor_.CurrentLine();
  const Caret& caret = line.caret;
  if (caret.node < 0 || caret.node >= static_cast<int32_t>(line.tree.nodes.size()) ||
      line.tree.CodeAt(caret.node) != code::Group || !Attached(line.tree, caret.node)) {
    return "caret row " + std::to_string(caret.node) + " is not a group of the line";
  }
  if (caret.position < 0 || caret.position > line.tree.ChildCount(caret.node)) {
    return "caret position " + std::to_string(caret.position) + " outside its row";
  }
  if (line.selection.marks.size() != line.boxes.size()) return "selection marks per box";
  // Marks left on a line that is no longer current are cleared when it becomes current again.
  const bool marked = std::find(line.selection.marks.begin(), line.selection.marks.end(), true) !=
                      line.selection.marks.end();
  if (marked && !editor_.selectionMode()) return "marks outside selection mode";
  return {};
}

std::string EditorMonkey::CheckState() {
  metrics_.asked.clear();  // the table metrics remember every question; nothing here reads them
  if (!escaped_.empty()) return escaped_;
  if (!brokenRule_.empty()) return brokenRule_;
  const Document& document = editor_.document();
  const auto count = static_cast<int32_t>(document.lines.size());
  if (count == 0) return "no lines";
  if (document.currentLine < 0 || document.currentLine >= count) return "current line out of range";
  checkedMarkup_.resize(count);
  std::string broken;
  for (int32_t i = 0; i < count; ++i) {
    if (i != document.currentLine && document.lines[i].markup == checkedMarkup_[i]) continue;
    broken = CheckLine(i);
    if (!broken.empty()) return broken;
    checkedMarkup_[i] = document.lines[i].markup;
  }
  broken = CheckCurrentLine();
  if (!broken.empty()) return broken;
  if (editor_.statistics().LineCount() != count) return "style counts out of step with the lines";
  if (!SavedAsShown()) return "the document is marked saved but its file holds other lines";
  if (checkStyles_ && !StylesCounted()) return "style counts differ from a recount of the document";
  checkStyles_ = false;
  Paint();
  return {};
}

// An unmodified document is what its file holds.
bool EditorMonkey::SavedAsShown() const {
  const Document& document = editor_.document();
  const auto file = host_.files.find(document.path);
  if (document.modified || document.path.empty() || file == host_.files.end()) return true;
  const std::string bytes(file->second.begin(), file->second.end());
  try {
    std::vector<std::u16string> lines;
    for (const EquationLine& line : ReadDocumentLines(bytes, nullptr)) lines.push_back(line.markup);
    return lines == AllMarkup();
  } catch (const Failure&) {
    return false;
  }
}

bool EditorMonkey::StylesCounted() const {
  StyleStatistics recount;
  recount.Recount(editor_.document().lines);
  recount.Publish();
  for (int32_t row = 0; row < kStyleRows; ++row) {
    for (int32_t column = 0; column < kStyleColumns; ++column) {
      if (recount.Count(row, column) != editor_.statistics().Count(row, column)) return false;
    }
  }
  return true;
}

// Paints the lines in sight as the window does, and the picture the last copy published.
void EditorMonkey::Paint() {
  RecordingCanvas canvas;
  const EquationLine& line = editor_.CurrentLine();
  const LinePoint origin = editor_.LineOrigin(editor_.document().currentLine);
  PaintLineBoxes(canvas, origin.x, origin.y, line.boxes, &line.selection.marks);
  if (host_.clipboard && host_.clipboard->picture.draw) host_.clipboard->picture.draw(canvas);
}

// Undoes or redoes as long as the history allows, checking the state after every step.
std::string EditorMonkey::WalkHistory(bool back) {
  const auto records = static_cast<int32_t>(editor_.history().Records().size());
  const char* name = back ? "undo" : "redo";
  for (int32_t i = 0; i <= records; ++i) {
    if (!(back ? editor_.history().CanUndo() : editor_.history().CanRedo())) return {};
    editor_.OnCommand(back ? command::Undo : command::Redo);
    std::string broken = CheckState();
    if (!broken.empty()) return std::string(name) + " step " + std::to_string(i) + ": " + broken;
  }
  return std::string(name) + " does not reach the end of the history";
}

// What was undone last is redone first, so the text redoing everything reaches is the end.
std::string EditorMonkey::CheckHistory() {
  std::string broken = WalkHistory(false);
  if (!broken.empty()) return broken;
  const std::vector<std::u16string> end = AllMarkup();
  broken = WalkHistory(true);
  if (!broken.empty()) return broken;
  if (AllMarkup() != historyStart_) {
    return "undoing everything gives " + Joined(AllMarkup()) + " instead of " +
           Joined(historyStart_);
  }
  broken = WalkHistory(false);
  if (!broken.empty()) return broken;
  if (AllMarkup() != end) {
    return "redoing everything gives " + Joined(AllMarkup()) + " instead of " + Joined(end);
  }
  return {};
}

}  // namespace kav
