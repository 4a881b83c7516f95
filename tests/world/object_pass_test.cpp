// The exit test and the level objects: blocks, barriers, pick-ups, switches,
// and what a hostile level file may not reach.
#include "world/object_pass.h"

#include <gtest/gtest.h>

#include <cstring>

#include "actors/shots.h"
#include "support/level_world.h"

namespace zorbulant {
namespace {

using testing::Record;

struct ObjectPassTest : ::testing::Test, testing::LevelWorld {
  HeroVariables& hero() { return game.hero; }
  void Touch(uint32_t x, uint32_t y) {
    hero().HeroX = x;
    hero().HeroY = y;
    ObjectPass(game);
  }
  // A live switch at (400, 300), 16 x 16, its actions aimed at harmless words of
  // record 5 unless a test sets them.
  testing::ObjectWords Switch(std::initializer_list<std::pair<uint32_t, uint32_t>> more) {
    testing::ObjectWords words = Record({{field::Type, ObjectSwitch},
                                         {field::X, 400},
                                         {field::Y, 300},
                                         {field::Width, 16},
                                         {field::Height, 16},
                                         {field::HitPoints, 1},
                                         {field::SpentSprite, 512},
                                         {field::Set1Offset, 5 * 128 + 124},
                                         {field::Set2Offset, 5 * 128 + 124},
                                         {field::Set3Offset, 5 * 128 + 124},
                                         {field::Set4Offset, 5 * 128 + 124},
                                         {field::Add1Offset, 5 * 128 + 124},
                                         {field::Add2Offset, 5 * 128 + 124}});
    for (const auto& [offset, value] : more) words[offset / 4] = value;
    return words;
  }
};

TEST_F(ObjectPassTest, ExitIsOpenOnTheLeftAndTopAndClosedOnTheOtherSides) {
  StoreWord(game.work.at(regions::LevelHeader) + levelfile::ExitX, 500);
  StoreWord(game.work.at(regions::LevelHeader) + levelfile::ExitY, 100);
  StoreWord(game.work.at(regions::LevelHeader) + levelfile::ExitWidth, 20);
  StoreWord(game.work.at(regions::LevelHeader) + levelfile::ExitHeight, 40);
  game.flow.GameState = StateInGame;
  Touch(500, 140);
  EXPECT_EQ(game.flow.GameState, StateInGame);
  Touch(520, 101);
  EXPECT_EQ(game.flow.GameState, StateMissionDone);
  EXPECT_EQ(game.world.HeroOnGround, 1u);
}

TEST_F(ObjectPassTest, WalkSkipsEmptyRecordsAndStopsAtTheEnd) {
  // A pick-up behind an empty record is reached; one behind Type 255 is not.
  Add(Record({{field::Type, 0}}));
  Add(Record({{field::Type, ObjectPickup},
              {field::X, 90},
              {field::Y, 90},
              {field::Width, 20},
              {field::Height, 20},
              {field::Target, 12},
              {field::Amount, 1}}));
  Add(Record({{field::Type, 0xFFFFFFFF}}));
  Add(Record({{field::Type, ObjectPickup},
              {field::X, 90},
              {field::Y, 90},
              {field::Width, 20},
              {field::Height, 20},
              {field::Target, 12},
              {field::Amount, 10}}));
  Touch(100, 100);
  EXPECT_EQ(hero().GrenadeCount, 1u);
}

TEST_F(ObjectPassTest, BlockPaintsTheCollisionMapInItsStateColourClippedToThePicture) {
  auto block = Add(Record({{field::Type, ObjectBlock},
                           {field::X, 1270},
                           {field::Y, 810},
                           {field::ClosedColour, 0x1F0},
                           {field::OpenColour, 20},
                           {field::BlockWidth, 30},
                           {field::BlockHeight, 30}}));
  ObjectPass(game);
  const uint8_t* picture = game.work.at(regions::LevelPicture);
  EXPECT_EQ(picture[810 * 1280 + 1279], 0xF0);
  EXPECT_EQ(picture[818 * 1280 + 1270], 0xF0);
  EXPECT_EQ(picture[811 * 1280 + 0], 0) << "no overhang into the next row";
  EXPECT_EQ(game.work.at(regions::HeroSheet)[0], 0) << "nothing past the picture";
  block.Set(field::State, 1);
  ObjectPass(game);
  EXPECT_EQ(picture[815 * 1280 + 1275], 20);
}

TEST_F(ObjectPassTest, BarrierKillsThirtyRowsBelowItsFieldAndWhileInvisible) {
  auto barrier = Add(Record({{field::Type, ObjectBarrier},
                             {field::X, 200},
                             {field::Y, 100},
                             {field::FrameShift, 7},
                             {field::ColourBitSet, 255},
                             {field::OffColour, 255},
                             {field::FieldHeight, 20},
                             {field::FieldWidth, 10},
                             {field::ColourBitClear, 40}}));
  game.world.FrameClock = 128;  // bit 7 set: the invisible phase
  Touch(210, 150);
  EXPECT_EQ(hero().HeroHealth, 0u) << "30 rows below the 20-row field still kills";
  EXPECT_EQ(Scene(205, 110), 0) << "value 255 is not drawn";

  hero().HeroHealth = 256;
  game.world.FrameClock = 0;
  Touch(211, 150);
  EXPECT_EQ(hero().HeroHealth, 256u);
  EXPECT_EQ(Scene(205, 110), 40);
  EXPECT_EQ(game.work.at(regions::LevelPicture)[110 * 1280 + 205], 0) << "scene only";

  barrier.Set(field::Disabled, 1);
  ClearScene();
  Touch(205, 110);
  EXPECT_EQ(hero().HeroHealth, 256u);
  EXPECT_EQ(Scene(205, 110), 0) << "switched off, OffColour 255 is not drawn";
}

TEST_F(ObjectPassTest, PickupsAddToTheirTargetWithTheirSounds) {
  Add(Record({{field::Type, ObjectPickup},
              {field::X, 90},
              {field::Y, 90},
              {field::Width, 16},
              {field::Height, 16},
              {field::Target, 8},
              {field::Amount, 64}}));
  Add(Record({{field::Type, ObjectPickup},
              {field::X, 190},
              {field::Y, 90},
              {field::Width, 16},
              {field::Height, 16},
              {field::Target, 16},
              {field::Amount, 99}}));
  Touch(90, 106);  // on the open left edge: not inside
  EXPECT_EQ(hero().HeroHealth, 256u);
  Touch(106, 106);
  EXPECT_EQ(hero().HeroHealth, 320u);
  EXPECT_EQ(Object(0).Get(field::Type), 0u);
  hero().WeaponFlags = WeaponFlamer;
  Touch(200, 100);
  EXPECT_EQ(hero().WeaponFlags, WeaponPistol | LaserUpgrade);
  Touch(106, 106);  // the health pick-up is gone
  EXPECT_EQ(hero().HeroHealth, 320u);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{Sound(SampleHeart, 11025, 64, 0),
                                                Sound(SampleHeart, 11025, 64, 128),
                                                Sound(SampleKling, 9500, 48, 0)}));
}

