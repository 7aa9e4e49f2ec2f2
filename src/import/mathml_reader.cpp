// Elements are read into an equation tree by one dispatcher: wrappers are flattened into the row,
// scripts and limits become the siblings or limit groups the tree keeps, tokens become leaves.
// Colour and mathvariant are inherited down the elements as MathML inherits them.
#include "import/mathml_reader.h"

#include "base/failure.h"
#include "base/utf.h"
#include "import/xml_reader.h"
#include "model/line.h"
#include "model/mathml_chars.h"
#include "model/near_equivalents.h"

namespace kav {
namespace {

struct Context {
  bool red = false;
  const std::u16string* variant = nullptr;
  int32_t nesting = 0;
};

constexpr char32_t kRing = 0x2218;
constexpr SymbolCode kDegree = 176;

struct BigOperator {
  SymbolCode code = 0;
  bool red = false;
};

[[noreturn]] void Refuse(std::u16string_view what) {
  Fail(u"MathML: " + std::u16string(what) + u" cannot be written in a Kav formula");
}

std::u16string Hex(char32_t cp) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  for (int shift = cp > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) out.push_back(kDigits[(cp >> shift) & 15]);
  return out;
}

bool IsIgnorable(char32_t cp) {
  return cp == ' ' || cp == '\t' || cp == '\r' || cp == '\n' || cp == 0xA0 ||
         (cp >= 0x2000 && cp <= 0x200B) || cp == 0x205F || cp == 0x3000 ||
         (cp >= 0x2061 && cp <= 0x2064) || cp == 0xFEFF;
}

std::u32string CodePoints(std::u16string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u32string Visible(std::u16string_view text) {
  std::u32string out;
  for (char32_t cp : CodePoints(text)) {
    if (!IsIgnorable(cp)) out.push_back(cp);
  }
  return out;
}

bool IsLetter(SymbolCode c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsGreek(c); }

std::u16string Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  std::u16string out(text);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return out;
}

// Red or black; any other colour is refused.
bool IsRedColour(std::u16string_view value) {
  const std::u16string colour = Trimmed(value);
  if (colour == u"red" || colour == u"#f00" || colour == u"#ff0000") return true;
  if (colour == u"black" || colour == u"#000" || colour == u"#000000") return false;
  Refuse(u"mathcolor=\"" + std::u16string(value) + u"\"");
}

StyleFlags FaceOf(const std::u16string& variant) {
  if (variant == u"normal") return StyleRoman;
  if (variant == u"bold" || variant == u"bold-italic") return StyleBoldRoman;
  if (variant == u"italic") return 0;
  Refuse(u"mathvariant=\"" + variant + u"\"");
}

// Mathematical bold and italic letters and bold digits, as some programs write them instead of
// a mathvariant: the plain character and its face.
// ", the lunate epsilon ..., not Kav's ..." for a lookalike of a Kav symbol, else nothing.
std::u16string LookalikeName(char32_t ch) {
  const NearEquivalent* row = NearEquivalentOfChar(ch);
  return row != nullptr && row->code == 0 ? u", " + std::u16string(row->name) : std::u16string();
}

bool Alphanumeric(char32_t cp, char32_t& plain, StyleFlags& face) {
  struct Range {
    char32_t first;
    char32_t letter;
    StyleFlags face;
  };
  static constexpr Range kRanges[] = {{0x1D400, 'A', StyleBoldRoman}, {0x1D41A, 'a', StyleBoldRoman},
                                      {0x1D434, 'A', 0},              {0x1D44E, 'a', 0},
                                      {0x1D468, 'A', StyleBoldRoman}, {0x1D482, 'a', StyleBoldRoman}};
  if (cp == 0x210E) return plain = 'h', face = 0, true;
  if (cp >= 0x1D7CE && cp <= 0x1D7D7) return plain = '0' + (cp - 0x1D7CE), face = StyleBoldRoman, true;
  for (const Range& range : kRanges) {
    if (cp >= range.first && cp < range.first + 26) {
      plain = range.letter + (cp - range.first);
      face = range.face;
      return true;
    }
  }
  return false;
}

class Builder {
 public:
  explicit Builder(const XmlDocument& document) : doc_(document) {}

