// kav-convert: a .kav document (or other programs' formulas: --from latex, a text of LaTeX
// formulas, one a line; --from mathml, a file of <math> elements) to another format.
//   kav-convert [--from kav|latex|mathml] --to FORMAT [--line N] [--scale N] [--transparent]
//               [-o OUT] INPUT
//   kav-convert [--from ...] --to FORMAT --all-lines --out-dir DIR [--scale N] [--transparent] INPUT
// INPUT and OUT may be "-" for standard input and output (the default output). Errors go to
// standard error as "INPUT:LINE: message" with exit code 2, and no output is written then.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "native/native_typesetting.h"
#include "tools/convert_formats.h"
#include "tools/output_files.h"

namespace kav {
namespace {

constexpr int kExitFailure = 2;

struct Options {
  std::string from = "kav";
  std::string format;
  int32_t line = 0;
  std::string output = "-";
  std::string input;
  int32_t scale = 0;
  bool transparent = false;
  bool allLines = false;
  std::string outDir;
};

// A problem with the command line itself, before there is an input to name.
struct UsageError {
  std::string message;
};

std::string FormatNames() {
  std::string names;
  for (const OutputFormat& format : OutputFormats()) {
    names += (names.empty() ? "" : ", ") + std::string(format.name);
  }
  return names;
}

int32_t ParseLineNumber(const std::string& text) {
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 1000000000) throw UsageError{"bad line number: " + text};
    value = value * 10 + (c - '0');
  }
  if (text.empty() || value < 1) throw UsageError{"bad line number: " + text};
  return static_cast<int32_t>(value);
}

int32_t ParseScale(const std::string& text) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '8') {
    throw UsageError{"bad scale: " + text + " (1 to 8)"};
  }
  return text[0] - '0';
}

void CheckCombination(const Options& options) {
  if (options.format.empty()) throw UsageError{"--to FORMAT is required"};
  if (options.input.empty()) throw UsageError{"no input"};
  if (!FindOutputFormat(options.format)) throw UsageError{"unknown format " + options.format};
  if (options.allLines != !options.outDir.empty()) {
    throw UsageError{"--all-lines and --out-dir DIR go together"};
  }
  if (options.allLines && (options.line > 0 || options.output != "-")) {
    throw UsageError{"--all-lines writes every line into --out-dir; --line and -o do not apply"};
  }
  if ((options.scale > 0 || options.transparent) && options.format != "png") {
    throw UsageError{"--scale and --transparent apply to png only"};
  }
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
      return argv[++i];
    };
    if (arg == "--from") {
      options.from = value();
    } else if (arg == "--to") {
      options.format = value();
    } else if (arg == "--line") {
      options.line = ParseLineNumber(value());
    } else if (arg == "-o") {
      options.output = value();
    } else if (arg == "--scale") {
      options.scale = ParseScale(value());
    } else if (arg == "--transparent") {
      options.transparent = true;
    } else if (arg == "--all-lines") {
      options.allLines = true;
    } else if (arg == "--out-dir") {
      options.outDir = value();
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else if (!options.input.empty()) {
      throw UsageError{"more than one input"};
    } else {
      options.input = arg;
    }
  }
  CheckCombination(options);
  if (!FindInputFormat(options.from)) throw UsageError{"unknown input format " + options.from};
  return options;
}