TEST_F(ObjectPassTest, KeyDoorOpensOnlyWithItemAAndTheHudStopsShowingTheKey) {
  auto key = Add(Record({{field::Type, ObjectPickup},
                         {field::X, 90},
                         {field::Y, 90},
                         {field::Width, 16},
                         {field::Height, 16},
                         {field::SpriteOffset, 1024},
                         {field::Target, 20},
                         {field::Amount, 1}}));
  auto door = Add(Record({{field::Type, ObjectBlock},
                          {field::X, 600},
                          {field::Y, 280},
                          {field::ClosedColour, 250},
                          {field::OpenColour, 30},
                          {field::BlockWidth, 8},
                          {field::BlockHeight, 20}}));
  Add(Switch({{field::PayWith, 20},
              {field::Price, 1},
              {field::Sound, 1},
              {field::Set1Offset, 128 + field::State},
              {field::Set1Value, 1}}));
  Touch(410, 310);
  EXPECT_EQ(door.Get(field::State), 0u) << "no key, no door";
  Touch(100, 100);
  EXPECT_EQ(hero().ItemCountA, 1u);
  EXPECT_EQ(LoadWord(game.work.at(regions::CarriedItemA) + field::SpriteOffset), 1024u);
  EXPECT_EQ(LoadWord(game.work.at(regions::CarriedItemA) + field::Type), 0u);
  EXPECT_EQ(key.Get(field::Type), 0u);

  platform.sound.calls.clear();
  Touch(410, 310);
  EXPECT_EQ(hero().ItemCountA, 0u);
  EXPECT_EQ(door.Get(field::State), 1u);
  ObjectPass(game);  // the block comes first in the list: repainted in the next pass
  EXPECT_EQ(game.work.at(regions::LevelPicture)[290 * 1280 + 604], 30);
  EXPECT_EQ(Sounds(), std::vector<std::string>{Sound(SampleDoor, 22025, 64, 0)});
  EXPECT_EQ(Object(2).Get(field::HitPoints), 0u);
  EXPECT_EQ(Object(2).Get(field::SpriteOffset), 512u) << "spent picture";
}

