// Input scripts: the messages they become, and the errors they can hold.
#include "platform/headless/input_script.h"

#include <gtest/gtest.h>

#include "platform/keyboard_handler.h"

namespace zorbulant {
namespace {

std::vector<ScheduledMessage> Parse(std::string_view text) {
  InputScriptError error;
  auto schedule = ParseInputScript(text, error);
  EXPECT_EQ(error.message, "") << "line " << error.line;
  return schedule;
}

InputScriptError ErrorOf(std::string_view text) {
  InputScriptError error;
  EXPECT_TRUE(ParseInputScript(text, error).empty());
  return error;
}

TEST(InputScript, KeyMessagesCarryWellFormedParams) {
  const auto schedule = Parse(
      "# a comment line\n"
      "3 press Right   # trailing comment\n"
      "3 repeat Right\n"
      "4 release Right\n"
      "\n"
      "5 press 0x1D\n");
  ASSERT_EQ(schedule.size(), 4u);
  const uint32_t right = scancode::Right << 16 | keybits::Extended | 1;
  EXPECT_EQ(schedule[0].turn, 3u);
  EXPECT_EQ(schedule[0].message.id, MessageId::KeyDown);
  EXPECT_EQ(schedule[0].message.lParam, right);
  EXPECT_EQ(schedule[1].message.id, MessageId::KeyDown);
  EXPECT_EQ(schedule[1].message.lParam, right | keybits::WasDown);
  EXPECT_EQ(schedule[2].turn, 4u);
  EXPECT_EQ(schedule[2].message.id, MessageId::KeyUp);
  EXPECT_EQ(schedule[2].message.lParam, right | keybits::WasDown | keybits::Released);
  EXPECT_EQ(schedule[3].message.lParam, scancode::Ctrl << 16 | 1u);
}

TEST(InputScript, EveryKeyNameHasItsScanCode) {
  const std::pair<const char*, uint32_t> names[] = {
      {"Escape", 0x01}, {"Space", 0x39}, {"Enter", 0x1C}, {"Up", 0x48},
      {"Down", 0x50},   {"Left", 0x4B},  {"Right", 0x4D}, {"Ctrl", 0x1D},
      {"Alt", 0x38},    {"1", 0x02},     {"2", 0x03},     {"3", 0x04},
      {"KP+", 0x4E},    {"KP-", 0x4A},   {"KP*", 0x37},   {"KP/", 0x35}};
  for (const auto& [name, code] : names) {
    const auto schedule = Parse("1 press " + std::string(name));
    ASSERT_EQ(schedule.size(), 1u) << name;
    EXPECT_EQ((schedule[0].message.lParam >> 16) & 0xFF, code) << name;
  }
}

TEST(InputScript, AltIsASystemKey) {
  const auto schedule = Parse("1 press Alt\n2 release Alt\n");
  EXPECT_EQ(schedule[0].message.id, MessageId::SysKeyDown);
  EXPECT_TRUE(schedule[0].message.lParam & keybits::AltDown);
  EXPECT_EQ(schedule[1].message.id, MessageId::SysKeyUp);
}

TEST(InputScript, WindowEventsAndTurnOrder) {
  const auto schedule = Parse("7 close\n2 deactivate\n5 activate\n2 press Space\n");
  ASSERT_EQ(schedule.size(), 4u);
  EXPECT_EQ(schedule[0].turn, 2u);
  EXPECT_EQ(schedule[0].message.id, MessageId::ActivateApp);
  EXPECT_EQ(schedule[0].message.wParam, 0u);
  EXPECT_EQ(schedule[1].message.id, MessageId::KeyDown) << "lines of one turn keep their order";
  EXPECT_EQ(schedule[2].message.wParam, 1u);
  EXPECT_EQ(schedule[3].message.id, MessageId::Close);
}

TEST(InputScript, ErrorsNameTheLine) {
  EXPECT_EQ(ErrorOf("1 press Space\n\n3 press Banana\n").line, 3u);
  EXPECT_EQ(ErrorOf("0 press Space").line, 1u) << "turns count from 1";
  EXPECT_EQ(ErrorOf("x press Space").line, 1u);
  EXPECT_EQ(ErrorOf("-1 press Space").line, 1u);
  EXPECT_EQ(ErrorOf("1 jump Space").line, 1u);
  EXPECT_EQ(ErrorOf("1 press").line, 1u);
  EXPECT_EQ(ErrorOf("1 press Space Enter").line, 1u);
  EXPECT_EQ(ErrorOf("1 close now").line, 1u);
  EXPECT_EQ(ErrorOf("1 press 0x100").line, 1u);
  EXPECT_EQ(ErrorOf("1 press 0xZZ").line, 1u);
  EXPECT_EQ(ErrorOf("99999999999 press Space").line, 1u);
  EXPECT_NE(ErrorOf("2 press Banana").message.find("Banana"), std::string::npos);
}

TEST(InputScript, EmptyAndCommentOnlyScriptsAreValid) {
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("# nothing\n   \n\t# more\r\n").empty());
}

}  // namespace
}  // namespace zorbulant
