// The mission-done screen.
#include "flow/mission_done.h"

#include <algorithm>
#include <cstring>

#include "assets/gif_decoder.h"
#include "flow/game.h"
#include "platform/display.h"
#include "sound/settings.h"
#include "world/in_game_frame.h"

namespace zorbulant {

namespace {

constexpr uint32_t TextFrames = 300;

void DrawMissionDone(Game& game) {
  TextJob& job = game.textJob;
  job.TextX = 10;
  job.TextY = 70;
  job.TextLength = 12;
  job.TextPointer = "Mission Done";
  job.CharacterExtra = 4;
  SetTextFont(job, 45, 0, 800, 0, 0);
  DrawTextJob(game);
}

// Shows the end picture in place of the level and plays its music; false when
// the mission has none.
bool ShowEndPicture(Game& game) {
  char* name = game.level.LevelPictureName;
  std::copy_n("vend", 4, name + 1);  // "levelaab.gif" becomes "lvendaab.gif"
  if (!LoadGifPicture(game, name, regions::LevelPicture)) return false;
  std::memcpy(game.work.at(regions::SceneBuffer), game.work.at(regions::LevelPicture),
              regions::SceneRowLength * ScreenHeight);
  // From the next frame on the view's origin is (0, 0).
  game.hero.HeroX = 10;
  game.hero.HeroY = 10;
  game.world.CameraY = 10;
  std::copy_n("loop0001", 8, game.sound.MusicFileName);
  PlayMusic(game);
  return true;
}

void NextMission(Game& game) {
  game.keys.KeyJump = 0;
  game.keys.KeyEscape = 0;
  game.level.LevelSearchStep = 1;
  game.flow.ScreenTimer = 0;
  game.flow.GameState = StateMissionIntro;
  game.level.LevelNumber += 1;
  if (game.level.LevelNumber >= game.settings.MaxCount) {
    game.settings.MaxCount = game.level.LevelNumber;
    SaveSetting(game, "MaxCount", game.settings.MaxCount);
  }
}

}  // namespace

void MissionDoneFrame(Game& game) {
  FlowState& flow = game.flow;
  ShowPicture(game, ViewWindow(game, regions::SceneBuffer), regions::SceneRowLength);
  if (flow.ScreenTimer <= TextFrames) DrawMissionDone(game);
  FlipScreen(game);
  PaceFrame(game);

  flow.ScreenTimer += 1;
  if (flow.ScreenTimer < TextFrames) return;
  if (flow.ScreenTimer == TextFrames) {
    // Keys pressed while the text showed count for nothing.
    game.keys.KeyJump = 0;
    game.keys.KeyEscape = 0;
    if (!ShowEndPicture(game)) return NextMission(game);
  }
  game.world.HeroOnGround = 1;
  if (game.keys.KeyEscape == 1 || game.keys.KeyJump == 1) NextMission(game);
}

}  // namespace zorbulant
