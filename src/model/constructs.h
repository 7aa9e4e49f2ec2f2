// The construct table: one row per structure (fraction, root, scripts, big operators) holding
// everything the reader, the writers and the editor need to know about it, so that a new
// structure is a new row rather than a new case in every switch over codes.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/symbols.h"

namespace kav {

// How a structure is set; layout chooses its rules by family.
enum class LayoutFamily : uint8_t {
  Row,
  Script,
  Fraction,
  Radical,
  BigOperator,
  Accent,
  Fence,
  Grid,
};

enum class SlotRole : uint8_t {
  Numerator,
  Denominator,
  Radicand,
  Superscript,
  Subscript,
  LowerLimit,
  UpperLimit,
};

// What a structure stands on in its row: a script takes the item before it as its base, a big
// operator the items after it as its operand; a fraction or root stands alone.
enum class Attachment : uint8_t { Alone, TakesItemBefore, TakesItemsAfter };

// Where a caret move out of a slot goes: another slot of the structure (0, 1, ...), or one of
// these.
inline constexpr int8_t kLeaveAfter = -1;   // just after the structure
inline constexpr int8_t kLeaveBefore = -2;  // just before the structure
inline constexpr int8_t kPassOn = -3;       // the structure does not take the move; its row's does

// Backspace at the start of a slot.
enum class SlotStartBackspace : uint8_t {
  Nothing,
  RemoveIfAllEmpty,       // the structure goes when every slot is empty
  ToPreviousSlotIfEmpty,  // an empty slot sends the caret to the end of the one before
};

// Delete with the caret just before the structure.
enum class DeleteOn : uint8_t { Nothing, RemoveIfAllEmpty, Remove };

// Backspace with the caret just after the structure.
enum class BackspaceAfter : uint8_t { EnterLastSlot, Remove };

struct SlotRow {
  SlotRole role;
  int8_t levelChange;  // script level of the slot relative to the structure's
  int8_t next;         // Right at the slot's end
  int8_t previous;     // Left at the slot's start
  int8_t up;           // Up inside the slot
  int8_t down;         // Down inside the slot
  SlotStartBackspace backspaceAtStart;
};

// A structure's spelling in one text format: the opening, the text between two slots and the
// closing; a big operator has only its sign as the opening (its limits follow in script form).
struct FormatTokens {
  std::u16string_view opening;
  std::u16string_view between;
  std::u16string_view closing;
};

struct ConstructRow {
  SymbolCode code;
  std::u16string_view escape;  // the markup word after "\"
  LayoutFamily family;
  Attachment attachment;
  int8_t slotCount;
  std::array<SlotRow, 2> slots;
  bool entersSideways;  // Left and Right go into its slots from outside
  int8_t upEnters;      // the slot Up goes into from beside it, or -1
  int8_t downEnters;    // the slot Down goes into from beside it, or -1
  bool limitsBeside;    // a big operator's limits stand at its side, not above and below
  DeleteOn deleteOn;
  BackspaceAfter backspaceAfter;
  FormatTokens tex;
  FormatTokens hwpScript;
  FormatTokens latex;
  std::u16string_view mathmlElement;
  std::string_view ommlElement;

  std::span<const SlotRow> Slots() const { return {slots.data(), static_cast<size_t>(slotCount)}; }
};

// The rows in a fixed order.
std::span<const ConstructRow> ConstructTable();

// The row of a structure code, nullptr for any other code.
const ConstructRow* FindConstruct(SymbolCode code);

// The family of a structure code; Row for any other code.
LayoutFamily FamilyOf(SymbolCode code);

// A script: a structure that takes the item before it as its base.
bool IsScriptCode(SymbolCode code);

// The role of a structure's first slot (what a one-slot structure is); only for structure codes.
SlotRole FirstSlotRole(SymbolCode code);

// The row of a markup escape word ("frac"), nullptr for any other word.
const ConstructRow* FindConstructByEscape(std::u16string_view escape);

// A code from the range reserved for structures and markers that is neither a construct, a row,
// a placeholder, a switched-off limit nor a named symbol: no tree should hold it, and every walk
// over a tree fails on it rather than guess what it is.
bool IsUnknownReservedCode(SymbolCode code);

// Fails with "<writer>: Unknown token" when IsUnknownReservedCode holds for `code`.
void RequireKnownCode(SymbolCode code, std::u16string_view writer);

}  // namespace kav
