// What each style button and palette button does, as its tooltip says it: the button's name,
// then how to get the same without the mouse, its key and its inline-box name, where it has
// them ("Fraction — Ctrl+K, \frac").
#pragma once
#include <cstdint>
#include <string>

namespace kav {

// The tooltip of the button with command `id`; empty for an id that is no button's.
std::u16string ButtonTooltip(int32_t id);

}  // namespace kav
