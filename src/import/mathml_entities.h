// Named character entities a MathML text may use without declaring them: XML's five and the
// MathML names of the characters the editor's symbols are written with.
#pragma once
#include <string_view>

namespace kav {

// The character of an entity name (without & and ;), 0 for a name not known.
char32_t EntityCharacter(std::u16string_view name);

}  // namespace kav
