// Parses the fuzzer's input as a demo file, writes the demo it gave back as a
// file and parses that again.
//
// What must hold: a refused demo names a reason (and no line past the text's
// end but the one after it, where a missing record belongs); an accepted one
// has its events in turn order, none after its end, and a settings event for
// every settings call; and the file written from it parses again to a demo
// that is written to the very same text.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/demo/demo.h"

namespace zorbulant {
namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "demo_parser_fuzz: %s\n", what);
  std::abort();
}

void ExpectWellFormed(const Demo& demo) {
  size_t settingsEvents = 0;
  for (size_t i = 0; i < demo.events.size(); ++i) {
    const DemoEvent& event = demo.events[i];
    if (i > 0 && event.turn < demo.events[i - 1].turn) Fail("events out of turn order");
    if (event.turn > demo.lastTurn) Fail("an event after the end");
    if (event.kind != DemoEventKind::Settings) continue;
    if (event.value != settingsEvents++) Fail("a settings event names another call");
  }
  if (settingsEvents != demo.settingsCalls.size()) Fail("a settings call without its event");
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;

  DemoError error;
  const std::optional<Demo> demo = ParseDemo(text, error);
  if (!demo) {
    if (error.message.empty()) Fail("a demo was refused without a reason");
    if (error.line > lines + 1) Fail("an error names a line past the end");
    return 0;
  }
  ExpectWellFormed(*demo);

  const std::string written = FormatDemo(*demo);
  DemoError again;
  const std::optional<Demo> reread = ParseDemo(written, again);
  if (!reread) {
    std::fprintf(stderr, "demo_parser_fuzz: the demo written back fails at line %zu: %s\n",
                 again.line, again.message.c_str());
    std::abort();
  }
  ExpectWellFormed(*reread);
  if (FormatDemo(*reread) != written) Fail("the demo written back reads back otherwise");
  return 0;
}
