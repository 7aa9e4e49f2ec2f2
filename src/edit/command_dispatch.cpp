// Menu commands and the style buttons.
#include "edit/editor.h"

namespace kav {
namespace {

struct StyleButton {
  int32_t id;
  StyleFlags mask;
  StyleFlags value;
};

constexpr StyleButton kStyleButtons[] = {
    {command::StyleRoman, 0x03, StyleRoman}, {command::StyleBold, 0x03, StyleBoldRoman},
    {command::StyleItalic, 0x03, 0x00},      {command::StyleVector, 0x3C, StyleVector},
    {command::StyleHat, 0x3C, StyleHat},     {command::StyleBar, 0x3C, StyleBar},
    {command::StyleTilde, 0x3C, StyleTilde}, {command::StyleRed, 0x40, StyleRed},
};

}  // namespace

void Editor::ApplyStyleCommand(int32_t id) {
  for (const StyleButton& button : kStyleButtons) {
    if (button.id == id) ApplyStyle(button.mask, button.value);
  }
  host_.FocusMainWindow();
}

void Editor::OnCommand(int32_t id) {
  // The cases that break out end by scrolling the current line into sight.
  switch (id) {
    case command::Open: OpenDocument(); return;
    case command::Save: SaveCommand(); return;
    case command::SaveAs: SaveDocumentAs(); return;
    case command::NewLine: InsertLine(u"", true); return;
    case command::DuplicateLine: InsertLine(CurrentLine().markup, true); return;
    case command::InsertGreek: ShowInlineEditBox(); return;
    case command::Manual: host_.OpenManual(); return;
    case command::NewDocument: NewDocument(); return;
    case command::ZoomIn: ZoomTo(ZoomStepUp(scale_.zoom)); return;
    case command::ZoomOut: ZoomTo(ZoomStepDown(scale_.zoom)); return;
    case command::ZoomReset: ZoomTo(100); return;
    // As the title bar's close button: the question about unsaved changes follows.
    case command::Exit: host_.PostClose(); return;
    case command::TogglePalette:
      TogglePalette();
      host_.FocusMainWindow();
      return;
    case command::Undo:
      Undo();
      ClearSelection();
      break;
    case command::Redo:
      Redo();
      ClearSelection();
      break;
    case command::Cut: Cut(); break;
    case command::Copy:
      // Another program can hold the clipboard open; the user must not believe it was copied.
      ReportCopy(Copy(), u"Copied");
      break;
    case command::Paste: Paste(); break;
    case command::CopyAsTex: CopyAsTex(); break;
    case command::CopyAsLatex: CopyAsLatex(); break;
    case command::CopyPicture: CopyPicture(); break;
    case command::CopyAsMathml: CopyAsMathml(); break;
    case command::PasteFromOtherPrograms: PasteFromOtherPrograms(); break;
    case command::InsertFraction:
      RunWrapOrEditCommand(&kav::WrapInFraction, &kav::InsertFraction);
      break;
    case command::InsertRoot: RunWrapOrEditCommand(&kav::WrapInRoot, &kav::InsertRoot); break;
    default:
      if (id >= command::StyleRoman && id <= command::StyleRed) ApplyStyleCommand(id);
      return;
  }
  ScrollToCurrentLine();
}

}  // namespace kav