TEST_F(ObjectPassTest, ThreeBulletsOrOneLaserShotBreakASwitchOfThreeHitPoints) {
  for (const uint32_t weapon : {WeaponPistol, WeaponPistol | LaserUpgrade}) {
    ClearObjects();
    auto lever = Add(
        Switch({{field::HitPoints, 3}, {field::Set1Offset, 128 + 124}, {field::Set1Value, 77}}));
    hero().HeroX = 100;
    hero().HeroY = 100;
    uint32_t shots = 0;
    while (lever.Get(field::HitPoints) != 0 && shots < 5) {
      SetHeroShot(0, 1, 400, 305, weapon, 0);
      ObjectPass(game);
      EXPECT_EQ(HeroShot(0, ShotActive), 0u) << "a bullet that hits is freed";
      ++shots;
    }
    EXPECT_EQ(shots, weapon == WeaponPistol ? 3u : 1u);
    EXPECT_EQ(Object(1).Get(124), 77u) << "a broken switch fires";
    EXPECT_EQ(game.effects.explosion.ExplosionStep, 0u);
  }
}

TEST_F(ObjectPassTest, ShotReachesOnlyInsideTheSwitchAndAFlameStays) {
  auto lever = Add(Switch({{field::HitPoints, 100}}));
  auto hitPointsAfter = [&](uint32_t x, uint32_t y, uint32_t weapon, uint32_t facing) {
    lever.Set(field::HitPoints, 100);
    SetHeroShot(0, 1, x, y, weapon, facing);
    ObjectPass(game);
    return lever.Get(field::HitPoints);
  };
  EXPECT_EQ(hitPointsAfter(399, 300, WeaponPistol, 0), 99u) << "one column left of X";
  EXPECT_EQ(hitPointsAfter(398, 300, WeaponPistol, 0), 100u);
  EXPECT_EQ(hitPointsAfter(415, 315, WeaponPistol, 0), 99u);
  EXPECT_EQ(hitPointsAfter(416, 300, WeaponPistol, 0), 100u);
  EXPECT_EQ(hitPointsAfter(400, 316, WeaponPistol, 0), 100u);
  EXPECT_EQ(hitPointsAfter(367, 300, WeaponFlamer, 0), 98u) << "a flame reaches 32 further";
  EXPECT_EQ(HeroShot(0, ShotActive), 1u) << "and is not freed";
  EXPECT_EQ(hitPointsAfter(447, 300, WeaponFlamer, 1), 98u);
  EXPECT_EQ(hitPointsAfter(448, 300, WeaponFlamer, 1), 100u);
  // Near the level's left edge the unsigned test never hits.
  lever.Set(field::X, 10);
  lever.Set(field::Width, 16);
  EXPECT_EQ(hitPointsAfter(12, 305, WeaponPistol, 0), 100u);
}

