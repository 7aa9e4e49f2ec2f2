// libFuzzer target for the editor: the input is read as a run of input events (keys, characters,
// commands, the mouse, scrolling, the clipboard, the inline box, the palette and dialog answers)
// sent to an editor on the headless host. After every event the line, tree, caret and selection
// rules must hold; at the end undoing everything must give the text the history started from and
// redoing everything the text it ended with. The unit monkey test runs the same code from random
// bytes, so its reproducer files replay here.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor_monkey.h"

namespace {

// Long runs only repeat what shorter ones reach and slow every run down.
constexpr int32_t kMaxEvents = 150;

// Prints the events that led here, one a line, and the broken rule.
[[noreturn]] void Stop(const std::vector<std::string>& events, const std::string& broken) {
  for (const std::string& event : events) std::fprintf(stderr, "  %s\n", event.c_str());
  std::fprintf(stderr, "editor fuzzer: after %zu events: %s\n", events.size(), broken.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kav;
  ChoiceBytes choices({data, size});
  EditorMonkey monkey;
  std::vector<std::string> events;
  while (static_cast<int32_t>(events.size()) < kMaxEvents && !choices.Done()) {
    events.push_back(monkey.Step(choices));
    const std::string broken = monkey.CheckState();
    if (!broken.empty()) Stop(events, broken);
  }
  const std::string history = monkey.CheckHistory();
  if (!history.empty()) Stop(events, "final undo and redo: " + history);
  return 0;
}
