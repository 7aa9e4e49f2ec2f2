#include "import/mathml_entities.h"

#include "model/hashed_index.h"
#include "model/symbols.h"

namespace kav {
namespace {

struct Entity {
  std::u16string_view name;
  char32_t ch;
};

// Greek letters are also known by their table names, which are the MathML names.
constexpr Entity kEntities[] = {
    {u"lt", '<'},        {u"gt", '>'},        {u"amp", '&'},       {u"quot", '"'},
    {u"apos", '\''},     {u"nbsp", 0xA0},     {u"ApplyFunction", 0x2061},
    {u"af", 0x2061},     {u"InvisibleTimes", 0x2062}, {u"it", 0x2062},
    {u"InvisibleComma", 0x2063}, {u"ic", 0x2063}, {u"InvisiblePlus", 0x2064},
    {u"ThinSpace", 0x2009}, {u"thinsp", 0x2009}, {u"MediumSpace", 0x205F},
    {u"NegativeThinSpace", 0x200B}, {u"ZeroWidthSpace", 0x200B}, {u"ensp", 0x2002},
    {u"emsp", 0x2003},   {u"minus", 0x2212},  {u"plus", '+'},      {u"equals", '='},
    {u"pm", 0xB1},       {u"PlusMinus", 0xB1}, {u"plusmn", 0xB1},  {u"times", 0xD7},
    {u"sdot", 0x22C5},   {u"middot", 0xB7},   {u"centerdot", 0xB7}, {u"CenterDot", 0xB7},
    {u"le", 0x2264},     {u"leq", 0x2264},    {u"ge", 0x2265},     {u"geq", 0x2265},
    {u"infin", 0x221E},  {u"sum", 0x2211},    {u"Sum", 0x2211},    {u"prod", 0x220F},
    {u"Product", 0x220F}, {u"int", 0x222B},   {u"Integral", 0x222B}, {u"isin", 0x2208},
    {u"in", 0x2208},     {u"Element", 0x2208}, {u"cap", 0x2229},   {u"cup", 0x222A},
    {u"sub", 0x2282},    {u"subset", 0x2282}, {u"rarr", 0x2192},   {u"rightarrow", 0x2192},
    {u"RightArrow", 0x2192}, {u"to", 0x2192}, {u"deg", 0xB0},      {u"ctdot", 0x22EF},
    {u"cdots", 0x22EF},  {u"lfloor", 0x230A}, {u"rfloor", 0x230B}, {u"lceil", 0x2308},
    {u"rceil", 0x2309},  {u"radic", 0x221A},  {u"Sqrt", 0x221A},   {u"lcub", '{'},
    {u"lbrace", '{'},    {u"rcub", '}'},      {u"rbrace", '}'},    {u"lpar", '('},
    {u"rpar", ')'},      {u"lsqb", '['},      {u"rsqb", ']'},      {u"lbrack", '['},
    {u"rbrack", ']'},    {u"vert", '|'},      {u"verbar", '|'},    {u"mid", 0x2223},
    {u"VerticalLine", '|'}, {u"excl", '!'},   {u"comma", ','},     {u"period", '.'},
    {u"ast", '*'},       {u"midast", '*'},    {u"sol", '/'},       {u"hat", '^'},
    {u"Hat", '^'},       {u"macr", 0xAF},     {u"OverBar", 0xAF},  {u"tilde", 0x2DC},
    {u"Tilde", '~'},     {u"epsiv", 0x03F5},  {u"phiv", 0x03D5},   {u"thetav", 0x03D1},
    {u"rhov", 0x03F1},   {u"epsi", 0x03B5},
};

constexpr auto kByName = HashedIndex<std::size(kEntities)>::Build(
    [](size_t i) { return HashOfText(kEntities[i].name); }, [](size_t) { return true; });

}  // namespace

char32_t EntityCharacter(std::u16string_view name) {
  const int row =
      kByName.Find(HashOfText(name), [name](size_t i) { return kEntities[i].name == name; });
  if (row >= 0) return kEntities[row].ch;
  const SymbolCode code = CodeOf(name);
  return IsGreek(code) ? code : 0;
}

}  // namespace kav
