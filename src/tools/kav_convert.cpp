// kav-convert: a .kav document (or other programs' formulas: --from latex, a text of LaTeX
// formulas, one a line; --from mathml, a file of <math> elements) to another format.
//   kav-convert [--from kav|latex|mathml] --to FORMAT [--line N] [-o OUT] INPUT
// INPUT and OUT may be "-" for standard input and output (the default output). Errors go to
// standard error as "INPUT:LINE: message" with exit code 2, and no output is written then.
#include <unistd.h>

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
#include "tools/convert_formats.h"

namespace kav {
namespace {

constexpr int kExitFailure = 2;

struct Options {
  std::string from = "kav";
  std::string format;
  int32_t line = 0;
  std::string output = "-";
  std::string input;
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
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else if (!options.input.empty()) {
      throw UsageError{"more than one input"};
    } else {
      options.input = arg;
    }
  }
  if (options.format.empty()) throw UsageError{"--to FORMAT is required"};
  if (options.input.empty()) throw UsageError{"no input"};
  if (!FindOutputFormat(options.format)) throw UsageError{"unknown format " + options.format};
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

// Writes beside the target and renames, so a failed write leaves no partial file.
bool WriteOutput(const std::string& output, const std::vector<uint8_t>& bytes) {
  if (output == "-") {
    std::cout.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return static_cast<bool>(std::cout);
  }
  const std::string temporary = output + ".tmp" + std::to_string(getpid());
  std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  std::error_code error;
  if (file.fail() || (std::filesystem::rename(temporary, output, error), error)) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

int Report(const std::string& input, int32_t line, std::u16string_view message) {
  std::cerr << input << ':' << line << ": " << EncodeUtf8(message) << '\n';
  return kExitFailure;
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
  std::vector<uint8_t> out;
  try {
    const std::string_view documentText(reinterpret_cast<const char*>(document.data()), document.size());
    if (options.from == "latex" && options.format == "markup" && options.line == 0) {
      // The formulas as a document the editor opens.
      out = document;
    } else {
      out = FindOutputFormat(options.format)->convert(ConvertRequest{documentText, options.line});
    }
  } catch (const ConvertFailure& failure) {
    return Report(options.input, failure.line, failure.message);
  } catch (const Failure& failure) {
    return Report(options.input, options.line, failure.text);
  }
  if (!WriteOutput(options.output, out)) {
    return Report(options.input, 0, u"Cannot write " + Ascii16(options.output));
  }
  return 0;
}

}  // namespace
}  // namespace kav

int main(int argc, char** argv) {
  kav::Options options;
  try {
    options = kav::ParseOptions(argc, argv);
  } catch (const kav::UsageError& error) {
    std::cerr << "kav-convert: " << error.message << "\n"
              << "usage: kav-convert [--from kav|latex|mathml] --to FORMAT [--line N] [-o OUT] INPUT\n"
              << "formats: " << kav::FormatNames() << "\n";
    return kav::kExitFailure;
  }
  return kav::Run(options);
}
