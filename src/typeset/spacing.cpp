#include "typeset/spacing.h"

#include "typeset/fortieths.h"

namespace kav {
namespace {

struct SpacingRow {
  SymbolCode first;
  SymbolCode last;
  int8_t tail, lead, pad, shift, drop;
};

// Tuned by eye against the CMU faces: brackets hug their contents, relations get air, digits
// sit a little right.
constexpr SpacingRow kSpacing[] = {
    {u'(', u'(', -2, 0, 0, 0, -1},
    {u')', u')', 0, 2, 0, 0, -1},
    {u'*', u'*', 0, 0, 0, 2, 7},
    {u'+', u'+', 1, 4, 0, 0, 0},
    {u',', u',', 0, 0, 10, -2, 0},
    {u'-', u'-', 9, 7, 0, 0, 0},
    {u'.', u'.', -1, -1, 0, 3, 0},
    {u'0', u'9', -1, 0, 0, 2, 0},
    {u'<', u'<', 0, 0, 10, 2, -2},
    {u'=', u'=', 4, 7, 0, 0, 0},
    {u'>', u'>', 0, 0, 10, 2, -2},
    {u'[', u'[', 0, 2, 0, 0, -2},
    {u']', u']', 0, 4, 0, 0, -2},
    {u'c', u'c', 0, -1, 0, 0, 0},
    {code::LBrace, code::LBrace, -2, 0, 0, 0, -2},
    {code::RBrace, code::RBrace, 0, 3, 0, 0, -2},
    {0x00B0, 0x00B0, 0, 2, 0, 0, 0},   // degree
    {0x00B1, 0x00B1, 0, 0, 5, 1, 0},   // plus-minus
    {0x00B7, 0x00B7, 0, 0, 6, 1, 0},   // middle dot
    {0x00D7, 0x00D7, 0, 0, 0, 1, 2},   // times
    {0x2192, 0x2192, 0, 1, 6, 0, 0},   // right arrow
    {0x2208, 0x2208, 0, 0, 4, 2, 2},   // element of
    {0x221E, 0x221E, 0, -1, 0, 0, 0},  // infinity
    {0x2264, 0x2265, 0, 0, 10, 1, 2},  // less or equal, greater or equal
    {0x2282, 0x2282, 0, 0, 0, 0, 2},   // subset
    {0x22EF, 0x22EF, 0, 0, 14, -2, 0},  // cdots
    {0x2308, 0x230B, -10, 0, 0, 2, -2},  // ceiling and floor brackets
};

}  // namespace

GlyphSpacing SpacingOf(SymbolCode code, int32_t size) {
  for (const SpacingRow& row : kSpacing) {
    if (code < row.first || code > row.last) continue;
    return GlyphSpacing{Fortieths(row.tail, size), Fortieths(row.lead, size),
                        Fortieths(row.pad, size), Fortieths(row.shift, size),
                        Fortieths(row.drop, size)};
  }
  return GlyphSpacing{};
}

}  // namespace kav
