#include "export/mathml_leaves.h"

#include "model/mathml_chars.h"
#include "typeset/glyph_place.h"

namespace kav {
namespace {

constexpr std::u16string_view kRed = u" mathcolor=\"red\"";
constexpr std::u16string_view kFencePrefix = u" fence=\"true\" form=\"prefix\" stretchy=\"false\"";
constexpr std::u16string_view kFencePostfix =
    u" fence=\"true\" form=\"postfix\" stretchy=\"false\"";
constexpr SymbolCode kBar = 124;
constexpr char16_t kDivides = 0x2223;
constexpr char16_t kAsteriskOperator = 0x2217;

std::u16string_view VariantOf(StyleFlags style) {
  if (style & StyleBoldRoman) return u" mathvariant=\"bold\"";
  if (style & StyleRoman) return u" mathvariant=\"normal\"";
  return {};
}

std::u16string_view TagOf(MathmlToken token) {
  switch (token) {
    case MathmlToken::Mi: return u"mi";
    case MathmlToken::Mn: return u"mn";
    case MathmlToken::Mo: return u"mo";
  }
  return u"mo";
}

}  // namespace

Spelling UsualSpelling(SymbolCode c) {
  const char16_t* form = MathmlFormOf(c);
  std::u16string_view attributes;
  if (form && std::u16string_view(form) == u"prefix")
    attributes = u" form=\"prefix\" stretchy=\"false\"";
  if (form && std::u16string_view(form) == u"postfix")
    attributes = u" form=\"postfix\" stretchy=\"false\"";
  return {TagOf(MathmlTokenOf(c)), attributes, MathmlCharOf(c)};
}

Spelling SpellingOf(SymbolCode c, BracketRole role, bool ordinary) {
  if (c == kBar && role == BracketRole::Open) return {u"mo", kFencePrefix, u'|'};
  if (c == kBar && role == BracketRole::Close) return {u"mo", kFencePostfix, u'|'};
  if (c == kBar) return {ordinary ? u"mi" : u"mo", u"", kDivides};
  if (role == BracketRole::Unpaired) return {u"mtext", u"", MathmlCharOf(c)};
  if (c == '*' && ordinary) return {u"mi", u"", kAsteriskOperator};
  return UsualSpelling(c);
}

std::u16string MathmlTokenElement(const Spelling& spelling, std::u16string_view text,
                                  StyleFlags style, bool colour) {
  std::u16string out = u"<" + std::u16string(spelling.tag);
  out += VariantOf(style);
  out += spelling.attributes;
  if (colour && (style & StyleRed)) out += kRed;
  out += u">";
  AppendMathmlEscaped(out, text);
  return out + u"</" + std::u16string(spelling.tag) + u">";
}

std::u16string MathmlLeaf(const NodeData& data, const Spelling& spelling) {
  if (spelling.ch == 0) return u"<mrow/>";
  const std::u16string text(1, spelling.ch);
  if (!HasOneAccent(data.style)) return MathmlTokenElement(spelling, text, data.style, true);
  std::u16string out = u"<mover accent=\"true\"";
  if (data.style & StyleRed) out += kRed;
  out += u">" + MathmlTokenElement(spelling, text, data.style, false) + u"<mo>";
  AppendMathmlEscaped(out, std::u16string(1, MathmlAccentChar(data.style & StyleAccentMask)));
  return out + u"</mo></mover>";
}

void AppendMathmlEscaped(std::u16string& out, std::u16string_view text) {
  for (char16_t ch : text) {
    switch (ch) {
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'&': out += u"&amp;"; break;
      case u'"': out += u"&quot;"; break;
      default: out.push_back(ch);
    }
  }
}

}  // namespace kav