  // The markup of one <math> element; a failure names the line of the element at fault.
  std::u16string Formula(int32_t math) {
    try {
      return FormulaMarkup(math);
    } catch (const MathmlFailure&) {
      throw;
    } catch (const Failure& failure) {
      throw MathmlFailure{failure, doc_.elements[math].line};
    }
  }

 private:
  std::u16string FormulaMarkup(int32_t math) {
    if (Name(math) != u"math") Fail(u"MathML: <" + Name(math) + u"> is not a <math> element");
    EquationLine line;
    tree_ = &line.tree;
    const int32_t root = line.tree.SetRoot(MakeNode(code::Group));
    Children(math, root, Inherit(math, Context{}));
    ExportTextBuffer buffer;
    line.Serialize(buffer);
    // The markup reader's own bounds (nesting) hold for what was read.
    EquationLine check(line.markup);
    return line.markup;
  }

  const std::u16string& Name(int32_t element) const { return doc_.elements[element].name; }
  const std::vector<int32_t>& Kids(int32_t element) const { return doc_.elements[element].children; }

  Context Inherit(int32_t element, Context context) const {
    for (const char16_t* name : {u"color", u"mathcolor"}) {
      if (const std::u16string* value = doc_.Attribute(element, name)) context.red = IsRedColour(*value);
    }
    if (const std::u16string* variant = doc_.Attribute(element, u"mathvariant")) context.variant = variant;
    return context;
  }

  StyleFlags RedOf(const Context& context) const { return context.red ? StyleRed : 0; }

  void Children(int32_t element, int32_t group, const Context& context) {
    if (!Visible(doc_.elements[element].text).empty()) Refuse(u"text directly inside <" + Name(element) + u">");
    for (int32_t child : Kids(element)) Element(child, group, context);
  }

  // Reads one element into the group; what fails inside it names its line.
  void Element(int32_t element, int32_t group, const Context& context) {
    try {
      ElementOfKind(element, group, Inherit(element, context));
    } catch (const MathmlFailure&) {
      throw;
    } catch (const Failure& failure) {
      throw MathmlFailure{failure, doc_.elements[element].line};
    }
  }

  void ElementOfKind(int32_t element, int32_t group, const Context& context) {
    const std::u16string& name = Name(element);
    if (name == u"mrow" && IsNoneMarker(element)) {
      tree_->AddChild(group, MakeNode(code::None));
    } else if (name == u"mrow" || name == u"mstyle" || name == u"mpadded" || name == u"math") {
      Children(element, group, context);
    } else if (name == u"semantics" || name == u"maction") {
      if (!Kids(element).empty()) Element(Kids(element)[0], group, context);
    } else if (name == u"annotation" || name == u"annotation-xml" || name == u"mspace" ||
               name == u"mphantom") {
      return;
    } else if (name == u"mi" || name == u"mn" || name == u"mo" || name == u"mtext" || name == u"ms") {
      Token(element, group, context);
    } else if (name == u"mfrac") {
      Fraction(element, group, context);
    } else if (name == u"msqrt") {
      const int32_t node = Structure(group, code::Sqrt, context);
      Children(element, Argument(node), Deeper(context));
    } else if (name == u"msup" || name == u"msub" || name == u"msubsup") {
      Scripts(element, group, context);
    } else if (name == u"munder" || name == u"mover" || name == u"munderover") {
      UnderOver(element, group, context);
    } else if (name == u"mfenced") {
      Fenced(element, group, context);
    } else {
      Refuse(u"<" + name + u">");
    }
  }

  // The empty row the writer leaves for a \none that is not a limit's switch.
  bool IsNoneMarker(int32_t element) const {
    const std::u16string* marker = doc_.Attribute(element, u"class");
    return marker && *marker == u"kav-none" && Kids(element).empty();
  }

  Context Deeper(Context context) const {
    if (++context.nesting > kMaxStructureNesting) Fail(u"MathML: the formula is nested too deeply");
    return context;
  }

  int32_t Structure(int32_t group, SymbolCode c, const Context& context) {
    return tree_->AddChild(group, MakeNode(c, RedOf(context)));
  }

