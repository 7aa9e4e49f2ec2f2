#include "export/omml_runs.h"

#include "base/failure.h"
#include "base/utf.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr std::string_view kRedRunProperties =
    "<a:rPr><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></a:rPr>";
constexpr std::string_view kUprightProperties = "<m:rPr><m:sty m:val=\"p\"/></m:rPr>";
constexpr std::string_view kPlainTextProperties = "<m:rPr><m:nor/></m:rPr>";

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

void Run(std::string& out, uint32_t c, StyleFlags style) {
  const StyleFlags face = style & StyleFaceMask;
  const uint32_t bold = face == StyleBoldRoman ? BoldCounterpart(c) : 0;
  out += "<m:r>";
  if (face == StyleRoman || (face == StyleBoldRoman && bold == 0)) out += kUprightProperties;
  if (style & StyleRed) out += kRedRunProperties;
  out += "<m:t>";
  AppendOmmlChar(out, bold != 0 ? bold : c);
  out += "</m:t></m:r>";
}

// A sign with a character of its own for standing alone (the asterisk operator, the minus sign)
// takes it; any other is set between empty runs.
void LoneRun(std::string& out, uint32_t c, StyleFlags style) {
  const SymbolFacts* facts = FactsOf(c);
  if (facts && facts->ommlLone != 0) return Run(out, facts->ommlLone, style);
  AppendOmmlEmptyRun(out);
  Run(out, c, style);
  AppendOmmlEmptyRun(out);
}

}  // namespace

bool NeedsOperandBefore(uint32_t codePoint) {
  const SymbolFacts* facts = FactsOf(codePoint);
  return facts && facts->ommlOperands == OmmlOperands::Both;
}

bool NeedsOperandAfter(uint32_t codePoint) {
  const SymbolFacts* facts = FactsOf(codePoint);
  return facts && facts->ommlOperands != OmmlOperands::None;
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

void AppendOmmlCharacter(std::string& out, uint32_t codePoint, StyleFlags style) {
  const uint32_t mark = AccentMark(style);
  if (mark == 0) return Run(out, codePoint, style);
  out += "<m:acc><m:accPr><m:chr m:val=\"";
  AppendOmmlChar(out, mark);
  out += "\"/></m:accPr><m:e>";
  if (NeedsOperandAfter(codePoint)) {
    LoneRun(out, codePoint, style);
  } else {
    Run(out, codePoint, style);
  }
  out += "</m:e></m:acc>";
}

void AppendOmmlLoneOperator(std::string& out, uint32_t codePoint, StyleFlags style) {
  if (AccentMark(style) != 0) return AppendOmmlCharacter(out, codePoint, style);
  LoneRun(out, codePoint, style);
}

void AppendOmmlLetters(std::string& out, std::u16string_view letters, StyleFlags style,
                       OmmlRunForm form) {
  out += "<m:r>";
  out += form == OmmlRunForm::Upright ? kUprightProperties : kPlainTextProperties;
  if (style & StyleRed) out += kRedRunProperties;
  out += "<m:t>";
  for (char16_t c : letters) AppendOmmlChar(out, c);
  out += "</m:t></m:r>";
}

void AppendOmmlEmptyRun(std::string& out) {
  out += "<m:r>";
  out += kPlainTextProperties;
  out += "<m:t></m:t></m:r>";
}

}  // namespace kav
