// The one kind of failure a user is meant to see: a fixed English text, thrown as UTF-16 and
// caught once per entry point (the main window procedure, a tool's main, a test).
#pragma once
#include <string>
#include <string_view>

namespace kav {

struct Failure {
  std::u16string text;
};

[[noreturn]] inline void Fail(std::u16string text) { throw Failure{std::move(text)}; }

}  // namespace kav
