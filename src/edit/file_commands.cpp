// Documents on disk: opening from the dialog, a drop or the command line, saving, saving under a
// new name, and the question that protects unsaved changes before any of them replaces the
// document or the window closes.
//
// Nothing is lost by a bad file: a document is read and every line parsed into new lines before
// the open one is touched. A save goes through the host, which replaces the file in one step, so
// a failed save leaves the old file as it was.
#include "base/failure.h"
#include "edit/editor.h"
#include "model/document_file.h"

namespace kav {
namespace {

// The document path has room for this many units; a longer name is refused, never cut short.
bool PathFits(Host& host, const std::u16string& path, std::u16string_view refusal) {
  if (path.size() <= kMaxPathUnits) return true;
  host.SetStatusText(refusal);
  return false;
}

std::vector<std::u16string> MarkupOfEveryLine(std::vector<EquationLine>& lines,
                                              ExportTextBuffer& buffer) {
  std::vector<std::u16string> markups;
  markups.reserve(lines.size());
  for (EquationLine& line : lines) {
    line.Serialize(buffer);
    markups.push_back(line.markup);
  }
  return markups;
}

}  // namespace

void Editor::BuildDocumentFromText(std::u16string_view text) {
  std::vector<EquationLine> lines = ReadDocumentText(text, &layouter_);
  const int32_t last = static_cast<int32_t>(lines.size()) - 1;
  ReplaceLines(std::move(lines));
  // An opened document continues where it ends: its last line is current, caret at its end.
  document_.currentLine = last;
  ResetLineCaret(CurrentLine(), true);
  ClearSelection();
  ScrollToCurrentLine();
}

bool Editor::LoadDocument(const std::u16string& path) {
  const std::optional<std::vector<uint8_t>> bytes = host_.ReadFile(path);
  if (!bytes) {
    host_.SetStatusText(u"Cannot open file: " + path);
    return false;
  }
  try {
    const std::string_view view(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    BuildDocumentFromText(DecodeDocumentBytes(view));
  } catch (const Failure& failure) {
    host_.SetStatusText(failure.text);
    return false;
  }
  document_.path = path;
  return true;
}

bool Editor::SaveDocument() {
  return SaveDocumentTo(document_.path);
}

bool Editor::SaveDocumentTo(const std::u16string& path) {
  const std::vector<uint8_t> bytes =
      DocumentBytes(MarkupOfEveryLine(document_.lines, exportBuffer_));
  if (path.empty() || !host_.WriteFile(path, bytes)) {
    host_.ShowError(kSaveFailedText, kErrorCaption);
    return false;
  }
  document_.path = path;
  document_.modified = false;
  return true;
}

PromptResult Editor::PromptSaveChanges() {
  if (!document_.modified) return PromptResult::Proceed;
  const std::vector<EquationLine>& lines = document_.lines;
  // A document of one empty line holds nothing worth a question.
  if (lines.empty() || (lines.size() == 1 && lines[0].markup.empty())) return PromptResult::Proceed;
  switch (host_.AskYesNoCancel(kSaveChangesText, kNotificationCaption)) {
    case Answer::Yes: break;
    case Answer::No: return PromptResult::Proceed;
    case Answer::Cancel: return PromptResult::Cancel;
  }
  const bool saved = document_.path.empty() ? SaveDocumentAs() : SaveDocument();
  return saved ? PromptResult::Proceed : PromptResult::Cancel;
}

void Editor::OpenDocument() {
  if (PromptSaveChanges() == PromptResult::Cancel) return;
  const std::optional<std::u16string> path = host_.ChooseOpenPath();
  if (!path || !PathFits(host_, *path, u"The chosen file name is too long.")) return;
  LoadDocument(*path);
}

void Editor::NewDocument() {
  if (PromptSaveChanges() == PromptResult::Cancel) return;
  ReplaceLines({});
  document_.path.clear();
}

void Editor::SaveCommand() {
  if (document_.path.empty()) {
    SaveDocumentAs();
  } else {
    SaveDocument();  // a failure has shown its box already
  }
}

bool Editor::SaveDocumentAs() {
  const std::optional<std::u16string> path = host_.ChooseSavePath();
  if (!path || !PathFits(host_, *path, u"The chosen file name is too long.")) return false;
  if (host_.FileExists(*path) &&
      host_.AskYesNo(kOverwriteText, kNotificationCaption) != Answer::Yes) {
    return false;
  }
  return SaveDocumentTo(*path);
}

bool Editor::RequestClose() {
  return PromptSaveChanges() == PromptResult::Proceed;
}

void Editor::DropFiles(const std::vector<std::u16string>& paths) {
  if (paths.empty()) return;
  // Refused before the question, so the user is not asked to save for an open that cannot be.
  if (!PathFits(host_, paths.front(), u"The dropped file name is too long.")) return;
  if (PromptSaveChanges() == PromptResult::Cancel) return;
  LoadDocument(paths.front());
}

void Editor::OpenStartupDocument(const std::u16string& path) {
  if (path.empty()) return;
  if (!PathFits(host_, path, u"The file name on the command line is too long.")) return;
  LoadDocument(path);
}

}  // namespace kav
