// A small, bounded XML reader for the MathML that other programs put on the clipboard or in
// files: elements, attributes, text, character references, the predefined entities and the
// MathML entity names the editor's symbols need, comments, CDATA and processing instructions.
// A DOCTYPE is skipped, never expanded, and nothing is fetched. Nesting and length are bounded;
// any input either reads or fails with a Failure naming the line.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"

namespace kav {

inline constexpr int32_t kMaxXmlDepth = 256;
inline constexpr size_t kMaxXmlLength = 8 * 1024 * 1024;

struct XmlAttribute {
  std::u16string name;  // local name, any prefix removed
  std::u16string value;
};

struct XmlElement {
  std::u16string name;  // local name, any prefix removed ("mml:mi" is "mi")
  std::vector<XmlAttribute> attributes;
  std::vector<int32_t> children;  // element children, in order
  std::u16string text;            // the element's own character data, all pieces joined
  int32_t line = 1;               // the input line of its start tag, counting from 1
};

// A failure of the MathML text, with the input line it concerns (0 when it concerns no line).
struct MathmlFailure : Failure {
  int32_t line = 0;
};

struct XmlDocument {
  std::vector<XmlElement> elements;
  std::vector<int32_t> roots;  // the top-level elements, in order

  // The value of an attribute, or null when the element has none of that name.
  const std::u16string* Attribute(int32_t element, std::u16string_view name) const;
};

// Reads the text (one or more top-level elements, with an optional XML declaration, DOCTYPE,
// comments and processing instructions around them). Throws a MathmlFailure
// "MathML: <what> (line N)" for that line.
XmlDocument ReadXml(std::u16string_view text);

}  // namespace kav