TEST_F(ObjectPassTest, BreakingFarAwayPlaysTheExplosionOnceNearbyTwice) {
  auto lever = Add(Switch({{field::HitPoints, 1}}));
  hero().HeroX = 400 - 320;  // ten columns of 32 to the hero's right
  SetHeroShot(0, 1, 405, 305, WeaponPistol, 0);
  ObjectPass(game);
  EXPECT_EQ(Sounds(), std::vector<std::string>{Sound(SampleExplosion, 11025, 63, -10)});

  platform.sound.calls.clear();
  lever.Set(field::HitPoints, 1);
  hero().HeroX = 400 + 32;
  SetHeroShot(0, 1, 405, 305, WeaponPistol, 0);
  ObjectPass(game);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{Sound(SampleExplosion, 11025, 63, 1),
                                                Sound(SampleExplosion, 10025, 63, 128)}));
}

TEST_F(ObjectPassTest, SetActionsRunBeforeAddActions) {
  Add(Switch({{field::Set1Offset, 128 + 100},
              {field::Set1Value, 5},
              {field::Add1Offset, 128 + 100},
              {field::Add1Value, 7}}));
  Add(Record({}));
  Touch(410, 310);
  EXPECT_EQ(Object(1).Get(100), 12u);
  Touch(410, 310);
  EXPECT_EQ(Object(1).Get(100), 12u) << "a spent switch does not fire again";
}

TEST_F(ObjectPassTest, HostileOffsetsReachNothingOutsideTheirRegions) {
  // Actions aimed past the object list, a price paid with a word past the
  // hero variable block and a pick-up target there.
  const uint32_t outside[] = {levelfile::MaxObjectRecords * 128 - 3, 0x7FFFFFFF, 0xFFFFFFFC};
  std::vector<uint8_t> before(game.work.data(), game.work.data() + regions::WorkBlockSize);
  for (const uint32_t offset : outside) {
    ClearObjects();
    Add(Switch({{field::Set1Offset, offset},
                {field::Set1Value, 0xAAAAAAAA},
                {field::Add1Offset, offset},
                {field::Add1Value, 0x55555555}}));
    Add(Record({{field::Type, ObjectPickup},
                {field::X, 400},
                {field::Y, 300},
                {field::Width, 16},
                {field::Height, 16},
                {field::Target, offset},
                {field::Amount, 9}}));
    Touch(410, 310);
    EXPECT_EQ(Object(0).Get(field::HitPoints), 0u);
    auto paying = Add(Switch({{field::PayWith, 68},
                              {field::Price, 0},
                              {field::Set1Offset, 124},
                              {field::Set1Value, 3}}));
    Touch(410, 310);
    EXPECT_EQ(paying.Get(field::HitPoints), 1u) << "not fired: a word past the block cannot pay";
  }
  const HeroVariables expected = [&] {
    HeroVariables hero = game.hero;
    hero.HeroX = 410;
    hero.HeroY = 310;
    return hero;
  }();
  EXPECT_EQ(std::memcmp(&expected, &game.hero, sizeof(HeroVariables)), 0);
  const uint8_t* work = game.work.data();
  for (const Region region :
       {regions::CarriedItemA, regions::HeroShotTable, regions::EnemyShotTable}) {
    EXPECT_TRUE(
        std::equal(work + region.offset, work + region.end(), before.begin() + region.offset));
  }
}

TEST_F(ObjectPassTest, SpritesThatDoNotFitTheSheetAreNotDrawn) {
  auto pickup = Add(Record({{field::Type, ObjectPickup},
                            {field::X, 100},
                            {field::Y, 100},
                            {field::Width, 16},
                            {field::Height, 16},
                            {field::SpriteOffset, 83'303 + 10'240 - 256}}));
  std::fill_n(game.work.at(regions::LevelGraphics) + 10'240 - 256, 256, uint8_t{77});
  ObjectPass(game);
  EXPECT_EQ(Scene(100, 100), 77) << "the last frame that fits";
  ClearScene();
  pickup.Set(field::SpriteOffset, 83'303 + 10'240 - 255);
  ObjectPass(game);
  pickup.Set(field::SpriteOffset, 0);
  pickup.Set(field::Width, 0x10000);
  pickup.Set(field::Height, 0x10000);
  ObjectPass(game);
  EXPECT_EQ(Scene(100, 100), 0);
}

}  // namespace
}  // namespace zorbulant
