// A recursive-descent reader over UTF-16 text. Every step checks the end of the text first, the
// element depth is bounded, and a DOCTYPE's internal subset is stepped over without being read.
#include "import/xml_reader.h"

#include <algorithm>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "import/input_bounds.h"
#include "import/mathml_entities.h"

namespace kav {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool IsNameChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u':' || c == u'-' || c == u'.' || c >= 0x80;
}

std::u16string LocalName(std::u16string_view name) {
  const size_t colon = name.rfind(u':');
  return std::u16string(colon == std::u16string_view::npos ? name : name.substr(colon + 1));
}

class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text) {}

  XmlDocument Document() {
    if (text_.size() > kMaxXmlLength) Fail(u"MathML: the text is too long");
    for (size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == u'\n') lineEnds_.push_back(i);
    }
    if (!text_.empty() && text_[0] == 0xFEFF) pos_ = 1;
    for (;;) {
      SkipMisc();
      if (AtEnd()) break;
      if (!Peek(u"<")) Error(u"text outside an element");
      const size_t start = pos_;
      document_.roots.push_back(Element(1));
      if (const size_t length = pos_ - start; length > kMaxFormulaText) {
        pos_ = start;  // the line where it begins
        Error(TooLongText(u"the formula", length));
      }
    }
    return std::move(document_);
  }

 private:
  // The line of a position: one more than the line ends before it.
  int32_t LineAt(size_t pos) const {
    return 1 + static_cast<int32_t>(std::lower_bound(lineEnds_.begin(), lineEnds_.end(), pos) -
                                    lineEnds_.begin());
  }

  [[noreturn]] void Error(std::u16string_view what) const {
    const int32_t line = LineAt(pos_);
    throw MathmlFailure{
        {u"MathML: " + std::u16string(what) + u" (line " + Ascii16(std::to_string(line)) + u")"},
        line};
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  bool Peek(std::u16string_view s) const { return text_.substr(pos_).starts_with(s); }

  void Expect(std::u16string_view s) {
    if (!Peek(s)) Error(u"expected \"" + std::u16string(s) + u"\"");
    pos_ += s.size();
  }

  void SkipSpace() {
    while (!AtEnd() && IsSpace(text_[pos_])) ++pos_;
  }

  // Steps past the next `end`, failing when the text ends first.
  void SkipPast(std::u16string_view end, std::u16string_view what) {
    const size_t found = text_.find(end, pos_);
    if (found == std::u16string_view::npos) Error(what);
    pos_ = found + end.size();
  }

  // Space, comments, processing instructions (the XML declaration among them) and a DOCTYPE.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      if (Peek(u"<!--")) {
        SkipPast(u"-->", u"unterminated comment");
      } else if (Peek(u"<?")) {
        SkipPast(u"?>", u"unterminated processing instruction");
      } else if (Peek(u"<!DOCTYPE")) {
        SkipDoctype();
      } else {
        return;
      }
    }
  }

  // The declaration and its internal subset are passed over; their entities are never used.
  void SkipDoctype() {
    int32_t brackets = 0;
    char16_t quote = 0;
    for (pos_ += 9; !AtEnd(); ++pos_) {
      const char16_t c = text_[pos_];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == u'"' || c == u'\'') {
        quote = c;
      } else if (c == u'[') {
        ++brackets;
      } else if (c == u']') {
        --brackets;
      } else if (c == u'>' && brackets <= 0) {
        ++pos_;
        return;
      }
    }
    Error(u"unterminated DOCTYPE");
  }

  std::u16string_view Name() {
    const size_t start = pos_;
    while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
    if (pos_ == start) Error(u"expected a name");
    return text_.substr(start, pos_ - start);
  }

  // "&name;" or "&#N;" or "&#xH;" at pos_, appended to `out`.
  void Reference(std::u16string& out) {
    const size_t semicolon = text_.find(u';', pos_);
    if (semicolon == std::u16string_view::npos || semicolon - pos_ > 40) Error(u"bad reference");
    const std::u16string_view body = text_.substr(pos_ + 1, semicolon - pos_ - 1);
    char32_t cp = 0;
    if (body.starts_with(u"#")) {
      cp = NumericReference(body.substr(1));
    } else {
      cp = EntityCharacter(body);
      if (cp == 0) Error(u"unknown entity &" + std::u16string(body) + u";");
    }
    AppendUtf16(out, cp);
    pos_ = semicolon + 1;
  }

  char32_t NumericReference(std::u16string_view digits) const {
    const bool hex = digits.starts_with(u"x");
    if (hex) digits.remove_prefix(1);
    uint32_t value = 0;
    for (char16_t c : digits) {
      uint32_t d = 0;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (hex && c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (hex && c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else Error(u"bad character reference");
      value = value * (hex ? 16 : 10) + d;
      if (value > 0x10FFFF) Error(u"bad character reference");
    }
    if (digits.empty() || value == 0 || (value >= 0xD800 && value <= 0xDFFF)) {
      Error(u"bad character reference");
    }
    return value;
  }

  std::u16string AttributeValue() {
    const char16_t quote = AtEnd() ? 0 : text_[pos_];
    if (quote != u'"' && quote != u'\'') Error(u"expected a quoted attribute value");
    ++pos_;
    std::u16string value;
    while (!AtEnd() && text_[pos_] != quote) {
      if (text_[pos_] == u'<') Error(u"\"<\" in an attribute value");
      if (text_[pos_] == u'&') {
        Reference(value);
      } else {
        value.push_back(text_[pos_++]);
      }
    }
    if (AtEnd()) Error(u"unterminated attribute value");
    ++pos_;
    return value;
  }

  // Reads attributes up to ">" or "/>"; returns true for an empty element.
  bool Attributes(XmlElement& element) {
    for (;;) {
      SkipSpace();
      if (Peek(u"/>")) {
        pos_ += 2;
        return true;
      }
      if (Peek(u">")) {
        ++pos_;
        return false;
      }
      const std::u16string name = LocalName(Name());
      SkipSpace();
      Expect(u"=");
      SkipSpace();
      element.attributes.push_back({name, AttributeValue()});
    }
  }

  int32_t Element(int32_t depth) {
    if (depth > kMaxXmlDepth) Error(u"elements nested too deeply");
    const int32_t line = LineAt(pos_);
    Expect(u"<");
    const std::u16string_view qualified = Name();
    const auto index = static_cast<int32_t>(document_.elements.size());
    document_.elements.push_back(XmlElement{LocalName(qualified), {}, {}, {}, line});
    XmlElement element;
    const bool empty = Attributes(element);
    document_.elements[index].attributes = std::move(element.attributes);
    if (!empty) Content(index, qualified, depth);
    return index;
  }

  void Content(int32_t index, std::u16string_view qualified, int32_t depth) {
    std::u16string text;
    for (;;) {
      if (AtEnd()) Error(u"<" + std::u16string(qualified) + u"> is not closed");
      if (Peek(u"</")) {
        pos_ += 2;
        if (Name() != qualified) Error(u"</...> does not close <" + std::u16string(qualified) + u">");
        SkipSpace();
        Expect(u">");
        document_.elements[index].text = std::move(text);
        return;
      }
      if (Peek(u"<!--")) {
        SkipPast(u"-->", u"unterminated comment");
      } else if (Peek(u"<![CDATA[")) {
        const size_t start = pos_ + 9;
        SkipPast(u"]]>", u"unterminated CDATA section");
        text.append(text_.substr(start, pos_ - 3 - start));
      } else if (Peek(u"<?")) {
        SkipPast(u"?>", u"unterminated processing instruction");
      } else if (Peek(u"<")) {
        const int32_t child = Element(depth + 1);
        document_.elements[index].children.push_back(child);
      } else if (text_[pos_] == u'&') {
        Reference(text);
      } else {
        text.push_back(text_[pos_++]);
      }
    }
  }

  std::u16string_view text_;
  std::vector<size_t> lineEnds_;  // the positions of the line feeds
  size_t pos_ = 0;
  XmlDocument document_;
};

}  // namespace

const std::u16string* XmlDocument::Attribute(int32_t element, std::u16string_view name) const {
  for (const XmlAttribute& attribute : elements[element].attributes) {
    if (attribute.name == name) return &attribute.value;
  }
  return nullptr;
}

XmlDocument ReadXml(std::u16string_view text) { return Reader(text).Document(); }

}  // namespace kav
