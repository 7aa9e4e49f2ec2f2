// The inline symbol-name box: where it opens, which keys pressed in it close it, and what the
// name typed into it inserts. The window owns the edit control; these functions decide.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "edit/editor.h"
#include "edit/keys.h"
#include "model/line.h"
#include "platform/glyph_metrics.h"

namespace kav {

// Only this many characters of the box are read; every name in the symbol table is shorter.
inline constexpr size_t kInlineBoxTextLimit = 14;
// The box opens this far below the caret, clear of the symbols next to it.
inline constexpr int32_t kInlineBoxDrop = 50;
inline constexpr int32_t kInlineBoxWidth = 200;
inline constexpr int32_t kInlineBoxHeight = 25;

enum class InlineBoxKeyAction {
  PassOn,          // the edit control types or moves as usual
  Close,           // close the box without inserting
  CommitAndClose,  // insert the named symbol, then close
};

// What a key pressed in the box does. Ctrl+G closes an empty box (a second Ctrl+G takes the box
// away again) and otherwise inserts, as Enter and Space do; Escape closes.
InlineBoxKeyAction InlineBoxKeyActionOf(int32_t virtualKey, bool ctrl, bool textEmpty);

// The caret's reference point in the line's coordinates: left of the item at the caret (right of
// the last item at the end of a row), 0.6 of a letter height above the item's baseline; the
// placeholder's corner in an empty slot.
LinePoint InlineBoxAnchor(const EquationLine& line, const GlyphMetrics& metrics);

// Inserts the symbol whose table name is exactly `text` (its first 14 characters) as one recorded
// edit and scrolls to it. A name the table does not know inserts nothing.
void CommitInlineText(Editor& editor, std::u16string_view text);

// A key pressed in the box, with the box's text at that moment. True when the box dealt with the
// key (and is closed, the focus back on the main window); false when the edit control gets it.
bool OnInlineBoxKey(Editor& editor, int32_t virtualKey, Modifiers modifiers,
                    std::u16string_view text);

// The box lost the keyboard focus to some other window: it closes and leaves the focus where it
// went.
void OnInlineBoxFocusLost(Editor& editor);

}  // namespace kav
