#include "app/command_line.h"

#include "model/document.h"

namespace kav {
namespace {

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

StartupPath PathFromCommandLine(std::u16string_view commandLine) {
  std::u16string_view text = Trimmed(commandLine);
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
    text = Trimmed(text.substr(1, text.size() - 2));
  }
  StartupPath result;
  if (text.size() > kMaxPathUnits) {
    result.refusal = u"The file name on the command line is too long.";
    return result;
  }
  result.path = std::u16string(text);
  return result;
}

}  // namespace kav
