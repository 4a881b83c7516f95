// Demo files with records a hand or another tool may write: a bare "trace"
// line, no "game" or "backend" line, a trace line ending in more than one
// '\r'. Each must be read without harm and written back as a demo that reads
// to the very same text. Before, a bare "trace" threw out of the reader, and
// the other two were written back in forms the reader refused or read
// otherwise. Found by fuzz/demo_parser_fuzz.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/demo/demo.h"

namespace zorbulant {
namespace {

struct OddDemo {
  const char* name;
  std::string text;
  std::string game;
  std::string backend;
  std::string trace;
};

void PrintTo(const OddDemo& file, std::ostream* out) { *out << file.name; }

std::vector<OddDemo> Demos() {
  return {
      {"BareTrace", "zorbulant-demo 1\ngame 0.1.0\nbackend sdl\nend 0\ntrace\npicture 0\n", "0.1.0",
       "sdl", ""},
      {"IndentedBareTrace", "zorbulant-demo 1\nend 0\n  trace\npicture 0\n", "", "", ""},
      {"NoGameOrBackend", "zorbulant-demo 1\n3 c1\nend 3\ntrace {\"turn\":3}\npicture 0\n", "", "",
       "{\"turn\":3}"},
      {"BackendOfBadEscapes",
       "zorbulant-demo 1\ngame 0.1.0\nbackend %zz\nend 0\ntrace {}\npicture 0\n", "0.1.0", "",
       "{}"},
      {"TraceEndingInCarriageReturns",
       "zorbulant-demo 1\r\nbackend headless\r\nend 0\r\ntrace {\"a\":1}\r\r\r\npicture 0\r\n", "",
       "headless", "{\"a\":1}"},
  };
}

class DemoOddRecordsTest : public ::testing::TestWithParam<OddDemo> {};

INSTANTIATE_TEST_SUITE_P(Demos, DemoOddRecordsTest, ::testing::ValuesIn(Demos()),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_P(DemoOddRecordsTest, IsReadAndWrittenBackAsADemoThatReadsTheSame) {
  DemoError error;
  const std::optional<Demo> demo = ParseDemo(GetParam().text, error);
  ASSERT_TRUE(demo) << error.line << ": " << error.message;
  EXPECT_EQ(demo->game, GetParam().game);
  EXPECT_EQ(demo->backend, GetParam().backend);
  EXPECT_EQ(demo->finalTrace, GetParam().trace);

  const std::string written = FormatDemo(*demo);
  const std::optional<Demo> reread = ParseDemo(written, error);
  ASSERT_TRUE(reread) << error.line << ": " << error.message << "\n" << written;
  EXPECT_EQ(reread->game, GetParam().game);
  EXPECT_EQ(reread->backend, GetParam().backend);
  EXPECT_EQ(reread->finalTrace, GetParam().trace);
  EXPECT_EQ(FormatDemo(*reread), written);
}

TEST(DemoFile, EmptyNamesLeaveTheirRecordsOut) {
  Demo demo;
  demo.lastTurn = 1;
  EXPECT_EQ(FormatDemo(demo), "zorbulant-demo 1\nend 1\ntrace \npicture 0\n");
  demo.game = "0.1.0";
  demo.backend = "sdl";
  EXPECT_EQ(FormatDemo(demo),
            "zorbulant-demo 1\ngame 0.1.0\nbackend sdl\nend 1\ntrace \npicture 0\n");
}

}  // namespace
}  // namespace zorbulant
