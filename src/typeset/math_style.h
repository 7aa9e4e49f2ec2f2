// TeX's four math styles and their cramped forms: which constants a construct uses, and
// whether the spaces that only display and text styles have are put between atoms.
#pragma once
#include <cstdint>

namespace kav {

enum class StyleSize : uint8_t { Display, Text, Script, ScriptScript };

struct MathStyle {
  StyleSize size = StyleSize::Display;
  bool cramped = false;

  bool IsDisplay() const { return size == StyleSize::Display; }
  bool IsScript() const { return size >= StyleSize::Script; }
  MathStyle Superscript() const { return MathStyle{Smaller(), cramped}; }
  MathStyle Subscript() const { return MathStyle{Smaller(), true}; }
  // A fraction keeps its size, so its parts go no further down than text style.
  MathStyle Numerator() const { return MathStyle{Inline(), cramped}; }
  MathStyle Denominator() const { return MathStyle{Inline(), true}; }
  MathStyle Radicand() const { return MathStyle{size, true}; }

 private:
  StyleSize Smaller() const { return IsScript() ? StyleSize::ScriptScript : StyleSize::Script; }
  StyleSize Inline() const { return IsDisplay() ? StyleSize::Text : size; }
};

}  // namespace kav