  int32_t Argument(int32_t node) { return tree_->AddChild(node, MakeNode(code::Group)); }

  void Arity(int32_t element, size_t count) const {
    if (Kids(element).size() != count) {
      Fail(u"MathML: <" + Name(element) + u"> needs " + std::u16string(1, u'0' + count) + u" children");
    }
  }

  void Fraction(int32_t element, int32_t group, const Context& context) {
    Arity(element, 2);
    if (const std::u16string* thickness = doc_.Attribute(element, u"linethickness")) {
      const std::u16string value = Trimmed(*thickness);
      if (!value.empty() && value.find_first_not_of(u"0.") == value.find_first_not_of(u"0.ptxemin")) {
        Refuse(u"<mfrac linethickness=\"" + *thickness + u"\">");
      }
    }
    const int32_t node = Structure(group, code::Frac, context);
    for (int32_t child : Kids(element)) Element(child, Argument(node), Deeper(context));
  }

  // The n-ary operator an element is (through single-child wrappers), or code 0.
  BigOperator NaryOf(int32_t element, Context context) const {
    context = Inherit(element, context);
    const std::u16string& name = Name(element);
    if ((name == u"mrow" || name == u"mstyle") && Kids(element).size() == 1) {
      return NaryOf(Kids(element)[0], context);
    }
    if (name != u"mo" && name != u"mi") return {};
    const std::u32string text = Visible(doc_.elements[element].text);
    if (text.size() != 1) return {};
    return {BigOperatorOfMathmlChar(text[0]), context.red};
  }

  // A big operator with its limit elements (negative: that limit is off).
  void Nary(BigOperator op, int32_t lower, int32_t upper, int32_t group, const Context& context) {
    const int32_t node = tree_->AddChild(group, MakeNode(op.code, op.red ? StyleRed : 0));
    for (int32_t limit : {lower, upper}) {
      const int32_t limitGroup = Argument(node);
      if (limit < 0) {
        tree_->AddChild(limitGroup, MakeNode(code::None));
      } else {
        Element(limit, limitGroup, Deeper(context));
        DropAfterNone(limitGroup);
      }
    }
  }

  // A limit that begins with <none/> is off, and what follows it is never shown: it is left out,
  // as the writer leaves it out.
  void DropAfterNone(int32_t limitGroup) {
    if (tree_->ChildCount(limitGroup) == 0 || tree_->CodeAt(tree_->Child(limitGroup, 0)) != code::None) return;
    while (tree_->ChildCount(limitGroup) > 1) tree_->Detach(tree_->Child(limitGroup, 1));
  }

  void Script(SymbolCode c, int32_t element, int32_t group, const Context& context) {
    const int32_t node = Structure(group, c, context);
    Element(element, Argument(node), Deeper(context));
  }

  void Scripts(int32_t element, int32_t group, const Context& context) {
    const std::u16string& name = Name(element);
    Arity(element, name == u"msubsup" ? 3 : 2);
    const std::vector<int32_t>& kids = Kids(element);
    const int32_t sub = name == u"msup" ? -1 : kids[1];
    const int32_t super = name == u"msub" ? -1 : kids.back();
    if (const BigOperator op = NaryOf(kids[0], context); op.code != 0) {
      return Nary(op, sub, super, group, context);
    }
    Element(kids[0], group, context);
    if (sub >= 0) Script(code::Sub, sub, group, context);
    // A ring as a superscript is the degree sign, as LaTeX writes it ("^\circ").
    if (Context sign = context; super >= 0 && IsRing(super, sign)) {
      tree_->AddChild(group, MakeNode(kDegree, RedOf(sign)));
    } else if (super >= 0) {
      Script(code::Super, super, group, context);
    }
  }

  // Whether an element is the ring operator alone (through single-child wrappers); `context`
  // becomes the one the ring is drawn in.
  bool IsRing(int32_t element, Context& context) const {
    context = Inherit(element, context);
    const std::u16string& name = Name(element);
    if ((name == u"mrow" || name == u"mstyle") && Kids(element).size() == 1)
      return IsRing(Kids(element)[0], context);
    return (name == u"mo" || name == u"mi") && Kids(element).empty() &&
           Visible(doc_.elements[element].text) == std::u32string(1, kRing);
  }

