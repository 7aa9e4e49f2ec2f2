// The portable values the window passes to the editor: virtual-key codes, modifier state,
// command identifiers and scroll requests. The numbers are those Windows uses, so the window
// procedure only unpacks its messages.
#pragma once
#include <cstdint>

namespace kav {

namespace key {
inline constexpr int32_t Back = 8;
inline constexpr int32_t Tab = 9;
inline constexpr int32_t Return = 13;
inline constexpr int32_t Escape = 27;
inline constexpr int32_t Space = 32;
inline constexpr int32_t PageUp = 33;
inline constexpr int32_t PageDown = 34;
inline constexpr int32_t End = 35;
inline constexpr int32_t Home = 36;
inline constexpr int32_t Left = 37;
inline constexpr int32_t Up = 38;
inline constexpr int32_t Right = 39;
inline constexpr int32_t Down = 40;
inline constexpr int32_t Delete = 46;
inline constexpr int32_t F1 = 112;
// The zoom keys: 0 and the numeric pad's 0, plus and minus on the main keys and on the pad.
inline constexpr int32_t Digit0 = 48;
inline constexpr int32_t Numpad0 = 96;
inline constexpr int32_t Add = 107;
inline constexpr int32_t Subtract = 109;
inline constexpr int32_t Plus = 187;
inline constexpr int32_t Minus = 189;
inline constexpr int32_t Backslash = 220;  // the key that carries \ on US and Korean layouts
// Letter keys are their upper-case ASCII codes, 'A' to 'Z'.
}  // namespace key

// The character the window still sends after a zoom key pressed with Ctrl: the numeric pad's +
// and - type theirs even then. 0 for every other key.
constexpr char16_t ZoomChordCharacter(int32_t virtualKey) {
  switch (virtualKey) {
    case key::Add: return u'+';
    case key::Subtract: return u'-';
    default: return 0;
  }
}

// Modifier keys held when the message arrived, read by the window at that moment.
struct Modifiers {
  bool ctrl = false;
  bool shift = false;
};

namespace command {
inline constexpr int32_t Open = 40001;
inline constexpr int32_t Save = 40002;
inline constexpr int32_t SaveAs = 40003;
inline constexpr int32_t NewLine = 40004;
inline constexpr int32_t DuplicateLine = 40005;
inline constexpr int32_t Undo = 40006;
inline constexpr int32_t Redo = 40007;
inline constexpr int32_t Cut = 40008;
inline constexpr int32_t Copy = 40009;
inline constexpr int32_t Paste = 40010;
inline constexpr int32_t InsertFraction = 40011;
inline constexpr int32_t InsertRoot = 40012;
inline constexpr int32_t InsertGreek = 40013;
inline constexpr int32_t CopyAsTex = 40016;
inline constexpr int32_t CopyAsLatex = 40017;
inline constexpr int32_t CopyPicture = 40021;
inline constexpr int32_t CopyAsMathml = 40019;
inline constexpr int32_t PasteFromOtherPrograms = 40018;
inline constexpr int32_t Manual = 40020;
// File > New and Exit, and the View menu's zoom.
inline constexpr int32_t NewDocument = 40030;
inline constexpr int32_t Exit = 40031;
inline constexpr int32_t ZoomIn = 40032;
inline constexpr int32_t ZoomOut = 40033;
inline constexpr int32_t ZoomReset = 40034;
inline constexpr int32_t StyleRoman = 20004;
inline constexpr int32_t StyleBold = 20005;
inline constexpr int32_t StyleItalic = 20006;
inline constexpr int32_t StyleVector = 20007;
inline constexpr int32_t StyleHat = 20008;
inline constexpr int32_t StyleBar = 20009;
inline constexpr int32_t StyleTilde = 20010;
inline constexpr int32_t StyleRed = 20011;
inline constexpr int32_t TogglePalette = 20012;
}  // namespace command

// Scroll requests, numbered as the scroll bars report them; sideways, left and right share the
// numbers of up and down.
enum class ScrollRequest : int32_t {
  LineUp = 0,
  LineDown = 1,
  PageUp = 2,
  PageDown = 3,
  ThumbPosition = 4,
  ThumbTrack = 5,
  Top = 6,
  Bottom = 7,
  EndScroll = 8,
};

}  // namespace kav
