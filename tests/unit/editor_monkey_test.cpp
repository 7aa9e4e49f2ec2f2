// The monkey: thousands of random input events per seed, the editor's rules checked after each,
// and the whole history undone and redone at the end. A failure names the seed, the event and the
// events before it, and writes the bytes that replay it as a fuzz input.
#include "editor_monkey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace kav {
namespace {

constexpr int32_t kEventsPerSeed = 4000;
// Events are drawn from this many random bytes; a run stops early when they are used up.
constexpr size_t kBytesPerSeed = kEventsPerSeed * 8;

std::vector<uint8_t> RandomBytes(uint32_t seed) {
  std::mt19937 generator(seed);
  std::vector<uint8_t> bytes(kBytesPerSeed);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(generator() >> 24);
  return bytes;
}

void SaveReproducer(uint32_t seed, const std::vector<uint8_t>& bytes) {
  const std::string path = "editor_monkey_seed_" + std::to_string(seed) + ".bin";
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

std::string Recent(const std::deque<std::string>& events) {
  std::string text;
  for (const std::string& event : events) text += "\n  " + event;
  return text;
}

class EditorMonkeyTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(EditorMonkeyTest, RulesHoldAfterEveryEvent) {
  const std::vector<uint8_t> bytes = RandomBytes(GetParam());
  ChoiceBytes choices(bytes);
  EditorMonkey monkey;
  std::deque<std::string> recent;
  int32_t events = 0;
  // A run that ends just after an open (which empties the history) goes on until it has edited
  // again, so that the history walked at the end holds something.
  const auto edited = [&] { return !monkey.editor().history().Records().empty(); };
  for (;
       (events < kEventsPerSeed || (!edited() && events < kEventsPerSeed + 200)) && !choices.Done();
       ++events) {
    recent.push_back(monkey.Step(choices));
    if (recent.size() > 12) recent.pop_front();
    const std::string broken = monkey.CheckState();
    if (!broken.empty()) {
      SaveReproducer(GetParam(), bytes);
      FAIL() << "event " << events << ": " << broken << "\nafter:" << Recent(recent);
    }
  }
  EXPECT_GT(events, kEventsPerSeed / 2);
  const std::string history = monkey.CheckHistory();
  if (!history.empty()) SaveReproducer(GetParam(), bytes);
  EXPECT_EQ(history, "") << "after:" << Recent(recent);
  EXPECT_GT(monkey.editor().history().Records().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditorMonkeyTest, ::testing::Values(1u, 2u, 3u, 4u, 5u));

}  // namespace
}  // namespace kav
