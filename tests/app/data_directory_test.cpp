// Where the game looks for its data pack when no --data is given: beside the
// installed program, wherever its tree was moved, or the build's own pack.
#include "app/data_directory.h"

#include <gtest/gtest.h>

#include "app/options.h"
#include "platform/files/program_path.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

namespace fs = std::filesystem;

// An installed tree: PREFIX/BINDIR/zorbulant and, when asked, PREFIX/DATADIR.
struct InstalledTree {
  testing::TempDirectory root;
  fs::path program;

  InstalledTree(const fs::path& bindir, const fs::path& datadir) {
    fs::create_directories(root.path() / bindir);
    program = root.path() / bindir / "zorbulant";
    root.Write((bindir / "zorbulant").string(), std::string("program"));
    if (!datadir.empty()) fs::create_directories(root.path() / datadir);
  }
};

TEST(DataDirectory, InstalledPackBesideTheProgramIsFoundWhereverTheTreeLies) {
  const InstalledTree usual("usr/bin", "usr/share/zorbulant");
  const testing::TempDirectory build;
  EXPECT_EQ(ChooseDataDirectory(usual.program, "../share/zorbulant", build.path() / "data"),
            usual.root.path() / "usr/share/zorbulant")
      << "the path is made plain, without \"..\"";

  // A packager's layout: the program in games/, the pack in share/games/.
  const InstalledTree games("usr/games", "usr/share/games/zorbulant");
  EXPECT_EQ(ChooseDataDirectory(games.program, "../share/games/zorbulant", build.path()),
            games.root.path() / "usr/share/games/zorbulant");
}

TEST(DataDirectory, InstalledPackWinsOverTheBuildItWasMadeIn) {
  const InstalledTree tree("bin", "share/zorbulant");
  const testing::TempDirectory build;
  EXPECT_EQ(ChooseDataDirectory(tree.program, "../share/zorbulant", build.path()),
            tree.root.path() / "share/zorbulant")
      << "an installed game must not run on the pack of the tree it was built in";
}

TEST(DataDirectory, ProgramInItsBuildTreeRunsOnTheBuildsPack) {
  const InstalledTree tree("src", "");
  const testing::TempDirectory build;
  EXPECT_EQ(ChooseDataDirectory(tree.program, "../share/zorbulant", build.path()), build.path());
  EXPECT_EQ(ChooseDataDirectory(std::nullopt, "../share/zorbulant", build.path()), build.path())
      << "a program that cannot find itself still has the build's pack";
}

TEST(DataDirectory, AFileWhereThePackShouldBeIsNoPack) {
  const InstalledTree tree("bin", "share");
  tree.root.Write("share/zorbulant", std::string("not a folder"));
  const testing::TempDirectory build;
  EXPECT_EQ(ChooseDataDirectory(tree.program, "../share/zorbulant", build.path()), build.path());
}

TEST(DataDirectory, WithNoPackAnywhereTheInstalledPlaceIsNamed) {
  const InstalledTree tree("bin", "");
  const fs::path gone = tree.root.path() / "no-build" / "data";
  EXPECT_EQ(ChooseDataDirectory(tree.program, "../share/zorbulant", gone),
            tree.root.path() / "share/zorbulant")
      << "a player's error message names where the install put the pack, not a build tree";
  EXPECT_EQ(ChooseDataDirectory(std::nullopt, "../share/zorbulant", gone), gone);
}

TEST(DataDirectory, TheTestProgramFindsItselfAndTheBuildsPack) {
  const std::optional<fs::path> program = RunningProgramPath();
  ASSERT_TRUE(program.has_value());
  EXPECT_TRUE(program->is_absolute());
  EXPECT_EQ(program->filename(), "zorbulant_tests");
  EXPECT_TRUE(fs::is_regular_file(*program));
  EXPECT_EQ(DefaultDataDirectory(), fs::path(ZORBULANT_DATA_DIR));
}

TEST(DataDirectory, CommandLineNamesThePackOrLeavesItToTheChoice) {
  std::string error;
  const std::optional<Options> plain = ParseOptions({"zorbulant", "--headless"}, error);
  ASSERT_TRUE(plain.has_value()) << error;
  EXPECT_EQ(plain->dataDirectory, DefaultDataDirectory());

  const std::optional<Options> given =
      ParseOptions({"zorbulant", "--data", "/elsewhere/pack", "--headless"}, error);
  ASSERT_TRUE(given.has_value()) << error;
  EXPECT_EQ(given->dataDirectory, fs::path("/elsewhere/pack"));
}

}  // namespace
}  // namespace zorbulant
