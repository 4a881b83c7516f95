// Game files in a real directory: found without regard to case, never outside it.
#include "platform/files/local_files.h"

#include <gtest/gtest.h>

#include "support/temp_directory.h"

namespace zorbulant {
namespace {

std::string ReadAll(LocalFiles& files, const char* name) {
  const FileSystem::Handle file = files.OpenForReading(name);
  if (file == 0) return "<none>";
  std::string text;
  char buffer[4];
  while (const uint32_t count = files.Read(file, buffer, sizeof buffer)) text.append(buffer, count);
  files.Close(file);
  return text;
}

TEST(LocalFiles, NamesMatchWithoutRegardToCase) {
  testing::TempDirectory directory;
  directory.Write("Intro001.mod", std::string("music"));
  LocalFiles files(directory.path());
  EXPECT_EQ(ReadAll(files, "intro001.mod"), "music");
  EXPECT_EQ(ReadAll(files, "INTRO001.MOD"), "music");
  EXPECT_TRUE(files.Exists("intro001.MOD"));
  EXPECT_FALSE(files.Exists("intro002.mod"));
  EXPECT_EQ(ReadAll(files, "intro002.mod"), "<none>");
}

TEST(LocalFiles, ExactNameWinsAndOtherwiseTheFirstInByteOrder) {
  testing::TempDirectory directory;
  directory.Write("go.gif", std::string("lower"));
  directory.Write("GO.gif", std::string("upper"));
  directory.Write("Go.GIF", std::string("mixed"));
  LocalFiles files(directory.path());
  EXPECT_EQ(ReadAll(files, "go.gif"), "lower");
  EXPECT_EQ(ReadAll(files, "Go.GIF"), "mixed");
  EXPECT_EQ(ReadAll(files, "gO.gif"), "upper") << "\"GO.gif\" sorts first";
}

TEST(LocalFiles, NamesNeverLeaveTheDirectory) {
  testing::TempDirectory outer;
  std::filesystem::create_directories(outer.path() / "data" / "sub");
  outer.Write("secret", std::string("x"));
  outer.Write("data/sub/inner", std::string("y"));
  LocalFiles files(outer.path() / "data");
  for (const char* name : {"../secret", "..\\secret", "sub/inner", "sub\\inner", "..", ".", "",
                           "sub", "/etc/passwd", "c:secret"}) {
    EXPECT_EQ(files.OpenForReading(name), 0u) << name;
    EXPECT_FALSE(files.Exists(name)) << name;
  }
}

TEST(LocalFiles, HandlesAreReusedAndStaleOnesAreHarmless) {
  testing::TempDirectory directory;
  directory.Write("a", std::string("abc"));
  LocalFiles files(directory.path());
  const FileSystem::Handle first = files.OpenForReading("a");
  const FileSystem::Handle second = files.OpenForReading("A");
  EXPECT_NE(first, second);
  files.Close(first);
  char byte = 0;
  EXPECT_EQ(files.Read(first, &byte, 1), 0u);
  EXPECT_EQ(files.Read(0, &byte, 1), 0u);
  EXPECT_EQ(files.Read(99, &byte, 1), 0u);
  files.Close(first);
  EXPECT_EQ(files.OpenForReading("a"), first) << "a closed handle is given out again";
  files.Close(second);
}

TEST(LocalFiles, MissingDirectoryFindsNothing) {
  LocalFiles files(std::filesystem::path("/nonexistent-zorbulant-dir"));
  EXPECT_EQ(files.OpenForReading("go.gif"), 0u);
}

}  // namespace
}  // namespace zorbulant
