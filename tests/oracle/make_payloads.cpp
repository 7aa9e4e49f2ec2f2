// Test-only tool: writes the Copy payloads ("Hwp Native" document and "Art::GVML ClipFormat"
// package) of a few fixed formulas into a folder, with the script and the Office Math each
// holds, so that independent readers can check them.
//   make_payloads OUTDIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/gvml_package.h"
#include "export/hwp_script_writer.h"
#include "export/omml_writer.h"
#include "hwp/hwp_document.h"
#include "model/export_buffer.h"
#include "model/line.h"

namespace {

struct Case {
  std::string name;
  std::u16string markup;
  int32_t width;  // the root's laid-out size in pixels
  int32_t height;
};

// Enough letters that the compressed section stream outgrows the mini stream.
std::u16string LongMarkup() {
  std::u16string markup;
  uint32_t seed = 7;
  for (int k = 0; k < 6000; ++k) {
    seed = seed * 1103515245 + 12345;
    markup += u'<';
    markup += char16_t(u'a' + (seed >> 16) % 26);
    markup += u'>';
  }
  return markup;
}

bool WriteFile(const std::string& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool WriteCase(const std::string& dir, const Case& c) {
  kav::EquationLine line(c.markup);
  kav::ExportTextBuffer buffer;
  kav::WriteHwpScriptNode(line.tree, line.tree.root, buffer);
  const std::u16string script = buffer.Text();
  const std::string omml = kav::WriteOmml(line.tree, line.tree.root, {});
  const std::vector<uint8_t> hwp = kav::BuildHwpDocument(script);
  const kav::DosDateTime stamp = kav::MakeDosDateTime(2024, 1, 2, 3, 4, 6);
  const std::vector<uint8_t> gvml = kav::BuildGvmlPackage(omml, c.width, c.height, stamp);
  const std::string scriptUtf8 = kav::EncodeUtf8(script);
  const std::string base = dir + "/" + c.name;
  std::printf("%s: script %zu units, HWP document %zu bytes, package %zu bytes\n", c.name.c_str(),
              script.size(), hwp.size(), gvml.size());
  return WriteFile(base + ".hwp", hwp.data(), hwp.size()) &&
         WriteFile(base + ".script.txt", scriptUtf8.data(), scriptUtf8.size()) &&
         WriteFile(base + ".gvml.zip", gvml.data(), gvml.size()) &&
         WriteFile(base + ".omml.txt", omml.data(), omml.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_payloads OUTDIR\n");
    return 2;
  }
  const std::vector<Case> cases = {
      {"typical", u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}", 96, 41},
      {"structures",
       u"\\sum{<i><=><1>}{<n>}<a>\\sub{<i>}<+>\\sqrt{<b>\\super{<2>}<-><4><a><c>}<+>"
       u"\\frac{\\frac{<1>}{<2>}}{\\sqrt{<3>}}<+>\\integral{<0>}{<1>}<f><d><x>",
       153, 33},
      {"empty", u"", 0, 0},
      {"long", LongMarkup(), 40000, 20},
  };
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  try {
    for (const Case& c : cases) {
      if (!WriteCase(argv[1], c)) {
        std::fprintf(stderr, "make_payloads: cannot write into %s\n", argv[1]);
        return 1;
      }
    }
  } catch (const kav::Failure& f) {
    std::fprintf(stderr, "make_payloads: %s\n", kav::EncodeUtf8(f.text).c_str());
    return 1;
  }
  return 0;
}
