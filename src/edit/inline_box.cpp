#include "edit/inline_box.h"

#include "edit/table_insert.h"
#include "edit/tree_queries.h"
#include "typeset/glyph_measure.h"

namespace kav {
namespace {

void CloseInlineBox(Editor& editor) {
  editor.host().HideInlineBox();
  editor.host().FocusMainWindow();
}

}  // namespace

InlineBoxKeyAction InlineBoxKeyActionOf(int32_t virtualKey, bool ctrl, bool textEmpty) {
  switch (virtualKey) {
    case key::Return:
    case key::Space: return InlineBoxKeyAction::CommitAndClose;
    case key::Escape: return InlineBoxKeyAction::Close;
    case 'G':
      if (!ctrl) return InlineBoxKeyAction::PassOn;
      return textEmpty ? InlineBoxKeyAction::Close : InlineBoxKeyAction::CommitAndClose;
    default: return InlineBoxKeyAction::PassOn;
  }
}

LinePoint InlineBoxAnchor(const EquationLine& line, const GlyphMetrics& metrics) {
  const EquationTree& tree = line.tree;
  const int32_t row = line.caret.node;
  const int32_t position = line.caret.position;
  const int32_t count = tree.ChildCount(row);
  if (position <= 1 && HasLeadingPlaceholder(tree, row)) {
    const NodeData& placeholder = tree.Data(tree.Child(row, 0));
    return {placeholder.x, placeholder.y};
  }
  if (count == 0) return {0, 0};
  const bool atEnd = position >= count;
  const NodeData& item = tree.Data(tree.Child(row, atEnd ? count - 1 : position));
  const int32_t x = atEnd ? item.x + item.width : item.x;
  return {x, item.y + item.height - item.depth - LetterAscent(metrics, item.size)};
}

void Editor::ShowInlineEditBox() {
  EnsureCaret();
  const LinePoint anchor = InlineBoxAnchor(CurrentLine(), metrics_);
  const LinePoint origin = LineOrigin(document_.currentLine);
  // The drop below the caret grows with the view, so the box never covers the formula.
  host_.ShowInlineBox(scale_.ToPixels(origin.x + anchor.x),
                      scale_.ToPixels(origin.y + anchor.y + kInlineBoxDrop));
}

void CommitInlineText(Editor& editor, std::u16string_view text) {
  const SymbolCode c = CodeOf(text.substr(0, kInlineBoxTextLimit));
  if (c == 0) return;
  InsertTableSymbol(editor, c);
  editor.ScrollToCurrentLine();
}

bool OnInlineBoxKey(Editor& editor, int32_t virtualKey, Modifiers modifiers,
                    std::u16string_view text) {
  switch (InlineBoxKeyActionOf(virtualKey, modifiers.ctrl, text.empty())) {
    case InlineBoxKeyAction::PassOn: return false;
    case InlineBoxKeyAction::CommitAndClose: CommitInlineText(editor, text); break;
    case InlineBoxKeyAction::Close: break;
  }
  CloseInlineBox(editor);
  return true;
}

// Taking the focus back here would fight the window that is receiving it (and the system advises
// against moving the focus while it is being lost); a click on a button returns it by itself.
void OnInlineBoxFocusLost(Editor& editor) {
  editor.host().HideInlineBox();
}

}  // namespace kav
