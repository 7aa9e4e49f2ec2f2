// The .kav byte format: "@@3" and a line feed, then "@", the line's markup in UTF-8 and a line
// feed for every line.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/line.h"

namespace kav {

inline constexpr int kFileVersion = 3;
// The longest line a file may hold, in UTF-16 units (4 MB of the ASCII the format writes): a
// longer line is refused before it costs memory to parse. The editor and the converter never make
// a longer line (the largest paste, a million letters, writes about 3 M units), so every line
// they write opens again.
inline constexpr size_t kMaxFileLineUnits = size_t{1} << 22;

// Whether a formula's markup of this many units makes a line a file may hold ("@" and the markup).
inline bool FitsALine(size_t markupUnits) { return markupUnits < kMaxFileLineUnits; }
// Why a formula whose markup has this many units cannot be a line: it is longer than a file may
// hold.
std::u16string LineTooLongText(size_t units);

// The bytes of a file holding these markup lines, in order.
std::vector<uint8_t> DocumentBytes(const std::vector<std::u16string>& markups);

// File bytes to text, strictly UTF-8. Throws "Invalid UTF-8 at byte N" for malformed input rather
// than decoding it into something else.
std::u16string DecodeDocumentBytes(std::string_view bytes);

// The markup of every "@" line of a document text, after skipping a leading byte order mark and
// the "@@" header. A line ends at a line feed, and one carriage return before it (or at the end
// of the text) belongs to the line end, not to the markup; the last line may lack its line feed.
// Blank lines are allowed between lines. Any other line, a NUL or a line longer than
// kMaxFileLineUnits throws a text that names the line by its place in the file, so that nothing
// of a file is silently left out.
std::vector<std::u16string> SplitDocumentText(std::u16string_view text);

// Splits and reads every line of a document text. A rejected line throws its reader's text
// followed by " (line N)", N counting document lines from 1. A text with no line gives one empty
// line.
std::vector<EquationLine> ReadDocumentText(std::u16string_view text, const LineLayouter* layouter);

// Decodes, splits and reads every line. A rejected line throws its reader's text followed by
// " (line N)", N counting document lines from 1. A file with no line gives one empty line.
std::vector<EquationLine> ReadDocumentLines(std::string_view bytes, const LineLayouter* layouter);

}  // namespace kav
