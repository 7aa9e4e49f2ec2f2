// A monkey for the editor: input events chosen by a string of bytes (random bytes in the unit
// test, the fuzzer's input in the fuzz target) and the rules that must hold after every one of
// them. Both runners share this code, so a byte string that breaks a rule replays in either.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "edit/editor.h"
#include "fixed_metrics.h"
#include "native/headless_host.h"
#include "typeset/layout.h"

namespace kav {

// Choices read from a byte string: one byte each, two for a range over 256; once the bytes run
// out every choice is 0.
class ChoiceBytes {
 public:
  explicit ChoiceBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  int32_t Pick(int32_t count);
  bool Done() const { return next_ >= bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
  size_t next_ = 0;
};

class EditorMonkey {
 public:
  EditorMonkey();
  EditorMonkey(const EditorMonkey&) = delete;
  EditorMonkey& operator=(const EditorMonkey&) = delete;

  // Sends one event (or a short run that belongs together, such as a drag) chosen by the bytes
  // and returns what it was, for failure messages.
  std::string Step(ChoiceBytes& choices);
  // The first broken rule of the editor's state, or an empty text when all hold.
  std::string CheckState();
  // Undoes everything, expecting the text the history started from, then redoes everything,
  // expecting the text it had before; checks the state after every step.
  std::string CheckHistory();
  // Records the document text the history starts from when the history is empty (at start and
  // after a document was opened).
  void NoteHistoryStart();

  Editor& editor() { return editor_; }
  HeadlessHost& host() { return host_; }

 private:
  std::string Dispatch(ChoiceBytes& choices);
  std::string KeyEvent(ChoiceBytes& choices);
  std::string CharEvent(ChoiceBytes& choices);
  std::string CommandEvent(ChoiceBytes& choices);
  std::string MouseEvent(ChoiceBytes& choices);
  std::string DragEvent(ChoiceBytes& choices);
  std::string ViewEvent(ChoiceBytes& choices);
  std::string ClipboardEvent(ChoiceBytes& choices);
  std::string InlineBoxEvent(ChoiceBytes& choices);
  std::string DialogEvent(ChoiceBytes& choices);
  std::string TypeEvent(ChoiceBytes& choices);
  std::string NestEvent(ChoiceBytes& choices);
  std::string DownRunEvent(ChoiceBytes& choices);
  // The typing rules that one event must keep, checked right after it.
  void CheckTyped(char16_t c, int32_t symbolsBefore, bool overSelection);
  void CheckVerticalMove(int32_t virtualKey, int32_t lineBefore, bool limitInReach);
  void CheckBigOperatorEntered(const std::u16string& markupBefore);
  LinePoint PickPoint(ChoiceBytes& choices);
  std::string CheckLine(int32_t index);
  std::string CheckCurrentLine();
  std::string WalkHistory(bool back);
  bool StylesCounted() const;
  bool SavedAsShown() const;
  std::vector<std::u16string> AllMarkup() const;
  void Paint();

  HeadlessHost host_;
  FixedMetrics metrics_;
  BoxLayouter layouter_{metrics_};
  Editor editor_{host_, metrics_, layouter_};
  std::vector<std::u16string> historyStart_;
  std::string escaped_;
  // The first typing rule an event broke, reported by the next check.
  std::string brokenRule_;
  bool checkStyles_ = false;
  // The markup each line had when it last passed the read-back check.
  std::vector<std::u16string> checkedMarkup_;
};

}  // namespace kav
