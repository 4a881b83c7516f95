// The level checker: each fault a level can have, found and named with its
// place, in maps and in level files read back from disk.
#include "levelc/level_lint.h"

#include <gtest/gtest.h>

#include <fstream>

#include "levelc/compiled_level.h"
#include "levelc/level_files.h"
#include "levelc/level_sprites.h"
#include "levelc/map_compiler.h"
#include "tools/levelc_test_map.h"
#include "world/level_object.h"

namespace zorbulant::tools::test {
namespace {

// "place: what" lines, for readable failures.
std::vector<std::string> Lines(const std::vector<LevelProblem>& problems) {
  std::vector<std::string> lines;
  for (const LevelProblem& problem : problems) lines.push_back(problem.place + ": " + problem.what);
  return lines;
}

// The one problem at `place`, which must contain `words`.
void ExpectOneProblem(const std::vector<LevelProblem>& problems, const std::string& place,
                      const std::string& words) {
  ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(Lines(problems));
  EXPECT_EQ(problems[0].place, place);
  EXPECT_NE(problems[0].what.find(words), std::string::npos) << problems[0].what;
}

class MapLintTest : public ::testing::Test {
 protected:
  std::vector<LevelProblem> Lint() { return LintLevel(CompileMap(ReadTiledMap(map.Write())), {}); }
  void Resize(uint32_t columns, uint32_t rows) {
    map.Map()["width"] = columns;
    map.Map()["height"] = rows;
    for (uint32_t k = 0; k < 2; ++k) {
      map.Layer(k)["width"] = columns;
      map.Layer(k)["height"] = rows;
      map.Layer(k)["data"] = json(columns * rows, k == 0 ? SkyTile : WallTile);
    }
  }

  TestMap map;
};

TEST_F(MapLintTest, TheTestMapIsClean) {
  EXPECT_TRUE(Lint().empty()) << ::testing::PrintToString(Lines(Lint()));
}

TEST_F(MapLintTest, AnOpenSideIsFoundWithItsRows) {
  // The jump reaches into the wall's bottom, which the hero climbs through
  // to the top row.
  for (uint32_t row = 9; row < 12; ++row) map.SetTile(0, row, NoTile);
  ExpectOneProblem(Lint(), "left edge", "at rows 0-192;");
  for (uint32_t row = 0; row < 9; ++row) map.SetTile(0, row, NoTile);
  map.SetTile(0, 11, WallTile);
  ExpectOneProblem(Lint(), "left edge", "at rows 109-176;");
}

TEST_F(MapLintTest, APitIsAProblemUnlessTheLevelWraps) {
  map.SetTile(10, 12, NoTile);
  ExpectOneProblem(Lint(), "bottom edge", "at columns 160-175 ");
  map.SetProperty("wrap", true);
  EXPECT_TRUE(Lint().empty());
}

TEST_F(MapLintTest, TheExitMustBeInsideTheLevelAndWithinReach) {
  map.Objects()[1]["y"] = 20;
  ExpectOneProblem(Lint(), "exit", "the hero cannot get there from the start");
  map.Objects()[1]["y"] = 193;  // inside the floor
  ExpectOneProblem(Lint(), "exit", "the hero cannot get there");
  map.Objects()[1]["y"] = 192 - 32;
  map.Objects()[1]["x"] = 320;
  ExpectOneProblem(Lint(), "exit", "lies outside the level");
}

TEST_F(MapLintTest, DoorsAreTakenAsOpened) {
  // A door from the floor to the top between start and exit: one that opens
  // keeps the exit in reach, one that stays solid does not.
  const json door = {{"closed-colour", 250}, {"open-colour", 5}};
  map.AddObject("block", "door", 160, 0, 16, 192, door);
  EXPECT_TRUE(Lint().empty());
  map.Object("door")["properties"][1]["value"] = 251;
  ExpectOneProblem(Lint(), "exit", "cannot get there");
}

TEST_F(MapLintTest, TheStartStandsOnTheFloorNotInIt) {
  map.Objects()[0]["y"] = 194;
  ExpectOneProblem(Lint(), "start", "(40,194) is inside solid pixels");
  map.Objects()[0]["x"] = 330;
  ExpectOneProblem(Lint(), "start", "lies outside the level");
}

TEST_F(MapLintTest, TheLevelIsAtLeastAScreenBig) {
  Resize(19, 13);
  ExpectOneProblem(Lint(), "header", "LevelWidth is 304, not 320 to 1280");
  Resize(20, 12);
  ExpectOneProblem(Lint(), "header", "LevelHeight is 192, not 200 to 819");
}

TEST_F(MapLintTest, ALevelHoldsThirtyOneObjects) {
  map.WriteFile("own.txt", "colour c 100\nsprite dot 1x1\nc\n");
  map.SetProperty("sprites", "own.txt");
  for (int k = 0; k < 31; ++k) {
    map.AddObject("pickup", "", 20 + k, 100, 1, 1,
                  {{"sprite", "dot"}, {"gives", "rounds"}, {"amount", 1}});
  }
  EXPECT_TRUE(Lint().empty());
  map.AddObject("pickup", "", 60, 100, 1, 1,
                {{"sprite", "dot"}, {"gives", "rounds"}, {"amount", 1}});
  ExpectOneProblem(Lint(), "object list", "32 objects; a level file holds at most 31");
}

// Level files written to disk and read back, as `--check levelXXX.jmp` does.
class LevelFileLintTest : public ::testing::Test {
 protected:
  void SetUp() override { level = CompileMap(ReadTiledMap(map.Write())); }
  std::vector<LevelProblem> WriteAndLint(const std::optional<std::filesystem::path>& data = {}) {
    WriteLevelFiles(level, output.path(), "aab");
    std::vector<LevelProblem> problems;
    const CompiledLevel read = ReadLevelFiles(output.path() / "levelaab.jmp", problems);
    for (const LevelProblem& problem : LintLevel(read, data)) problems.push_back(problem);
    return problems;
  }
  ObjectRecord& Add(ObjectType type, uint32_t x, uint32_t y) {
    ObjectRecord record{};
    record[field::Type / 4] = type;
    record[field::X / 4] = x;
    record[field::Y / 4] = y;
    level.file.objects.push_back(record);
    return level.file.objects.back();
  }

