// Documents on disk: opening from the dialog, a drop or the command line, saving, saving under a
// new name, and the question that protects unsaved changes before any of them replaces the
// document or the window closes.
//
// Nothing is lost by a bad file: a document is read and every line parsed into new lines before
// the open one is touched, and a file holding anything but formula lines is refused rather than
// read in part. A save goes through the host, which replaces the file in one step, so a failed
// save leaves the old file as it was; a read-only file, or one another program wrote since it was
// opened or saved here, is not replaced without the user's word.
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

// The file name without its folder, as the user knows the document.
std::u16string FileNameOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
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
  const std::optional<FileContents> file = host_.ReadFile(path);
  if (!file) {
    host_.SetStatusText(u"Cannot open file: " + path);
    return false;
  }
  try {
    const std::string_view view(reinterpret_cast<const char*>(file->bytes.data()),
                                file->bytes.size());
    BuildDocumentFromText(DecodeDocumentBytes(view));
  } catch (const Failure& failure) {
    host_.SetStatusText(failure.text);
    return false;
  }
  document_.path = path;
  diskStamp_ = file->stamp;
  return true;
}

bool Editor::SaveDocument() {
  if (const std::optional<bool> instead = RefusedSave(document_.path, true)) return *instead;
  return SaveDocumentTo(document_.path);
}

std::optional<bool> Editor::RefusedSave(const std::u16string& path, bool checkOtherWrites) {
  const std::optional<FileStamp> now = host_.StampOfFile(path);
  if (!now) return std::nullopt;
  const std::u16string name = FileNameOf(path);
  if (now->readOnly) {
    const std::u16string offer =
        name + u" is read-only and was not replaced. Save the document under another name?";
    return host_.AskYesNo(offer, kNotificationCaption) == Answer::Yes && SaveDocumentAs();
  }
  if (!checkOtherWrites || !diskStamp_ || now->SameContents(*diskStamp_)) return std::nullopt;
  const std::u16string question = name +
                                  u" has been changed by another program since it was opened or "
                                  u"saved. Replace it with this document?";
  if (host_.AskYesNo(question, kNotificationCaption) == Answer::Yes) return std::nullopt;
  return false;
}

bool Editor::SaveDocumentTo(const std::u16string& path) {
  const std::vector<uint8_t> bytes =
      DocumentBytes(MarkupOfEveryLine(document_.lines, exportBuffer_));
  const std::optional<FileStamp> stamp = path.empty() ? std::nullopt : host_.WriteFile(path, bytes);
  if (!stamp) {
    host_.ShowError(kSaveFailedText, kErrorCaption);
    return false;
  }
  document_.path = path;
  document_.modified = false;
  diskStamp_ = stamp;
  host_.SetStatusText(u"Saved " + FileNameOf(path));
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
  diskStamp_.reset();
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
  // The user has just agreed to replace whatever the file holds.
  if (const std::optional<bool> instead = RefusedSave(*path, false)) return *instead;
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
