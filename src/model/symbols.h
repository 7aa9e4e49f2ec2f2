// Symbol codes, style flags and the table of named symbols that the markup writes by name.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kav {

using SymbolCode = uint32_t;
using StyleFlags = uint32_t;

// Reserved codes for structures, slots and internal markers; ordinary symbols are BMP code points.
namespace code {
inline constexpr SymbolCode Placeholder = 2000000001;
inline constexpr SymbolCode Frac = 2000000002;
inline constexpr SymbolCode ThickLine = 2000000003;
inline constexpr SymbolCode ThinLine = 2000000004;
inline constexpr SymbolCode EndOfTokens = 2000000005;
inline constexpr SymbolCode Group = 2000000006;
inline constexpr SymbolCode Super = 2000000007;
inline constexpr SymbolCode Sub = 2000000008;
inline constexpr SymbolCode Sqrt = 2000000009;
inline constexpr SymbolCode Sum = 2000000010;
inline constexpr SymbolCode Prod = 2000000011;
inline constexpr SymbolCode Integral = 2000000012;
inline constexpr SymbolCode None = 2000000013;
inline constexpr SymbolCode LBrace = 2000000014;
inline constexpr SymbolCode RBrace = 2000000015;
inline constexpr SymbolCode RedEscape = 2000000016;
// A box that draws one glyph of the math font by glyph index (the index in LayoutBox::x2).
inline constexpr SymbolCode MathGlyph = 2000000017;
}  // namespace code

inline constexpr StyleFlags StyleRoman = 0x01;
inline constexpr StyleFlags StyleBoldRoman = 0x02;
inline constexpr StyleFlags StyleVector = 0x04;
inline constexpr StyleFlags StyleHat = 0x08;
inline constexpr StyleFlags StyleBar = 0x10;
inline constexpr StyleFlags StyleTilde = 0x20;
inline constexpr StyleFlags StyleRed = 0x40;
inline constexpr StyleFlags StyleFaceMask = StyleRoman | StyleBoldRoman;
inline constexpr StyleFlags StyleAccentMask = StyleVector | StyleHat | StyleBar | StyleTilde;

// Sets one style bit after clearing the bits it excludes (one face, one accent), so the later
// setting wins.
StyleFlags WithStyleBit(StyleFlags style, StyleFlags bit);

struct SymbolRow {
  std::u16string_view name;
  SymbolCode code;
  bool greek;
  bool symbolFont;
};

// The 61 rows in their fixed order.
std::span<const SymbolRow> SymbolTable();

SymbolCode CodeOf(std::u16string_view name);
std::u16string NameOf(SymbolCode code);
bool Contains(SymbolCode code);
bool IsGreek(SymbolCode code);
bool UsesSymbolFont(SymbolCode code);

// A code that may stand in an equation as a single-symbol leaf.
bool IsLetterCode(SymbolCode code);
// A leaf drawn as one glyph: a letter code that is not one of the three big operators.
bool IsLeafSymbol(SymbolCode code);
bool IsBigOperator(SymbolCode code);
bool IsUprightByDefault(SymbolCode code);
// TeX's classes of atoms: the space between two neighbours in a row depends on theirs.
enum class AtomClass : uint8_t { Ord, Op, Bin, Rel, Open, Close, Punct, Inner };
// The class a leaf symbol or big operator has on its own; Ord for structures and unknown codes.
AtomClass ClassOf(SymbolCode code);

// The eleven ASCII punctuation characters that stand for themselves in markup and in equations.
bool IsLetterPunctuation(SymbolCode code);

}  // namespace kav
