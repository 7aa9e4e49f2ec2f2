// The editor: one open document with its current line and caret, the undo history, the style
// statistics, the selection state and the view's scroll offset. The main window owns one and
// forwards its input; everything the editor needs from the window goes through the Host.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "edit/band_index.h"
#include "edit/changed_area.h"
#include "edit/edit_ops.h"
#include "edit/keys.h"
#include "edit/style_statistics.h"
#include "edit/undo_history.h"
#include "edit/view_scale.h"
#include "export/clipboard_payloads.h"
#include "model/document.h"
#include "model/export_buffer.h"
#include "platform/glyph_metrics.h"
#include "platform/host.h"
#include "typeset/line_geometry.h"

namespace kav {

// The rubber band of a mouse selection: anchor and current point in client coordinates; all zero
// when no drag is stored.
struct DragRectangle {
  int32_t anchorX = 0;
  int32_t anchorY = 0;
  int32_t currentX = 0;
  int32_t currentY = 0;
};

// What the question about unsaved changes decided: go on with the open, drop or close, or not.
enum class PromptResult : uint8_t { Proceed, Cancel };

struct LinePoint {
  int32_t x = 0;
  int32_t y = 0;
};

class Editor {
 public:
  // Starts with one empty line, its caret at the end of its root. Makes no call on the host.
  Editor(Host& host, const GlyphMetrics& metrics, const LineLayouter& layouter);
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // Input from the window.
  void OnKeyDown(int32_t virtualKey, Modifiers modifiers);
  void OnChar(char16_t character);
  void OnCommand(int32_t id);
  void OnVerticalScroll(ScrollRequest request, int32_t trackPosition = 0);
  void OnHorizontalScroll(ScrollRequest request, int32_t trackPosition = 0);
  // The wheel scrolls; with Ctrl held it zooms.
  void OnMouseWheel(int32_t delta, Modifiers modifiers = {});
  // Mouse positions are in client pixels; the drag is kept in layout units.
  void OnLeftButtonDown(int32_t x, int32_t y);
  void OnMouseMove(int32_t x, int32_t y);
  void OnLeftButtonUp(int32_t x, int32_t y);
  // The window lost the mouse capture mid-drag (another window took it): the drag ends where the
  // pointer last was, as if the button had been released there.
  void OnCaptureLost();

  // Caret movements of the current line; each settles and shows the caret.
  void MoveLeft();
  void MoveRight();
  bool MoveUp();
  bool MoveDown();
  void MoveHome();
  void MoveEnd();
  void JumpToSlot();
  void SettleCaret();
  void MoveToPreviousLine();
  void MoveToNextLine();

  // Edits of the current line.
  void SnapshotLine();
  // False when the edit was taken back because the line would be longer than a file may hold.
  bool CommitLine();
  void AfterEdit();
  void InvalidateChange();
  // The update that a structural edit's result needs: the common update after a change, or
  // settling the caret after it only moved.
  void RunEdit(EditResult result);
  // A recorded edit: snapshot, remove the selection, run `operation(tree, caret)` on the current
  // line, commit.
  template <typename Operation>
  void RunEditCommand(Operation&& operation) {
    SnapshotLine();
    DeleteSelection();
    EquationLine& line = CurrentLine();
    RunEdit(operation(line.tree, line.caret));
    CommitLine();
  }
  // A structure typed over a selection: `wrap(tree, caret, run)` builds it around the selected
  // run as one recorded step; without a selection, RunEditCommand(operation).
  template <typename Wrap, typename Operation>
  void RunWrapOrEditCommand(Wrap&& wrap, Operation&& operation) {
    // No structure holds several lines: over them it is typed at the caret, removing nothing.
    if (SelectedLines()) ClearSelection();
    const std::optional<ItemRun> run = SelectedRun();
    if (!run) return RunEditCommand(operation);
    SnapshotLine();
    ClearSelection();
    EquationLine& line = CurrentLine();
    RunEdit(wrap(line.tree, line.caret, *run));
    CommitLine();
  }
  // The wholly selected items of the current line (without a leading placeholder), if any.
  std::optional<ItemRun> SelectedRun();
  void ApplyStyle(StyleFlags mask, StyleFlags value);
  void LayoutLine(int32_t index);

  // Lines and history.
  void InsertLine(const std::u16string& text, bool record);
  void DeleteLine(bool record);
  void Undo();
  void Redo();
  // Replaces every line (opening a file): history emptied, caret at the end of the first line.
  void ReplaceLines(std::vector<EquationLine> lines);

