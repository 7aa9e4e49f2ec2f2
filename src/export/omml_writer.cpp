// Each node's text is a fresh string; a row is reordered first so that scripts take their base
// and big operators their operand as Office Math nests them.
#include "export/omml_writer.h"

#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/omml_row_order.h"
#include "model/symbols.h"

namespace kav {
namespace {

constexpr std::string_view kRedRunProperties =
    "<a:rPr><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></a:rPr>";

// The mathematical bold counterpart of a letter, Greek letter or digit; 0 when there is none.
uint32_t BoldCounterpart(uint32_t c) {
  if (c >= 'a' && c <= 'z') return c + 119737;
  if (c >= 'A' && c <= 'Z') return c + 119743;
  if (c >= 0x03B1 && c <= 0x03C9) return c + 119569;
  if (c >= 0x0391 && c <= 0x03A9) return c + 119575;
  if (c >= '0' && c <= '9') return c + 120734;
  return 0;
}

// Exactly one accent bit gives a combining mark above; several are dropped together.
uint32_t AccentMark(StyleFlags style) {
  switch (style & StyleAccentMask) {
    case StyleVector: return 0x20D7;
    case StyleHat: return 0x0302;
    case StyleBar: return 0x0305;
    case StyleTilde: return 0x0303;
    default: return 0;
  }
}

std::string Run(uint32_t c, StyleFlags style) {
  const std::string_view red = (style & StyleRed) ? kRedRunProperties : std::string_view();
  const StyleFlags face = style & StyleFaceMask;
  const uint32_t bold = face == StyleBoldRoman ? BoldCounterpart(c) : 0;
  std::string out = "<m:r>";
  if (face == StyleRoman || (face == StyleBoldRoman && bold == 0)) {
    out += "<m:rPr><m:sty m:val=\"p\"/></m:rPr>";
  }
  out += red;
  out += "<m:t>";
  out += EncodeOmmlChar(bold != 0 ? bold : c);
  out += "</m:t></m:r>";
  return out;
}

std::string Character(uint32_t c, StyleFlags style) {
  const uint32_t mark = AccentMark(style);
  if (mark == 0) return Run(c, style);
  return "<m:acc><m:accPr><m:chr m:val=\"" + EncodeOmmlChar(mark) + "\"/></m:accPr><m:e>" +
         Run(c, style) + "</m:e></m:acc>";
}

std::string Frac(const EquationTree& tree, int32_t node) {
  return "<m:f><m:num>" + WriteOmml(tree, tree.Child(node, 0), {}) + "</m:num><m:den>" +
         WriteOmml(tree, tree.Child(node, 1), {}) + "</m:den></m:f>";
}

std::string Script(const EquationTree& tree, int32_t node, const std::string& base) {
  const std::string_view tag = tree.CodeAt(node) == code::Super ? "sup" : "sub";
  const std::string_view outer = tree.CodeAt(node) == code::Super ? "sSup" : "sSub";
  std::string out = "<m:";
  out.append(outer).append("><m:e>").append(base).append("</m:e><m:").append(tag).append(">");
  out += WriteOmml(tree, tree.Child(node, 0), {});
  out.append("</m:").append(tag).append("></m:").append(outer).append(">");
  return out;
}

std::string Radical(const EquationTree& tree, int32_t node) {
  return "<m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/><m:e>" +
         WriteOmml(tree, tree.Child(node, 0), {}) + "</m:e></m:rad>";
}

// The integral sign is Office Math's default n-ary character, so it needs no property.
std::string NaryCharacter(SymbolCode c) {
  if (c == code::Integral) return {};
  return "<m:chr m:val=\"" + EncodeOmmlChar(c == code::Sum ? 0x2211 : 0x220F) + "\"/>";
}

std::string Nary(const EquationTree& tree, int32_t node, const std::string& operand) {
  const std::string lower = WriteOmml(tree, tree.Child(node, 0), {});
  const std::string upper = WriteOmml(tree, tree.Child(node, 1), {});
  std::string out = "<m:nary><m:naryPr>" + NaryCharacter(tree.CodeAt(node));
  if (!upper.empty()) {
    out += "</m:naryPr><m:sub>" + lower + "</m:sub><m:sup>" + upper + "</m:sup>";
  } else if (!lower.empty()) {
    out += "<m:supHide m:val=\"on\"/></m:naryPr><m:sub>" + lower + "</m:sub><m:sup/>";
  } else {
    out += "<m:subHide m:val=\"on\"/><m:supHide m:val=\"on\"/></m:naryPr><m:sub/><m:sup/>";
  }
  return out + "<m:e>" + operand + "</m:e></m:nary>";
}

bool TakesBase(SymbolCode c) { return c == code::Super || c == code::Sub || IsBigOperator(c); }

// Writes the row in its Office Math order; a script or operator consumes the text of the entry
// written just before it.
std::string Row(const EquationTree& tree, int32_t group) {
  const std::vector<int32_t>& children = tree.Children(group);
  std::vector<SymbolCode> codes;
  codes.reserve(children.size());
  for (int32_t child : children) codes.push_back(tree.CodeAt(child));
  const std::vector<int32_t> order = OmmlRowOrder(codes);
  std::vector<std::string> texts(order.size());
  for (size_t k = 0; k < order.size(); ++k) {
    const int32_t child = children[order[k]];
    if (k > 0 && TakesBase(tree.CodeAt(child))) {
      texts[k] = WriteOmml(tree, child, texts[k - 1]);
      texts[k - 1].clear();
    } else {
      texts[k] = WriteOmml(tree, child, {});
    }
  }
  std::string out;
  for (const std::string& text : texts) out += text;
  return out;
}

}  // namespace

std::string EncodeOmmlChar(uint32_t codePoint) {
  switch (codePoint) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    // No reader or edit puts "&" into a tree, but raw it would break the XML around it.
    case '&': return "&amp;";
    default: break;
  }
  // Surrogate code points have no UTF-8 form of their own.
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    Fail(u"Unsupported unicode char");
  }
  std::string out;
  AppendUtf8(out, codePoint);
  return out;
}

std::string WriteOmml(const EquationTree& tree, int32_t node, const std::string& base) {
  if (tree.root < 0 || node < 0) return {};
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::Group: return Row(tree, node);
    case code::Placeholder:
    case code::None:
      return {};
    case code::Frac: return Frac(tree, node);
    case code::Super:
    case code::Sub:
      return Script(tree, node, base);
    case code::Sqrt: return Radical(tree, node);
    case code::Sum:
    case code::Prod:
    case code::Integral:
      return Nary(tree, node, base);
    case code::LBrace: return Character('{', data.style);
    case code::RBrace: return Character('}', data.style);
    default:
      if (data.code > 2000000000u) Fail(u"OOXML: Unknown token");
      return Character(data.code, data.style);
  }
}

}  // namespace kav
