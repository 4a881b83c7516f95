// The trace line of one turn.
#include "flow/game_trace.h"

#include <nlohmann/json.hpp>

#include "flow/game.h"
#include "world/level_object.h"

namespace zorbulant {

namespace {

// Type, X, Y and HitPoints of each record up to the end of the list, removed
// ones included, so a trace shows what the level's objects do.
nlohmann::json ObjectsTrace(const Game& game) {
  nlohmann::json objects = nlohmann::json::array();
  for (uint32_t k = 0; k < levelfile::MaxObjectRecords; ++k) {
    const uint32_t at = levelfile::FirstObject + k * levelfile::ObjectSize;
    const uint32_t type = LevelWord(game.work, at + field::Type);
    if (type >= levelfile::EndOfObjects) break;
    objects.push_back({type, LevelWord(game.work, at + field::X),
                       LevelWord(game.work, at + field::Y),
                       LevelWord(game.work, at + field::HitPoints)});
  }
  return objects;
}

}  // namespace

std::string TraceLine(const Game& game, uint32_t turn, uint32_t clock) {
  const HeroVariables& hero = game.hero;
  const WorldVariables& world = game.world;
  const KeyFlags& keys = game.keys;
  nlohmann::ordered_json line;
  line["turn"] = turn;
  line["clock"] = clock;
  line["GameState"] = game.flow.GameState;
  line["LevelNumber"] = game.level.LevelNumber;
  line["MaxCount"] = game.settings.MaxCount;
  line["LastFoundLevel"] = game.level.LastFoundLevel;
  line["HeroX"] = hero.HeroX;
  line["HeroY"] = hero.HeroY;
  line["CameraY"] = world.CameraY;
  line["HeroHealth"] = hero.HeroHealth;
  line["HeroOnGround"] = world.HeroOnGround;
  line["HeroFrame"] = hero.HeroFrame;
  line["HeroFacingLeft"] = hero.HeroFacingLeft;
  line["WeaponFlags"] = hero.WeaponFlags;
  line["PistolRounds"] = hero.PistolRounds;
  line["GrenadeCount"] = hero.GrenadeCount;
  line["FlameFuel"] = hero.FlameFuel;
  line["ItemCountA"] = hero.ItemCountA;
  line["ItemCountB"] = hero.ItemCountB;
  line["DoubleDamageTimer"] = hero.DoubleDamageTimer;
  line["JumpPower"] = world.JumpPower;
  line["FallSpeed"] = hero.FallSpeed;
  line["AirTime"] = hero.AirTime;
  line["IdleTime"] = world.IdleTime;
  line["FrameLimit"] = game.settings.FrameLimit;
  line["Amplification"] = game.settings.Amplification;
  line["ScreenTimer"] = game.flow.ScreenTimer;
  line["KeyEscape"] = keys.KeyEscape;
  line["KeyUp"] = keys.KeyUp;
  line["KeyLeft"] = keys.KeyLeft;
  line["KeyRight"] = keys.KeyRight;
  line["KeyJump"] = keys.KeyJump;
  line["JumpKeyLast"] = keys.JumpKeyLast;
  line["KeyFire"] = keys.KeyFire;
  line["KeyDown"] = keys.KeyDown;
  line["ExplosionStep"] = game.effects.explosion.ExplosionStep;
  line["SprayStep"] = game.effects.spray.SprayStep;
  line["Objects"] = ObjectsTrace(game);
  return line.dump();
}

}  // namespace zorbulant