  TestMap map;
  CompiledLevel level;
  testing::TempDirectory output;
};

TEST_F(LevelFileLintTest, SpritesStayInsideTheSheetAndTheLevelGraphics) {
  ObjectRecord& last = Add(ObjectPickup, 60, 176);
  last[field::Width / 4] = 16;
  last[field::Height / 4] = 16;
  last[field::FrameMask / 4] = 3;
  last[field::SpriteOffset / 4] = SpriteAreaEnd - 4 * 256;
  level.levelGraphics.assign(regions::LevelGraphics.size, 1);
  EXPECT_TRUE(WriteAndLint().empty()) << "the last four frames that fit";
  last[field::SpriteOffset / 4] += 1;
  ExpectOneProblem(WriteAndLint(), "object 0 (pickup at 60,176)",
                   "ends at 93544, past the sheet and the level graphics (93543)");
  level.levelGraphics.assign(256, 1);
  last[field::SpriteOffset / 4] = LevelGraphicsStart;
  last[field::FrameMask / 4] = 1;
  ExpectOneProblem(WriteAndLint(), "object 0 (pickup at 60,176)",
                   "ends at 83815, past the level's own sprites (83559)");
}

TEST_F(LevelFileLintTest, SwitchActionsStayInsideTheObjectList) {
  Add(ObjectPickup, 60, 176);
  ObjectRecord& lever = Add(ObjectSwitch, 80, 176);
  lever[field::Set1Offset / 4] = 2 * 128 - 4;
  EXPECT_TRUE(WriteAndLint().empty()) << "the last word of the last record";
  lever[field::Set1Offset / 4] = 2 * 128;
  ExpectOneProblem(WriteAndLint(), "object 1 (switch at 80,176)",
                   "set1 changes offset 256, past the 2 records of the object list");
  lever[field::Set1Offset / 4] = 0;
  lever[field::Add2Offset / 4] = 13;
  ExpectOneProblem(WriteAndLint(), "object 1 (switch at 80,176)",
                   "add2 changes offset 13, which is not the start of a word");
}

TEST_F(LevelFileLintTest, TheMusicMustBeInTheDataDirectory) {
  ExpectOneProblem(WriteAndLint(output.path()), "header",
                   "the music module loop0001.mod is not in");
  output.Write("loop0001.mod", std::string("module"));
  EXPECT_TRUE(WriteAndLint(output.path()).empty());
}

TEST_F(LevelFileLintTest, APictureAndAnEndOfTheListAreNeeded) {
  WriteAndLint();
  std::filesystem::remove(output.path() / "levelaab.gif");
  level.file.objects.assign(31, ObjectRecord{ObjectSoundZone});
  std::vector<uint8_t> bytes = level.file.Bytes();
  bytes[levelfile::FirstObject + 31 * levelfile::ObjectSize] = ObjectSoundZone;
  output.Write("levelaab.jmp", bytes);
  std::vector<LevelProblem> problems;
  ReadLevelFiles(output.path() / "levelaab.jmp", problems);
  ASSERT_EQ(problems.size(), 2u) << ::testing::PrintToString(Lines(problems));
  EXPECT_EQ(problems[0].place, "object list");
  EXPECT_NE(problems[0].what.find("no record of Type 7 or more ends it within the 4132 bytes"),
            std::string::npos);
  EXPECT_EQ(problems[1].place, "picture");
  EXPECT_EQ(problems[1].what, "levelaab.gif is missing or not a GIF");
}

}  // namespace
}  // namespace zorbulant::tools::test