  // The accent bit an over-script is, through single-child wrappers; 0 when it is none.
  StyleFlags AccentOf(int32_t element) const {
    const std::u16string& name = Name(element);
    if ((name == u"mrow" || name == u"mstyle") && Kids(element).size() == 1) return AccentOf(Kids(element)[0]);
    if (name != u"mo" && name != u"mi") return 0;
    const std::u32string text = Visible(doc_.elements[element].text);
    return text.size() == 1 ? AccentOfMathmlChar(text[0]) : 0;
  }

  void UnderOver(int32_t element, int32_t group, const Context& context) {
    const std::u16string& name = Name(element);
    Arity(element, name == u"munderover" ? 3 : 2);
    const std::vector<int32_t>& kids = Kids(element);
    const int32_t under = name == u"mover" ? -1 : kids[1];
    const int32_t over = name == u"munder" ? -1 : kids.back();
    if (const BigOperator op = NaryOf(kids[0], context); op.code != 0) {
      return Nary(op, under, over, group, context);
    }
    if (const StyleFlags accent = name == u"mover" ? AccentOf(over) : 0; accent != 0) {
      return Accent(kids[0], accent, group, context);
    }
    // Limits of an operator name (lim, max) become its scripts, as LaTeX's "\lim_{x}" does;
    // the formula has no place for limits of anything else.
    if (!IsOperatorName(kids[0]))
      Refuse(u"<" + name + u"> " + Placement(name) + u" " + Described(kids[0]));
    Element(kids[0], group, context);
    if (under >= 0) Script(code::Sub, under, group, context);
    if (over >= 0) Script(code::Super, over, group, context);
  }