  // Selection.
  void ApplyDragRectangle();
  void ClearSelection();
  void DeleteSelection();
  bool NothingToDeselect();
  bool MarkNone();
  void SelectAll();
  bool CaretToSelectionStart();
  bool CaretToSelectionEnd();
  // Keyboard selection (key_selection.cpp): Shift with an arrow, Home or End moves the caret and
  // selects from where the selection began to it; within one line the run of items between them
  // in the row that holds both, over several lines those lines whole.
  void ExtendSelection(int32_t virtualKey, bool ctrl);
  // The first and last line of a selection over several lines; nothing otherwise.
  std::optional<std::pair<int32_t, int32_t>> SelectedLines() const;
  // Ctrl+Home and Ctrl+End: the start of the first line, the end of the last.
  void MoveToDocumentEnd(bool end);

  // View. Everything below is in layout units except where it says pixels.
  // The window's DPI (96 at 100 % display scaling) and the zoom in percent, held to the steps'
  // range; each redraws the view and keeps the caret where it was in the document.
  void SetDpi(int32_t dpi);
  void ZoomTo(int32_t zoom);
  const ViewScale& scale() const { return scale_; }
  // The view's area and the client width in layout units.
  ViewArea AreaUnits() const;
  int32_t ClientWidthUnits() const;
  void UpdateScroll();
  void ScrollToCurrentLine();
  void PlaceCaret();
  void HitTest(int32_t x, int32_t y);
  LinePoint ToLineCoordinates(int32_t x, int32_t y);
  int32_t BandTop(int32_t index);
  int32_t BandHeight(int32_t index);
  int32_t DocumentHeight();
  // Client position of a line's top-left corner.
  LinePoint LineOrigin(int32_t index);
  // The view's area, client width and scroll offsets, as painting needs them.
  ViewPlacement Placement() const;

  // Commands that the clipboard, file, inline box and palette code carry out.
  // True when the clipboard took the copy.
  bool Copy();
  void Cut();
  void Paste();
  // Inserts the items of a markup text at the caret of the current line; throws the reader's
  // failure, changing nothing, on a text it rejects.
  void PasteMarkup(std::u16string_view text);
  // Paste from other programs: the clipboard's "MathML Presentation" or "MathML" format when
  // present, else its Unicode text, read as MathML when it begins with a <math> element and as
  // LaTeX otherwise. The first formula goes in at the caret as Paste would put it, each further
  // one on a new line after it; a text the reader refuses changes nothing and its message shows
  // in the status bar.
  void PasteFromOtherPrograms();
  void CopyAsTex();
  void CopyAsLatex();
  void CopyPicture();
  void CopyAsMathml();
  void OpenDocument();
  // Replaces the document with one empty, untitled line, after the question about unsaved
  // changes.
  void NewDocument();
  void SaveCommand();
  bool SaveDocumentAs();

  // Documents on disk (file_commands.cpp). A file is read and every line parsed before anything
  // is replaced: a file that cannot be read, is not a document or has a rejected line leaves the
  // document and its path as they were and says why in the status bar. The path changes only
  // when a file was read or written under it.
  bool LoadDocument(const std::u16string& path);
  // Replaces the lines with those of a document text; throws, changing nothing, on a bad line.
  void BuildDocumentFromText(std::u16string_view text);
  // Writes every line to the document path; false, with the failure box shown, when it failed
  // or the user chose not to replace the file (read-only, or written by another program since).
  bool SaveDocument();
  bool SaveDocumentTo(const std::u16string& path);
  PromptResult PromptSaveChanges();
  // Whether the window may close (asks about unsaved changes).
  bool RequestClose();
  // Files dropped on the window: the first is opened, the rest ignored.
  void DropFiles(const std::vector<std::u16string>& paths);
  // The document named on the command line; nothing for an empty path.
  void OpenStartupDocument(const std::u16string& path);
  void ShowInlineEditBox();
  void TogglePalette();

  // The status bar (status_feedback.cpp): back to its idle text after an edit; a printable
  // character the formula has no symbol for is refused in it.
  void ClearStatus();
  void RefuseCharacter(char16_t character);
  // Says `done` when the clipboard took a copy, and that nothing was copied when it did not.
  void ReportCopy(bool copied, std::u16string_view done);

  Document& document() { return document_; }
  const Document& document() const { return document_; }
  EquationLine& CurrentLine() { return document_.Current(); }
  const UndoHistory& history() const { return history_; }
  const StyleStatistics& statistics() const { return statistics_; }
  const std::u16string& snapshot() const { return snapshot_; }
  ExportTextBuffer& exportBuffer() { return exportBuffer_; }
  bool selectionMode() const { return selectionMode_; }
  bool mouseCaptured() const { return mouseCaptured_; }
  const DragRectangle& drag() const { return drag_; }
  int32_t scrollOffset() const { return scrollOffset_; }
  int32_t horizontalScroll() const { return scrollX_; }
  Host& host() { return host_; }

