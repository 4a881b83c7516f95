// Level objects in whole headless runs on fixture levels of our own: a key
// door, switches broken by bullets and by a laser shot, a barrier switched
// off, an enemy killed by the fifth bullet, a grenade bursting at the hero,
// and the hero's poses with the head-up display after pick-ups.
#include <gtest/gtest.h>

#include <set>
#include "flow/flow_state.h"

#include "support/fixture_level.h"
#include "support/png_reader.h"
#include "world/level_object.h"

namespace zorbulant {
namespace {

using testing::FixtureLevel;

constexpr uint32_t Floor = 300;  // the hero stands on row 300
constexpr uint32_t Sprites = 83'303;
// The fixture's own sprites, in the level graphics.
constexpr uint32_t KeySprite = Sprites;           // 16 x 16
constexpr uint32_t SwitchSprite = Sprites + 256;  // 16 x 32
constexpr uint32_t SpentSprite = Sprites + 768;   // 16 x 32
constexpr uint32_t EnemySprite = Sprites + 1280;  // 16 x 32
constexpr uint32_t Harmless = 124;                // a word no object reads

std::vector<uint8_t> FixtureSprites() {
  std::vector<uint8_t> bytes(1792, 255);
  auto fill = [&](uint32_t at, uint32_t width, uint32_t height, uint8_t colour) {
    for (uint32_t y = 1; y + 1 < height; ++y) {
      for (uint32_t x = 1; x + 1 < width; ++x) bytes[at - Sprites + y * width + x] = colour;
    }
  };
  fill(KeySprite, 16, 16, 210);    // yellow
  fill(SwitchSprite, 16, 32, 30);  // red
  fill(SpentSprite, 16, 32, 144);  // green
  fill(EnemySprite, 16, 32, 28);   // purple
  return bytes;
}

// A dark room 400 rows high with a floor and walls on both sides.
testing::Picture Room() {
  testing::Picture picture{1280, 400, std::vector<uint8_t>(1280 * 400, 2)};
  auto paint = [&](uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint8_t value) {
    for (uint32_t row = y; row < y + height; ++row) {
      std::fill_n(picture.pixels.begin() + row * 1280 + x, width, value);
    }
  };
  paint(0, Floor, 1280, 20, 250);
  paint(0, 0, 4, Floor, 255);
  paint(1276, 0, 4, Floor, 255);
  return picture;
}

LevelFileImage Level(std::vector<std::array<uint32_t, 32>> objects) {
  LevelFileImage level;
  level.missionTitle = "Object Fixture";
  level.musicName = "nomusic0";
  level.heroStartX = 200;
  level.heroStartY = Floor;
  level.levelHeight = 400;
  level.exitX = 340;
  level.exitY = 250;
  level.exitWidth = 40;
  level.exitHeight = 60;
  level.objects = std::move(objects);
  return level;
}

std::array<uint32_t, 32> Words(std::initializer_list<std::pair<uint32_t, uint32_t>> fields) {
  std::array<uint32_t, 32> words{};
  for (const auto& [offset, value] : fields) words[offset / 4] = value;
  return words;
}

// A switch 16 x 32 standing on the floor at x, its actions aimed at its own
// harmless word unless `more` aims them.
std::array<uint32_t, 32> Switch(uint32_t x,
                                std::initializer_list<std::pair<uint32_t, uint32_t>> more) {
  auto words = Words({{field::Type, ObjectSwitch},
                      {field::X, x},
                      {field::Y, Floor - 32},
                      {field::HitPoints, 1},
                      {field::Width, 16},
                      {field::Height, 32},
                      {field::SpriteOffset, SwitchSprite},
                      {field::SpentSprite, SpentSprite},
                      {field::PayWith, 20}});
  for (const uint32_t at : {field::Set1Offset, field::Set2Offset, field::Set3Offset,
                            field::Set4Offset, field::Add1Offset, field::Add2Offset}) {
    words[at / 4] = Harmless;
  }
  for (const auto& [offset, value] : more) words[offset / 4] = value;
  return words;
}

std::array<uint32_t, 32> Pickup(uint32_t x, uint32_t target, uint32_t amount) {
  return Words({{field::Type, ObjectPickup},
                {field::X, x},
                {field::Y, Floor - 16},
                {field::Width, 16},
                {field::Height, 16},
                {field::SpriteOffset, KeySprite},
                {field::Target, target},
                {field::Amount, amount}});
}

// The first turn from `from` on in which `name` has the value.
uint32_t FirstTurn(const FixtureLevel& run, uint32_t from, const char* name, uint32_t value) {
  for (uint32_t turn = from; turn <= run.turns.size(); ++turn) {
    if (run.At(turn, name) == value) return turn;
  }
  return 0;
}

TEST(ObjectsTrace, KeyDoorOpensOnlyWithItemA) {
  FixtureLevel run;
  run.WriteGraphics(FixtureSprites());
  run.Write(Level({Switch(150, {{field::Price, 1},
                                {field::Sound, 1},
                                {field::Set1Offset, 2 * 128 + field::State},
                                {field::Set1Value, 1}}),
                   Pickup(230, 20, 1),
                   Words({{field::Type, ObjectBlock},
                          {field::X, 300},
                          {field::Y, 240},
                          {field::ClosedColour, 250},
                          {field::OpenColour, 2},
                          {field::BlockWidth, 8},
                          {field::BlockHeight, Floor - 240}})}),
            Room());
  run.Run(
      "8 press Left      # to the door's lock without a key\n"
      "50 release Left\n"
      "52 press Right    # fetch the key\n"
      "140 release Right\n"
      "142 press Left    # back to the lock\n"
      "232 release Left\n"
      "235 press Right   # through the open door to the exit\n",
      460, {{139, "key.png"}, {240, "open.png"}});
  EXPECT_LE(run.At(50, "HeroX"), 166u);
  EXPECT_EQ(run.Object(50, 0)[3], 1u) << "no key: the lock did not fire";
  const uint32_t gotKey = FirstTurn(run, 52, "ItemCountA", 1);
  ASSERT_NE(gotKey, 0u);
  EXPECT_EQ(run.At(gotKey, "HeroX"), 231u);
  EXPECT_EQ(run.Object(gotKey, 1)[0], 0u) << "the key is gone from the floor";
  const uint32_t paid = FirstTurn(run, gotKey, "ItemCountA", 0);
  ASSERT_NE(paid, 0u);
  EXPECT_EQ(run.At(paid, "HeroX"), 166u);
  EXPECT_EQ(run.Object(paid, 0)[3], 0u) << "spent";
  const uint32_t done = FirstTurn(run, paid, "GameState", StateMissionDone);
  ASSERT_NE(done, 0u) << "the door let the hero through";
  EXPECT_EQ(run.At(done, "HeroX"), 341u) << "one pixel right of the exit's left edge";
}

TEST(ObjectsTrace, SwitchBreaksFromThreeBulletsOrOneLaserShot) {
  for (const bool laser : {false, true}) {
    FixtureLevel run;
    run.WriteGraphics(FixtureSprites());
    std::vector<std::array<uint32_t, 32>> objects = {Switch(260, {{field::HitPoints, 3}})};
    // The laser lies where the hero starts.
    if (laser) objects.push_back(Pickup(190, 16, 0));
    run.Write(Level(objects), Room());
    run.Run(
        "8 press Ctrl\n9 release Ctrl\n12 press Ctrl\n13 release Ctrl\n"
        "16 press Ctrl\n17 release Ctrl\n",
        100, {{52, laser ? "laser-break.png" : "bullets-break.png"}});
    EXPECT_EQ(run.At(8, "WeaponFlags"), laser ? 5u : 1u);
    std::vector<uint32_t> hitPoints;
    for (uint32_t turn = 8; turn <= 100; ++turn) {
      const uint32_t now = run.Object(turn, 0)[3];
      if (hitPoints.empty() || hitPoints.back() != now) hitPoints.push_back(now);
    }
    EXPECT_EQ(hitPoints,
              laser ? (std::vector<uint32_t>{3, 0}) : (std::vector<uint32_t>{3, 2, 1, 0}));
    const uint32_t broken = FirstTurn(run, 8, "ExplosionStep", 1);
    ASSERT_NE(broken, 0u);
    EXPECT_EQ(run.Object(broken, 0)[3], 0u);
    EXPECT_EQ(run.At(broken + 29, "ExplosionStep"), 30u);
  }
}

TEST(ObjectsTrace, BarrierKillsUntilItsSwitchTurnsItOff) {
  for (const bool switchedOff : {false, true}) {
    FixtureLevel run;
    run.WriteGraphics(FixtureSprites());
    run.Write(Level({Switch(150, {{field::Sound, 2},
                                  {field::Set1Offset, 128 + field::Disabled},
                                  {field::Set1Value, 1}}),
                     Words({{field::Type, ObjectBarrier},
                            {field::X, 240},
                            {field::Y, 240},
                            {field::FrameShift, 9},
                            {field::ColourBitSet, 255},
                            {field::OffColour, 255},
                            {field::FieldHeight, 30},
                            {field::FieldWidth, 20},
                            {field::ColourBitClear, 174}})}),
              Room());
    run.Run(switchedOff ? "8 press Left\n50 release Left\n52 press Right\n" : "8 press Right\n",
            switchedOff ? 260 : 80, {{switchedOff ? 40u : 30u, "barrier.png"}});
    if (!switchedOff) {
      const uint32_t lost = FirstTurn(run, 8, "HeroHealth", 0);
      ASSERT_NE(lost, 0u);
      EXPECT_EQ(run.At(lost, "HeroX"), 241u) << "the deadly box reaches the floor";
      EXPECT_EQ(run.At(lost + 1, "GameState"), StateHeroLost);
    } else {
      EXPECT_EQ(run.Object(50, 0)[3], 0u) << "the lever was pulled";
      EXPECT_EQ(FirstTurn(run, 8, "HeroHealth", 0), 0u);
      EXPECT_NE(FirstTurn(run, 52, "GameState", StateMissionDone), 0u);
    }
  }
}

TEST(ObjectsTrace, EnemyWithFourHitPointsDiesFromTheFifthBullet) {
  FixtureLevel run;
  run.WriteGraphics(FixtureSprites());
  run.Write(Level({Words({{field::Type, ObjectEnemy},
                          {field::X, 300},
                          {field::Y, Floor - 1},
                          {field::HitPoints, 4},
                          {field::Width, 16},
                          {field::Height, 32},
                          {field::SpriteOffset, EnemySprite},
                          {field::Facing, 1},
                          {field::Behaviour, EnemyFrozen},
                          {field::FireMask, 0xFFFFFFFF}})}),
            Room());
  std::string script;
  for (uint32_t shot = 0; shot < 5; ++shot) {
    script += std::to_string(8 + 4 * shot) + " press Ctrl\n" + std::to_string(9 + 4 * shot) +
              " release Ctrl\n";
  }
  run.Run(script, 90, {{62, "enemy-dies.png"}});
  std::vector<uint32_t> hitPoints;
  uint32_t died = 0;
  for (uint32_t turn = 8; turn <= 90 && died == 0; ++turn) {
    const auto enemy = run.Object(turn, 0);
    if (enemy[0] == 0) died = turn;
    if (hitPoints.empty() || hitPoints.back() != enemy[3]) hitPoints.push_back(enemy[3]);
  }
  EXPECT_EQ(hitPoints, (std::vector<uint32_t>{4, 3, 2, 1, 0}));
  ASSERT_NE(died, 0u);
  EXPECT_EQ(run.At(died, "PistolRounds"), 1u) << "five rounds spent";
  EXPECT_EQ(run.At(died, "ExplosionStep"), 0u);
  EXPECT_EQ(run.At(died, "SprayStep"), 1u);
}

TEST(ObjectsTrace, GrenadeBouncesAndBurstsAtTheHerosFeet) {
  FixtureLevel run;
  run.WriteGraphics(FixtureSprites());
  testing::Picture room = Room();
  // A narrow pit the grenade bounces in: walls at 169 to 172 and 213 to 216.
  for (uint32_t row = 250; row < Floor; ++row) {
    std::fill_n(room.pixels.begin() + row * 1280 + 169, 4, 255);
    std::fill_n(room.pixels.begin() + row * 1280 + 213, 4, 255);
  }
  run.Write(Level({Pickup(190, 12, 1)}), room);
  run.Run("8 press 3\n9 release 3\n10 press Ctrl\n11 release Ctrl\n", 90, {{61, "grenade.png"}});
  EXPECT_EQ(run.At(9, "WeaponFlags"), 64u);
  EXPECT_EQ(run.At(10, "GrenadeCount"), 0u);
  const uint32_t burst = FirstTurn(run, 10, "ExplosionStep", 1);
  ASSERT_NE(burst, 0u);
  EXPECT_EQ(run.At(burst - 1, "HeroHealth"), 256u);
  EXPECT_EQ(run.At(burst, "HeroHealth"), 192u) << "64 at the burst on the hero's row";
}

// The hero's poses and the head-up display after pick-ups of grenades and fuel:
// standing, the empty-magazine warning blinking, walking mirrored, and ducking
// with the flame-thrower burning.
TEST(ObjectsTrace, PosesAndHeadUpDisplayAfterPickups) {
  FixtureLevel run;
  run.WriteGraphics(FixtureSprites());
  run.Write(Level({Pickup(190, 12, 12), Pickup(195, 32, 2048)}), Room());
  std::string script;
  for (uint32_t shot = 0; shot < 6; ++shot) {
    script += std::to_string(8 + 4 * shot) + " press Ctrl\n" + std::to_string(9 + 4 * shot) +
              " release Ctrl\n";
  }
  script +=
      "70 press Left\n86 release Left\n"
      "88 press 2\n89 release 2\n90 press Down\n92 press Ctrl\n101 release Ctrl\n102 release "
      "Down\n";
  const std::map<uint32_t, std::string> shots = {
      {7, "standing.png"},  {40, "empty-40.png"},     {49, "empty-49.png"},   {58, "empty-58.png"},
      {67, "empty-67.png"}, {85, "walking-left.png"}, {100, "duck-flame.png"}};
  run.Run(script, 104, shots);
  EXPECT_EQ(run.At(7, "GrenadeCount"), 12u);
  EXPECT_EQ(run.At(7, "FlameFuel"), 2048u);
  EXPECT_EQ(run.At(30, "PistolRounds"), 0u);
  EXPECT_EQ(run.At(85, "HeroFacingLeft"), 1u);
  EXPECT_EQ(run.At(100, "WeaponFlags"), 2u);
  EXPECT_EQ(run.At(100, "HeroFrame"), 18u);
  EXPECT_LT(run.At(100, "FlameFuel"), 2048u) << "the flame burns fuel";

  // The warning's place on the view, (100, 182) to (147, 197), blinks.
  std::set<std::vector<uint8_t>> warningArea;
  for (const uint32_t turn : {40u, 49u, 58u, 67u}) {
    const testing::RgbImage image = testing::ReadRgbPng(run.Shot(shots.at(turn)));
    ASSERT_EQ(image.width, 320u);
    std::vector<uint8_t> area;
    for (uint32_t y = 182; y < 198; ++y) {
      const auto row = image.rgb.begin() + 3 * (y * 320 + 100);
      area.insert(area.end(), row, row + 3 * 48);
    }
    warningArea.insert(area);
  }
  EXPECT_EQ(warningArea.size(), 2u) << "shown and hidden";
}

}  // namespace
}  // namespace zorbulant
