// What the status bar says about the user's actions. A message belongs to the action that
// caused it: the next action's message replaces it, and the next edit that changes the document
// puts the bar back to its idle text, so a refusal never lingers next to a formula that was
// typed, pasted or opened after it.
#include <utility>

#include "edit/editor.h"

namespace kav {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Keys that reach the character handler without being meant as text: control characters
// (Enter, Tab, Backspace, Escape and the Ctrl letters), the space, which moves the caret, and the
// backslash, whose key opens the inline box.
bool IsSilentCharacter(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == u' ' || c == u'\\';
}

}  // namespace

void Editor::ClearStatus() {
  const std::u16string shown = host_.StatusText();
  if (!shown.empty() && shown != kIdleStatusText) host_.SetStatusText(kIdleStatusText);
}

// A character outside the Basic Multilingual Plane arrives as two messages; the refusal names
// the whole character once its second half came.
void Editor::RefuseCharacter(char16_t character) {
  const char16_t high = std::exchange(pendingHighSurrogate_, 0);
  if (IsHighSurrogate(character)) {
    pendingHighSurrogate_ = character;
    return;
  }
  if (IsSilentCharacter(character) || (IsLowSurrogate(character) && high == 0)) return;
  std::u16string shown(1, character);
  if (IsLowSurrogate(character)) shown.insert(shown.begin(), high);
  host_.SetStatusText(u"'" + shown + u"' cannot be typed in a formula");
}

}  // namespace kav