 private:
  void OnPlainKey(int32_t virtualKey, Modifiers modifiers);
  void OnCtrlKey(int32_t virtualKey, Modifiers modifiers);
  void OnBackspaceOrDelete(bool forward);
  void DeleteEmptyLineForward();
  void OnEnter();
  void OnHomeOrEnd(bool home);
  void OnLeftOrRight(bool left);
  void OnSpace();
  void OnUpOrDown(bool up);
  void EndCapture();
  void ReleaseDrag(int32_t x, int32_t y);
  void RescaleView();
  void ApplyStyleCommand(int32_t id);
  bool LineEmpty() const { return document_.Current().markup.empty(); }
  bool CaretAtLineStart() const;
  void AfterLineChange();
  void ResetLineCaret(EquationLine& line, bool atEnd);
  void ReplaceCurrentMarkup(const std::u16string& text);
  void RefuseLongLine(std::u16string before);
  void InsertLineAt(int32_t index, EquationLine line);
  EquationLine NewLine(const std::u16string& text) const;
  void EnsureCaret();
  // Inserts the items of a read line at the caret, replacing the selection, as one recorded
  // step; false, with nothing changed, when they would nest too deep there.
  bool InsertPasted(EquationLine& pasted);
  // The first line goes in at the caret as Paste puts it, each further one on a new line after;
  // false, with nothing changed, when the first does not fit there.
  bool InsertPastedLines(std::vector<EquationLine> lines);
  // Keyboard selection: where it began, and where the caret stood when it last moved it (a caret
  // moved since by other means ends it).
  struct KeyAnchor {
    int32_t line = 0;
    Caret caret;
    int32_t focusLine = 0;
    Caret focus;
  };
  bool KeySelectionCurrent() const;
  void StartKeySelection();
  void MoveSelectionEnd(int32_t virtualKey, bool ctrl);
  void MoveSelectionEndToLine(bool up);
  void MarkKeySelection();
  void ForgetKeySelection();
  void DeleteSelectedLines(std::pair<int32_t, int32_t> lines);
  // Left or Right with several lines selected: the start of the first, or the end of the last.
  bool CollapseLineSelection(bool toStart);
  // Ctrl with a zoom key types nothing: the character its key-down brings is dropped.
  bool SwallowZoomCharacter(char16_t character);
  // A style button over what the current line's marks select, as one recorded step.
  void ApplyStyleToMarked(StyleFlags mask, StyleFlags value);
  void SyncDerivedState();
  void ChooseLineAt(int32_t clientY);
  void ChoosePositionInLine(int32_t x, int32_t y);
  void ShowScreenCaret();
  // What a save to `path` gives instead of replacing the file, or nothing when it may: a read-only
  // file is not replaced (the user may save under another name), nor, unless the user says so,
  // one another program wrote since it was read or written here (when `checkOtherWrites`).
  std::optional<bool> RefusedSave(const std::u16string& path, bool checkOtherWrites);
  int32_t HorizontalRangeOfCurrentLine() const;
  bool ScrollCaretIntoSight();
  // The vertical offset scrolling to the current line aims at, and an offset held in range.
  int32_t CurrentLineScroll();
  int32_t ClampedScroll(int32_t offset);

  Host& host_;
  const GlyphMetrics& metrics_;
  const LineLayouter& layouter_;
  Document document_;
  // The document file as it stood when last read or written here, to notice another program's
  // writes before a save replaces them.
  std::optional<FileStamp> diskStamp_;
  UndoHistory history_;
  StyleStatistics statistics_;
  BandIndex bands_;
  std::u16string snapshot_;
  // The current line as drawn when the snapshot was taken (drawnLine_ its index, -1 once used).
  DrawnLine drawn_;
  int32_t drawnLine_ = -1;
  ExportTextBuffer exportBuffer_;
  PayloadBuilders payloadBuilders_;
  bool selectionMode_ = false;
  bool mouseCaptured_ = false;
  DragRectangle drag_;
  int32_t scrollOffset_ = 0;
  // Sideways scroll of the lines too wide for the view; its range is the current line's.
  int32_t scrollX_ = 0;
  ViewScale scale_;
  // The first half of a character typed as a surrogate pair, until its second half comes.
  char16_t pendingHighSurrogate_ = 0;
  std::optional<KeyAnchor> keyAnchor_;
  // Lines whose marks a selection over several lines set.
  std::optional<std::pair<int32_t, int32_t>> markedLines_;
  char16_t zoomCharacter_ = 0;
};

}  // namespace kav
