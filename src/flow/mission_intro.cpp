// Mission intro, level set-up and level start.
#include "flow/mission_intro.h"

#include <algorithm>
#include <cstring>

#include "assets/file_loader.h"
#include "assets/gif_decoder.h"
#include "flow/game.h"
#include "platform/display.h"
#include "world/in_game_frame.h"
#include "world/level_file.h"

namespace zorbulant {

namespace {

void DrawIntroTexts(Game& game) {
  static constexpr char NextMission[] = "Next Mission:";
  TextJob& job = game.textJob;
  job.TextX = 40;
  job.TextY = 20;
  job.TextLength = 13;
  job.TextPointer = NextMission;
  job.CharacterExtra = 4;
  SetTextFont(job, 26, 0, 600, 1, 0);
  DrawTextJob(game);

  // Exactly the 16 bytes of the title field, zero bytes included.
  job.TextX = 30;
  job.TextY = 80;
  job.TextLength = levelfile::MissionTitleLength;
  job.TextPointer =
      reinterpret_cast<const char*>(game.work.at(regions::LevelHeader)) + levelfile::MissionTitle;
  job.CharacterExtra = 2;
  job.FontHeight = 30;
  job.FontWeight = 800;
  job.FontUnderline = 0;
  DrawTextJob(game);
}

// Right and Up step forward while below MaxCount, Left and Down back while
// above 0; the search that follows goes the way of the last step.
void LevelPicker(Game& game) {
  KeyFlags& keys = game.keys;
  LevelSearch& level = game.level;
  uint32_t n = level.LevelNumber;
  uint32_t d = 0;
  if (n < game.settings.MaxCount) {
    n += keys.KeyRight + keys.KeyUp;
    d += keys.KeyRight + keys.KeyUp;
  }
  if (n != 0) {
    n -= keys.KeyLeft + keys.KeyDown;
    d -= keys.KeyLeft + keys.KeyDown;
  }
  level.LevelSearchStep = static_cast<int32_t>(d | 1);
  level.LevelNumber = n & 4095;
  keys.KeyDown = 0;
  keys.KeyLeft = 0;
  keys.KeyRight = 0;
  keys.KeyUp = 0;
}

void LoadLevelSample(Game& game, char digit, uint32_t& handle) {
  char* name = game.flow.LevelSampleName;
  std::copy_n(game.level.LevelGraphicsName + 5, 3, name + 5);
  name[4] = digit;
  if (handle != 0) game.platform.sound.FreeSample(handle);
  // Stored as the library gives it: a failed load's handle is harmless.
  handle = game.platform.sound.LoadLevelSample(name, 0);
}

}  // namespace

void MissionIntroFrame(Game& game) {
  game.flow.GameState = StateMissionIntro;
  game.world.HeroOnGround = 1;
  FindLevel(game);
  ShowPicture(game, game.work.at(regions::MenuBackground), ScreenWidth);
  DrawIntroTexts(game);
  FlipScreen(game);
  LevelPicker(game);
  if (game.keys.KeyEscape == 1) {
    game.flow.GameState = StateBackToMenu;
    return;
  }
  if (game.keys.KeyJump != 1) return;
  game.keys.KeyJump = 0;
  LevelSetUp(game);
}

void LevelSetUp(Game& game) {
  if (!LoadGifPicture(game, game.level.LevelGraphicsName, regions::LevelGraphics)) {
    // Without its own graphics a level shows nothing where they would be,
    // rather than the sprites of the level before: 255 is transparent.
    std::memset(game.work.at(regions::LevelGraphics), 255, regions::LevelGraphics.size);
  }
  LoadLevelSample(game, '2', game.sound.LevelSample2);
  LoadLevelSample(game, '1', game.sound.LevelSample1);
  std::copy_n(game.work.at(regions::LevelHeader) + levelfile::MusicName, levelfile::MusicNameLength,
              game.sound.MusicFileName);
  PlayMusic(game);
  LevelStart(game);
}

void LevelStart(Game& game) {
  HeroVariables& hero = game.hero;
  LoadWholeFile(game, game.level.LevelDataName, regions::LevelFileLength, regions::LevelHeader);
  // Rows below a picture shorter than the region are empty, not what the
  // level before left there.
  std::memset(game.work.at(regions::LevelPicture), 0, regions::LevelPicture.size);
  if (!LoadGifPicture(game, game.level.LevelPictureName, regions::LevelPicture)) {
    game.level.LevelNumber += 1;
    MissionIntroFrame(game);
    return;
  }
  const WorkBlock& work = game.work;
  hero.HeroX = LevelWord(work, levelfile::HeroStartX);
  hero.HeroY = LevelWord(work, levelfile::HeroStartY);
  game.world.CameraY = hero.HeroY;
  hero.LevelWidth = LevelWord(work, levelfile::LevelWidth);
  hero.LevelHeight = LevelWord(work, levelfile::LevelHeight);

  hero.ItemCountA = 0;
  hero.ItemCountB = 0;
  hero.DoubleDamageTimer = 0;
  hero.WeaponFlags = WeaponPistol;  // the laser upgrade is lost
  hero.GrenadeCount = 0;
  hero.PistolRounds = 6;
  game.flow.ScreenTimer = 0;
  // 256 after a new game or a death; after a finished mission the hero keeps
  // the low 11 bits of his health with bit 8 forced on.
  hero.HeroHealth = (hero.HeroHealth & 0x7FF) | 0x100;
  hero.FlameFuel = 0;
  game.world.HeroOnGround = 1;

  std::memset(game.work.at(regions::ShotTables), 0, regions::ShotTables.size);
  game.flow.GameState = StateInGame;
  InGameFrame(game);
}

}  // namespace zorbulant