std::optional<std::string> ReadInput(const std::string& input) {
  if (input == "-") {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::ifstream file(input, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool WriteStandardOutput(const std::vector<uint8_t>& bytes) {
  std::cout.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

int Report(const std::string& input, int32_t line, std::u16string_view message) {
  std::cerr << input << ':' << line << ": " << EncodeUtf8(message) << '\n';
  return kExitFailure;
}

int ReportUnwritten(const std::string& input, const OutputFailure& failure) {
  std::cerr << input << ":0: Cannot write " << failure.path << ": " << failure.reason << '\n';
  return kExitFailure;
}

ConvertRequest RequestOf(const Options& options, std::string_view document, int32_t line) {
  return ConvertRequest{document, line, options.scale, options.transparent};
}

int RunOne(const Options& options, const std::vector<uint8_t>& document) {
  std::vector<uint8_t> out;
  try {
    const std::string_view text(reinterpret_cast<const char*>(document.data()), document.size());
    out = FindOutputFormat(options.format)->convert(RequestOf(options, text, options.line));
  } catch (const ConvertFailure& failure) {
    return Report(options.input, failure.line, failure.message);
  } catch (const Failure& failure) {
    return Report(options.input, options.line, failure.text);
  }
  if (options.output == "-") {
    return WriteStandardOutput(out) ? 0 : Report(options.input, 0, u"Cannot write -");
  }
  try {
    OutputFiles files;
    files.Stage(options.output, out);
    files.Commit();
  } catch (const OutputFailure& failure) {
    return ReportUnwritten(options.input, failure);
  }
  return 0;
}

// line-0001.svg, line-0002.svg, ...
std::string LineFileName(const Options& options, int32_t line) {
  std::string number = std::to_string(line);
  if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
  return (std::filesystem::path(options.outDir) / ("line-" + number + "." + options.format))
      .string();
}

// Every file is written before the first one replaces anything; a write that fails (a full
// disk) leaves the folder as it was, a folder made for the files removed again.
int WriteLineFiles(const Options& options, const std::vector<std::vector<uint8_t>>& outputs) {
  std::error_code error;
  const bool made = std::filesystem::create_directories(options.outDir, error);
  if (error) return Report(options.input, 0, u"Cannot create " + Ascii16(options.outDir));
  try {
    OutputFiles files;
    for (size_t k = 0; k < outputs.size(); ++k) {
      files.Stage(LineFileName(options, static_cast<int32_t>(k + 1)), outputs[k]);
    }
    files.Commit();
  } catch (const OutputFailure& failure) {
    if (made) std::filesystem::remove(options.outDir, error);
    return ReportUnwritten(options.input, failure);
  }
  return 0;
}

// Every line is converted before the first file is written, so a bad line leaves no files. The
// document is decoded once and the fonts opened once for all lines, so that each line costs the
// same however long the document is.
int RunAllLines(const Options& options, const std::vector<uint8_t>& document) {
  std::vector<std::vector<uint8_t>> outputs;
  int32_t line = 0;
  try {
    const std::string_view text(reinterpret_cast<const char*>(document.data()), document.size());
    const std::vector<std::u16string> markups = DocumentMarkups(text);
    const OutputFormat* format = FindOutputFormat(options.format);
    std::optional<NativeTypesetting> typesetting;
    ConvertRequest request = RequestOf(options, text, 0);
    request.markups = &markups;
    if (format->typesets) request.typesetting = &typesetting.emplace();
    outputs.reserve(markups.size());
    for (line = 1; line <= static_cast<int32_t>(markups.size()); ++line) {
      request.line = line;
      outputs.push_back(format->convert(request));
    }
  } catch (const ConvertFailure& failure) {
    return Report(options.input, failure.line, failure.message);
  } catch (const Failure& failure) {
    return Report(options.input, line, failure.text);
  }
  return WriteLineFiles(options, outputs);
}

int Run(const Options& options) {
  const std::optional<std::string> bytes = ReadInput(options.input);
  if (!bytes) return Report(options.input, 0, u"Cannot read the input file");
  std::vector<uint8_t> document;
  try {
    document = FindInputFormat(options.from)->read(*bytes);
  } catch (const ConvertFailure& failure) {
    return Report(options.input, failure.line, failure.message);
  } catch (const Failure& failure) {
    return Report(options.input, 0, failure.text);
  }
  return options.allLines ? RunAllLines(options, document) : RunOne(options, document);
}

}  // namespace
}  // namespace kav

int main(int argc, char** argv) {
  kav::Options options;
  try {
    options = kav::ParseOptions(argc, argv);
  } catch (const kav::UsageError& error) {
    std::cerr << "kav-convert: " << error.message << "\n"
              << "usage: kav-convert [--from kav|latex|mathml] --to FORMAT [--line N] [--scale N] "
                 "[--transparent] [-o OUT] INPUT\n"
              << "       kav-convert [--from ...] --to FORMAT --all-lines --out-dir DIR [--scale N] "
                 "[--transparent] INPUT\n"
              << "formats: " << kav::FormatNames() << "\n";
    return kav::kExitFailure;
  }
  return kav::Run(options);
}
