// The output formats of kav-convert: a name and the function that turns a document into bytes.
// A new format is one more row in the table.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <optional>
#include <vector>

namespace kav {

class NativeTypesetting;

struct ConvertRequest {
  std::string_view document;  // the bytes of the .kav input
  int32_t line = 0;           // the --line value counting from 1; 0 when not given
  int32_t scale = 0;          // the --scale value (1 to 8) for pictures; 0 when not given
  bool transparent = false;   // --transparent: pictures without a background
  // Set when many lines are converted in one run (--all-lines): the document decoded once and the
  // fonts opened once serve every line. Null for a single conversion, which makes its own.
  const std::vector<std::u16string>* markups = nullptr;
  const NativeTypesetting* typesetting = nullptr;
};

// The requested line: --line N, or the first. Throws a ConvertFailure when there is no such line.
struct RequestedLine {
  int32_t number = 1;
  std::u16string markup;
};
RequestedLine FindRequestedLine(const ConvertRequest& request);

// The request's typesetting, or one built into `own` for this conversion alone.
const NativeTypesetting& TypesettingFor(const ConvertRequest& request,
                                        std::optional<NativeTypesetting>& own);

// Returns the output bytes, or throws a ConvertFailure (export/convert_text.h) naming the
// document line at fault, or a Failure.
using ConvertFunction = std::vector<uint8_t> (*)(const ConvertRequest& request);

struct OutputFormat {
  std::string_view name;
  ConvertFunction convert;
  bool typesets = false;  // lays the line out with the installed fonts
};

std::span<const OutputFormat> OutputFormats();

// The format of that name, or null.
const OutputFormat* FindOutputFormat(std::string_view name);

// The input formats of --from: a name and the function that turns the input's bytes into .kav
// document bytes. Throws a Failure for input it cannot read.
using ReadFunction = std::vector<uint8_t> (*)(std::string_view bytes);

struct InputFormat {
  std::string_view name;
  ReadFunction read;
};

std::span<const InputFormat> InputFormats();

// The input format of that name, or null.
const InputFormat* FindInputFormat(std::string_view name);

// Formats defined in their own files.
std::vector<uint8_t> ConvertToPng(const ConvertRequest& request);
std::vector<uint8_t> ConvertToBmp(const ConvertRequest& request);
std::vector<uint8_t> ConvertToSvg(const ConvertRequest& request);
std::vector<uint8_t> ConvertToEmf(const ConvertRequest& request);
// The line drawn from outlines at the request's scale (1 when not given), transparent or on the
// window colour.
std::vector<uint8_t> ConvertToScaledPng(const ConvertRequest& request);
std::vector<uint8_t> ConvertToHwp(const ConvertRequest& request);
std::vector<uint8_t> ConvertToGvml(const ConvertRequest& request);

// The .kav document of a text of LaTeX formulas, one formula a line (align rows
// on one line give several). Throws a ConvertFailure naming the input line at fault.
std::vector<uint8_t> LatexDocument(std::string_view bytes);

}  // namespace kav
