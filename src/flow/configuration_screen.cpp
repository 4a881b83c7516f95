// The configuration screen.
#include "flow/configuration_screen.h"

#include "flow/game.h"
#include "platform/display.h"
#include "sound/settings.h"
#include "world/in_game_frame.h"

namespace zorbulant {

namespace {

constexpr char Bar[] = "--------------------------======";

struct ConfigLine {
  const char* text;
  int32_t length;
  int32_t y;  // not selected; selected lines stand 6 pixels higher
};

void DrawText(Game& game, const char* text, int32_t length, int32_t y, int32_t height,
              int32_t extra, int32_t weight) {
  TextJob& job = game.textJob;
  job.TextPointer = text;
  job.TextLength = length;
  job.TextY = y;
  job.FontHeight = height;
  job.CharacterExtra = extra;
  job.FontWeight = weight;
  DrawTextJob(game);
}

void DrawLine(Game& game, uint32_t line, const ConfigLine& text) {
  const bool selected = game.flow.ConfigCursor == line;
  DrawText(game, text.text, text.length, selected ? text.y - 6 : text.y, selected ? 24 : 12,
           selected ? 0 : 4, 400);
}

// Seven texts in a fixed order; only the title sets TextX, so each following
// text stands one pixel further right than the one before.
void DrawTexts(Game& game) {
  TextJob& job = game.textJob;
  job.TextX = 42;
  SetTextFont(job, 26, 0, 600, 1, 0);
  DrawText(game, "Configuration", 13, 5, 26, 4, 600);
  job.FontUnderline = 0;
  DrawLine(game, 0, {"Volume:", 7, 40});
  DrawText(game, Bar, static_cast<int32_t>(game.settings.Amplification / 16), 55, 12, 0, 900);
  DrawText(game, Bar, static_cast<int32_t>(32 - game.settings.FrameLimit), 95, 12, 0, 900);
  DrawLine(game, 1, {"Game Speed:", 11, 80});
  DrawLine(game, 2, {"Save Configuration", 18, 120});
  DrawLine(game, 3, {"Back, do not save", 17, 160});
}

void Leave(Game& game) {
  game.platform.sound.SetAmplification(game.settings.Amplification);
  game.flow.ConfigCursor = 0;
  game.flow.GameState = StateMenuGo;
}

void WalkingPreview(Game& game) {
  HeroVariables& hero = game.hero;
  hero.HeroX = (hero.HeroX + 2) % 128;
  hero.HeroFrame = (hero.HeroFrame + 1) % 16;
  if (LockBackBuffer(game) == 0) {
    const uint8_t* picture = game.work.at(regions::HeroSheet) + hero.HeroFrame * 512;
    uint8_t* screen = game.display.BackBufferPixels;
    const uint32_t pitch = ScreenWidth + game.display.RowSkip;
    for (uint32_t row = 0; row < 32; ++row) {
      for (uint32_t column = 0; column < 16; ++column) {
        const uint8_t pixel = picture[row * 16 + column];
        if (pixel < 248) screen[(80 + row) * pitch + 176 + hero.HeroX + column] = pixel;
      }
    }
  }
  UnlockBackBuffer(game);
}

}  // namespace

void ConfigurationFrame(Game& game) {
  KeyFlags& keys = game.keys;
  FlowState& flow = game.flow;
  Settings& settings = game.settings;

  flow.ConfigCursor = (flow.ConfigCursor - keys.KeyUp + keys.KeyDown) & 3;
  keys.KeyUp = 0;
  keys.KeyDown = 0;
  if (keys.KeyEscape == 1) {
    // The values stay as they are, neither saved nor restored.
    flow.GameState = StateMenuGo;
    keys.KeyEscape = 0;
  }
  ShowPicture(game, game.work.at(regions::MenuBackground), ScreenWidth);
  DrawTexts(game);

  if (keys.KeyJump == 1) {
    keys.KeyJump = 0;
    if (flow.ConfigCursor == 2) {
      SaveSetting(game, "FrameLimit", settings.FrameLimit);
      SaveSetting(game, "Amplification", settings.Amplification);
      Leave(game);
    } else if (flow.ConfigCursor == 3) {
      settings.Amplification = flow.SavedAmplification;
      settings.FrameLimit = flow.SavedFrameLimit;
      Leave(game);
    }
  }
  if (flow.ConfigCursor == 0) {
    // Held arrows change the volume by one every frame.
    uint32_t amplification = settings.Amplification;
    if (amplification != 500) amplification += keys.KeyRight;
    if (amplification != 0) amplification -= keys.KeyLeft;
    settings.Amplification = amplification;
    game.platform.sound.SetAmplification(amplification);
  } else if (flow.ConfigCursor == 1) {
    // Each key message changes the delay by one; right makes the game faster.
    uint32_t limit = settings.FrameLimit;
    if (limit != 0) limit -= keys.KeyRight;
    if (limit != 31) limit += keys.KeyLeft;
    settings.FrameLimit = limit;
    keys.KeyRight = 0;
    keys.KeyLeft = 0;
    WalkingPreview(game);
    // Only this line is paced, so the figure walks at the game's own speed.
    PaceFrame(game);
  }
  FlipScreen(game);
}

}  // namespace zorbulant
