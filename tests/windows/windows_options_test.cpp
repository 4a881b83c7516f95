// The Windows program's command line.
#include "app/windows_options.h"

#include <gtest/gtest.h>

namespace zorbulant {
namespace {

std::optional<WindowsOptions> Parse(std::vector<std::string> arguments, std::string& error) {
  arguments.insert(arguments.begin(), "zorbulant.exe");
  return ParseWindowsOptions(arguments, error);
}

TEST(WindowsOptions, EveryOptionWithItsValueAndOnlyABareSForTheSoundSetUp) {
  std::string error;
  const auto plain = Parse({"--data", "levels"}, error);
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->window || plain->input || plain->trace || plain->turns != 0);
  EXPECT_EQ(plain->commandLine, "zorbulant");
  const auto options = Parse({"--data", "C:\\zorbulant", "--window", "--input", "walk.txt",
                              "--trace", "walk.trace", "--turns", "4294967295", "S"},
                             error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->dataDirectory->string(), "C:\\zorbulant");
  EXPECT_TRUE(options->window);
  EXPECT_EQ(options->input->string(), "walk.txt");
  EXPECT_EQ(options->trace->string(), "walk.trace");
  EXPECT_EQ(options->turns, 4294967295u);
  EXPECT_EQ(options->commandLine, "zorbulant s");
}

TEST(WindowsOptions, BadArgumentsAreNamed) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--data"}, "--data needs a value"},
      {{"--turns"}, "--turns needs a value"},
      {{"--turns", "-1"}, "--turns needs a whole number, not \"-1\""},
      {{"--turns", "4294967296"}, "--turns needs a whole number, not \"4294967296\""},
      {{"--turns", ""}, "--turns needs a whole number, not \"\""},
      {{"--headless"}, "unknown argument \"--headless\""}};
  for (const auto& [arguments, expected] : cases) {
    std::string error;
    EXPECT_FALSE(Parse(arguments, error));
    EXPECT_EQ(error, expected);
  }
}

}  // namespace
}  // namespace zorbulant
