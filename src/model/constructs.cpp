#include "model/constructs.h"

#include <string>

#include "base/failure.h"

namespace kav {
namespace {

using enum LayoutFamily;
using enum SlotRole;
using enum Attachment;
using enum SlotStartBackspace;

// One slot that the caret leaves on either side and whose Up and Down belong to the row outside.
constexpr SlotRow kOnlySlot(SlotRole role, int8_t levelChange) {
  return {role, levelChange, kLeaveAfter, kLeaveBefore, kPassOn, kPassOn, RemoveIfAllEmpty};
}

// Limits: Up leaves the lower one and Down the upper one to just after the operator (from where
// the same key enters the other limit); the other way the move belongs to the row outside.
constexpr std::array<SlotRow, 2> kLimits = {{
    {LowerLimit, 1, kLeaveAfter, kLeaveBefore, kLeaveAfter, kPassOn, Nothing},
    {UpperLimit, 1, kLeaveAfter, kLeaveBefore, kPassOn, kLeaveAfter, Nothing},
}};

constexpr ConstructRow kFrac = {
    code::Frac, u"frac", Fraction, Alone, 2,
    {{{Numerator, 0, 1, kLeaveBefore, kPassOn, 1, RemoveIfAllEmpty},
      {Denominator, 0, kLeaveAfter, 0, 0, kPassOn, ToPreviousSlotIfEmpty}}},
    true, -1, -1, false, DeleteOn::RemoveIfAllEmpty, BackspaceAfter::EnterLastSlot,
    {u"\\frac{", u"}{", u"}"}, {u"{{", u"}over{", u"}}"}, {u"\\frac{", u"}{", u"}"},
    u"mfrac", "m:f"};

constexpr ConstructRow kSuper = {
    code::Super, u"super", Script, TakesItemBefore, 1, {{kOnlySlot(Superscript, 1)}},
    true, -1, -1, false, DeleteOn::Nothing, BackspaceAfter::EnterLastSlot,
    {u"^{", {}, u"}"}, {u"^{", {}, u"}"}, {u"^{", {}, u"}"}, u"msup", "m:sSup"};

constexpr ConstructRow kSub = {
    code::Sub, u"sub", Script, TakesItemBefore, 1, {{kOnlySlot(Subscript, 1)}},
    true, -1, -1, false, DeleteOn::Nothing, BackspaceAfter::EnterLastSlot,
    {u"_{", {}, u"}"}, {u"_{", {}, u"}"}, {u"_{", {}, u"}"}, u"msub", "m:sSub"};

constexpr ConstructRow kSqrt = {
    code::Sqrt, u"sqrt", Radical, Alone, 1, {{kOnlySlot(Radicand, 0)}},
    true, -1, -1, false, DeleteOn::RemoveIfAllEmpty, BackspaceAfter::EnterLastSlot,
    {u"\\sqrt{", {}, u"}"}, {u"sqrt{", {}, u"}"}, {u"\\sqrt{", {}, u"}"}, u"msqrt", "m:rad"};

constexpr ConstructRow BigOperatorRow(SymbolCode c, std::u16string_view escape,
                                      std::u16string_view tex, std::u16string_view hwp,
                                      std::u16string_view latex, std::u16string_view mathml,
                                      bool limitsBeside) {
  return {c,     escape, BigOperator, TakesItemsAfter, 2,      kLimits,
          false, 1,      0,           limitsBeside,    DeleteOn::Remove, BackspaceAfter::Remove,
          {tex, {}, {}}, {hwp, {}, {}}, {latex, {}, {}}, mathml, "m:nary"};
}

// The markup reader's keywords come from here in this order.
constexpr std::array<ConstructRow, 7> kRows = {
    kFrac,
    kSuper,
    kSub,
    kSqrt,
    BigOperatorRow(code::Sum, u"sum", u"\\sum ", u"sum ", u"\\sum", u"munderover",
                   false),
    BigOperatorRow(code::Prod, u"prod", u"\\prod ", u"prod ", u"\\prod", u"munderover",
                   false),
    BigOperatorRow(code::Integral, u"integral", u"\\integral ", u"integral ", u"\\int",
                   u"msubsup", true),
};

constexpr SymbolCode kFirstReserved = 2000000000;

}  // namespace

std::span<const ConstructRow> ConstructTable() { return kRows; }

const ConstructRow* FindConstruct(SymbolCode code) {
  // Most codes are letters: one comparison sends them away before the rows are looked at.
  if (code < code::Frac || code > code::Integral) return nullptr;
  for (const ConstructRow& row : kRows) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

LayoutFamily FamilyOf(SymbolCode code) {
  const ConstructRow* row = FindConstruct(code);
  return row != nullptr ? row->family : LayoutFamily::Row;
}

bool IsScriptCode(SymbolCode code) {
  const ConstructRow* row = FindConstruct(code);
  return row != nullptr && row->attachment == TakesItemBefore;
}

SlotRole FirstSlotRole(SymbolCode code) { return FindConstruct(code)->slots[0].role; }

const ConstructRow* FindConstructByEscape(std::u16string_view escape) {
  for (const ConstructRow& row : kRows) {
    if (row.escape == escape) return &row;
  }
  return nullptr;
}

bool IsUnknownReservedCode(SymbolCode code) {
  if (code <= kFirstReserved) return false;
  if (code == code::Group || code == code::Placeholder || code == code::None) return false;
  return FindConstruct(code) == nullptr && !Contains(code);
}

void RequireKnownCode(SymbolCode code, std::u16string_view writer) {
  if (!IsUnknownReservedCode(code)) return;
  std::u16string text(writer);
  text += u": Unknown token";
  Fail(std::move(text));
}

}  // namespace kav
