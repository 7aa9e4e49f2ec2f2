// Every node appends to one output text, so a row costs time in proportion to what it writes. A
// row is reordered first so that scripts take their base and big operators their operand as
// Office Math nests them; a script or operator is written as an opening and a closing around the
// text it takes.
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

void WriteNode(std::string& out, const EquationTree& tree, int32_t node);

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

void AppendOmmlChar(std::string& out, uint32_t codePoint) {
  switch (codePoint) {
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    // No reader or edit puts "&" into a tree, but raw it would break the XML around it.
    case '&': out += "&amp;"; return;
    default: break;
  }
  // Surrogate code points have no UTF-8 form of their own.
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    Fail(u"Unsupported unicode char");
  }
  AppendUtf8(out, codePoint);
}

void Run(std::string& out, uint32_t c, StyleFlags style) {
  const StyleFlags face = style & StyleFaceMask;
  const uint32_t bold = face == StyleBoldRoman ? BoldCounterpart(c) : 0;
  out += "<m:r>";
  if (face == StyleRoman || (face == StyleBoldRoman && bold == 0)) {
    out += "<m:rPr><m:sty m:val=\"p\"/></m:rPr>";
  }
  if (style & StyleRed) out += kRedRunProperties;
  out += "<m:t>";
  AppendOmmlChar(out, bold != 0 ? bold : c);
  out += "</m:t></m:r>";
}

void Character(std::string& out, uint32_t c, StyleFlags style) {
  const uint32_t mark = AccentMark(style);
  if (mark == 0) return Run(out, c, style);
  out += "<m:acc><m:accPr><m:chr m:val=\"";
  AppendOmmlChar(out, mark);
  out += "\"/></m:accPr><m:e>";
  Run(out, c, style);
  out += "</m:e></m:acc>";
}

void Frac(std::string& out, const EquationTree& tree, int32_t node) {
  out += "<m:f><m:num>";
  WriteNode(out, tree, tree.Child(node, 0));
  out += "</m:num><m:den>";
  WriteNode(out, tree, tree.Child(node, 1));
  out += "</m:den></m:f>";
}

void Radical(std::string& out, const EquationTree& tree, int32_t node) {
  out += "<m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/><m:e>";
  WriteNode(out, tree, tree.Child(node, 0));
  out += "</m:e></m:rad>";
}

// The integral sign is Office Math's default n-ary character, so it needs no property.
void NaryCharacter(std::string& out, SymbolCode c) {
  if (c == code::Integral) return;
  out += "<m:chr m:val=\"";
  AppendOmmlChar(out, c == code::Sum ? 0x2211 : 0x220F);
  out += "\"/>";
}

// Which form the limits take depends on whether each writes anything, so they are written
// apart first.
void OpenNary(std::string& out, const EquationTree& tree, int32_t node) {
  std::string lower;
  std::string upper;
  WriteNode(lower, tree, tree.Child(node, 0));
  WriteNode(upper, tree, tree.Child(node, 1));
  out += "<m:nary><m:naryPr>";
  NaryCharacter(out, tree.CodeAt(node));
  if (!upper.empty()) {
    out.append("</m:naryPr><m:sub>").append(lower).append("</m:sub><m:sup>");
    out.append(upper).append("</m:sup>");
  } else if (!lower.empty()) {
    out.append("<m:supHide m:val=\"on\"/></m:naryPr><m:sub>").append(lower);
    out += "</m:sub><m:sup/>";
  } else {
    out += "<m:subHide m:val=\"on\"/><m:supHide m:val=\"on\"/></m:naryPr><m:sub/><m:sup/>";
  }
  out += "<m:e>";
}

bool TakesBase(SymbolCode c) {
  return c == code::Super || c == code::Sub || IsBigOperator(c);
}

// What a script or operator writes before the text it takes.
void Open(std::string& out, const EquationTree& tree, int32_t node) {
  switch (tree.CodeAt(node)) {
    case code::Super: out += "<m:sSup><m:e>"; return;
    case code::Sub: out += "<m:sSub><m:e>"; return;
    default: return OpenNary(out, tree, node);
  }
}

// What a script or operator writes after the text it takes.
void Close(std::string& out, const EquationTree& tree, int32_t node) {
  if (IsBigOperator(tree.CodeAt(node))) {
    out += "</m:e></m:nary>";
    return;
  }
  const bool super = tree.CodeAt(node) == code::Super;
  out += super ? "</m:e><m:sup>" : "</m:e><m:sub>";
  WriteNode(out, tree, tree.Child(node, 0));
  out += super ? "</m:sup></m:sSup>" : "</m:sub></m:sSub>";
}

// Writes the row in its Office Math order. A run of entries each taking the one before nests:
// the last of the run encloses all the others, so the openings go outermost first, then the
// first entry of the run, then the closings innermost first.
void Row(std::string& out, const EquationTree& tree, int32_t group) {
  const std::vector<int32_t>& children = tree.Children(group);
  std::vector<SymbolCode> codes;
  codes.reserve(children.size());
  for (int32_t child : children) codes.push_back(tree.CodeAt(child));
  const std::vector<OmmlRowEntry> order = OmmlRowOrder(codes);
  size_t start = 0;
  while (start < order.size()) {
    size_t end = start + 1;
    while (end < order.size() && order[end].takesPrevious) ++end;
    for (size_t k = end - 1; k > start; --k) Open(out, tree, children[order[k].position]);
    WriteNode(out, tree, children[order[start].position]);
    for (size_t k = start + 1; k < end; ++k) Close(out, tree, children[order[k].position]);
    start = end;
  }
}

void WriteNode(std::string& out, const EquationTree& tree, int32_t node) {
  if (tree.root < 0 || node < 0) return;
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::Group: return Row(out, tree, node);
    case code::Placeholder:
    case code::None: return;
    case code::Frac: return Frac(out, tree, node);
    case code::Super:
    case code::Sub:
    case code::Sum:
    case code::Prod:
    case code::Integral:
      // Nothing to take: an empty base or operand.
      Open(out, tree, node);
      return Close(out, tree, node);
    case code::Sqrt: return Radical(out, tree, node);
    case code::LBrace: return Character(out, '{', data.style);
    case code::RBrace: return Character(out, '}', data.style);
    default:
      if (data.code > 2000000000u) Fail(u"OOXML: Unknown token");
      return Character(out, data.code, data.style);
  }
}

}  // namespace

std::string EncodeOmmlChar(uint32_t codePoint) {
  std::string out;
  AppendOmmlChar(out, codePoint);
  return out;
}

std::string WriteOmml(const EquationTree& tree, int32_t node, const std::string& base) {
  std::string out;
  if (tree.root < 0 || node < 0) return out;
  if (!TakesBase(tree.CodeAt(node))) {
    WriteNode(out, tree, node);
    return out;
  }
  Open(out, tree, node);
  out += base;
  Close(out, tree, node);
  return out;
}

}  // namespace kav