  // A token of two or more letters (spaces between them allowed), through single-child wrappers.
  bool IsOperatorName(int32_t element) const {
    const std::u16string& name = Name(element);
    if ((name == u"mrow" || name == u"mstyle") && Kids(element).size() == 1)
      return IsOperatorName(Kids(element)[0]);
    if ((name != u"mo" && name != u"mi") || !Kids(element).empty()) return false;
    const std::u32string text = Visible(doc_.elements[element].text);
    for (char32_t cp : text) {
      if (!((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z'))) return false;
    }
    return text.size() > 1;
  }

  static std::u16string Placement(const std::u16string& name) {
    return name == u"munder" ? u"under" : name == u"mover" ? u"over" : u"under and over";
  }

  // An element as a message names it: a token by its text, anything else by its name.
  std::u16string Described(int32_t element) const {
    const std::u16string& name = Name(element);
    const std::u32string text = Visible(doc_.elements[element].text);
    if (!Kids(element).empty() || text.empty() || text.size() > 20) return u"<" + name + u">";
    std::u16string out = u"<" + name + u">";
    for (char32_t cp : text) AppendUtf16(out, cp);
    return out + u"</" + name + u">";
  }

  void Accent(int32_t base, StyleFlags accent, int32_t group, const Context& context) {
    const int32_t first = tree_->ChildCount(group);
    Element(base, group, context);
    for (int32_t k = first; k < tree_->ChildCount(group); ++k) {
      NodeData& data = tree_->Data(tree_->Child(group, k));
      if (!IsLeafSymbol(data.code)) Refuse(u"an accent over more than letters");
      data.style = WithStyleBit(data.style, accent);
    }
  }

  // Fences and separators around the children, as the element stands for.
  void Fenced(int32_t element, int32_t group, const Context& context) {
    auto text = [&](const char16_t* name, std::u16string_view fallback) {
      const std::u16string* value = doc_.Attribute(element, name);
      return value ? *value : std::u16string(fallback);
    };
    const std::u32string separators = Visible(text(u"separators", u","));
    Characters(CodePoints(text(u"open", u"(")), false, 0, group, context);
    const std::vector<int32_t>& kids = Kids(element);
    for (size_t i = 0; i < kids.size(); ++i) {
      if (i > 0 && !separators.empty()) {
        const char32_t separator = separators[std::min(i - 1, separators.size() - 1)];
        Characters(std::u32string(1, separator), false, 0, group, context);
      }
      Element(kids[i], group, context);
    }
    Characters(CodePoints(text(u"close", u")")), false, 0, group, context);
  }

  void Token(int32_t element, int32_t group, const Context& context) {
    if (!Kids(element).empty()) Refuse(u"<" + Name(element) + u"> holding <" + Name(Kids(element)[0]) + u">");
    const std::u16string& name = Name(element);
    const std::u32string text = Visible(doc_.elements[element].text);
    // A name of several letters (sin, lim) is upright, as MathML draws it.
    const bool uprightLetters = name != u"mn" && (name != u"mi" || text.size() > 1);
    const bool operatorToken = name == u"mo" || name == u"mi";
    const StyleFlags face = context.variant ? FaceOf(*context.variant) : 0;
    Characters(text, uprightLetters && !context.variant, face, group, context, operatorToken);
  }

  void Characters(const std::u32string& text, bool uprightLetters, StyleFlags face, int32_t group,
                  const Context& context, bool operatorToken = true) {
    for (char32_t cp : text) {
      if (IsIgnorable(cp)) continue;
      const SymbolCode nary = operatorToken ? BigOperatorOfMathmlChar(cp) : 0;
      if (nary != 0) {
        Nary({nary, context.red}, -1, -1, group, context);
        continue;
      }
      char32_t plain = cp;
      StyleFlags style = face;
      if (Alphanumeric(cp, plain, style)) style = context.variant ? face : style;
      const SymbolCode c = CodeOfMathmlChar(plain);
      if (c == 0) Refuse(u"\"" + Utf16(cp) + u"\" (U+" + Hex(cp) + LookalikeName(plain) + u")");
      if (uprightLetters && IsLetter(c) && plain == cp) style = StyleRoman;
      tree_->AddChild(group, MakeNode(c, style | RedOf(context)));
    }
  }

  static std::u16string Utf16(char32_t cp) {
    std::u16string out;
    AppendUtf16(out, cp);
    return out;
  }

  const XmlDocument& doc_;
  EquationTree* tree_ = nullptr;
};

}  // namespace

std::vector<std::u16string> ReadMathmlFormulas(std::u16string_view text,
                                               std::vector<int32_t>* lines) {
  const XmlDocument document = ReadXml(text);
  if (document.roots.empty()) Fail(u"MathML: the text holds no <math> element");
  std::vector<std::u16string> formulas;
  Builder builder(document);
  for (int32_t root : document.roots) {
    formulas.push_back(builder.Formula(root));
    if (lines) lines->push_back(document.elements[root].line);
  }
  return formulas;
}

bool LooksLikeMathml(std::u16string_view text) {
  size_t pos = 0;
  for (;;) {
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t' || text[pos] == u'\r' ||
                                 text[pos] == u'\n' || text[pos] == 0xFEFF)) {
      ++pos;
    }
    const std::u16string_view rest = text.substr(pos);
    // Only XML begins with a declaration or a DOCTYPE: what follows is for the reader to judge.
    if (rest.starts_with(u"<?xml") || rest.starts_with(u"<!DOCTYPE")) return true;
    const std::u16string_view end = rest.starts_with(u"<?") ? u"?>" : rest.starts_with(u"<!--") ? u"-->" : u"";
    if (end.empty()) break;
    const size_t found = rest.find(end);
    if (found == std::u16string_view::npos) return false;
    pos += found + end.size();
  }
  std::u16string_view rest = text.substr(pos);
  if (!rest.starts_with(u"<")) return false;
  size_t nameEnd = 1;
  while (nameEnd < rest.size() && rest[nameEnd] != u' ' && rest[nameEnd] != u'>' && rest[nameEnd] != u'/' &&
         rest[nameEnd] != u'\t' && rest[nameEnd] != u'\r' && rest[nameEnd] != u'\n') {
    ++nameEnd;
  }
  std::u16string_view name = rest.substr(1, nameEnd - 1);
  const size_t colon = name.rfind(u':');
  if (colon != std::u16string_view::npos) name = name.substr(colon + 1);
  return name == u"math";
}

}  // namespace kav
