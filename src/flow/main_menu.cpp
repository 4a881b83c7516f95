// The main menu frame and its drawing.
#include "flow/main_menu.h"

#include <array>
#include <cmath>
#include <cstring>

#include "flow/game.h"
#include "flow/mission_intro.h"
#include "platform/display.h"

namespace zorbulant {

namespace {

constexpr char Credits[] =
    "ZORBULANT - made by the Zorbulant developers: code, pictures, samples, music and "
    "missions all our own. Built with SDL2, libxmp, FreeType, fontconfig, giflib and the "
    "DejaVu fonts. Thanks for playing!";
constexpr uint32_t CreditsStart = 53;
static_assert(sizeof(Credits) - 1 <= CreditsLineLength - 2 * CreditsStart);

constexpr std::array<char, CreditsLineLength> MakeCreditsLine() {
  std::array<char, CreditsLineLength> line{};
  for (char& c : line) c = ' ';
  for (uint32_t i = 0; i + 1 < sizeof(Credits); ++i) line[CreditsStart + i] = Credits[i];
  return line;
}

}  // namespace

constinit const std::array<char, CreditsLineLength> CreditsLine = MakeCreditsLine();

namespace {

uint8_t* ScenePixel(Game& game, uint32_t column, uint32_t row) {
  return game.work.at(regions::SceneBuffer) + row * regions::SceneRowLength + column;
}

// Pixel value 0 is transparent in the buttons.
void DrawButtonStill(Game& game, const MenuButton& button) {
  const uint8_t* face = game.work.at(button.picture);
  for (uint32_t y = 0; y < button.height; ++y) {
    uint8_t* destination = ScenePixel(game, button.column, button.row + y);
    for (uint32_t x = 0; x < button.width; ++x) {
      const uint8_t pixel = face[y * button.width + x];
      if (pixel != 0) destination[x] = pixel;
    }
  }
}

uint32_t CursorStep(uint32_t current, const KeyFlags& keys) {
  if (current < 2) {
    const uint32_t s = current + keys.KeyDown + keys.KeyRight;
    if (s == 0) return 0;
    return (s - keys.KeyLeft - keys.KeyUp) & 3;
  }
  return (current - keys.KeyLeft - keys.KeyUp) & 3;
}

}  // namespace

void ButtonFlip(Game& game, const MenuButton& button) {
  const double angle = game.flow.MenuClock / 256.0;
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  const long c = std::lround(256.0 * cosine);
  const auto inset = static_cast<uint32_t>(std::lround(button.width * sine * sine / 2.0));
  const auto step = static_cast<uint32_t>(std::lround(255.0 * cosine * cosine));

  const uint8_t* face = game.work.at(button.picture);
  if (c < 0) face += button.width * button.height;  // the back face
  for (uint32_t y = 0; y < button.height; ++y) {
    uint8_t* destination = ScenePixel(game, button.column + inset, button.row + y);
    uint32_t accumulator = 0;
    for (uint32_t x = 0; x < button.width; ++x) {
      // An 8-bit accumulator: each wrap past 255 moves one column on.
      accumulator += step;
      if (accumulator > 255) {
        accumulator &= 255;
        ++destination;
      }
      const uint8_t pixel = face[y * button.width + x];
      if (pixel != 0) *destination = pixel;
    }
  }
}

void DrawMainMenu(Game& game) {
  const uint8_t* background = game.work.at(regions::MenuBackground);
  for (uint32_t row = 0; row < ScreenHeight; ++row) {
    std::memcpy(ScenePixel(game, 0, row), background + row * ScreenWidth, ScreenWidth);
  }
  for (uint32_t index = 0; index < 3; ++index) {
    if (index == game.flow.GameState) {
      ButtonFlip(game, MenuButtons[index]);
    } else {
      DrawButtonStill(game, MenuButtons[index]);
    }
  }
  ShowPicture(game, game.work.at(regions::SceneBuffer), regions::SceneRowLength);
  DrawCreditsTicker(game);
  FlipScreen(game);
}

void DrawCreditsTicker(Game& game) {
  // One character every 128 ms, and one pixel every 16 ms in between, so the
  // 8-pixel cells scroll smoothly; every 32,768 ms it starts over.
  const uint32_t t = game.platform.clock.Milliseconds();
  TextJob& job = game.textJob;
  job.TextX = static_cast<int32_t>(8 - ((t / 16) % 8));
  job.TextY = 185;
  job.TextPointer = CreditsLine.data() + ((t / 128) % 256);
  job.TextLength = 50;
  job.CharacterExtra = 0;
  SetTextFont(job, 14, 8, 400, 0, 0x31);  // fixed pitch, modern family
  DrawTextJob(game);
}

void MainMenuFrame(Game& game) {
  HeroVariables& hero = game.hero;
  KeyFlags& keys = game.keys;

  // Standing on the ground lets the confirm and cursor-down keys through.
  hero.HeroHealth = 255;
  game.world.HeroOnGround = 1;
  hero.HeroX &= 127;
  hero.HeroY &= 63;
  game.world.CameraY = hero.HeroY;

  game.flow.GameState = CursorStep(game.flow.GameState, keys);
  // Cleared every frame so that each press or auto-repeat moves by one.
  keys.KeyDown = 0;
  keys.KeyRight = 0;
  keys.KeyLeft = 0;
  keys.KeyUp = 0;

  if (keys.KeyJump == 1) {
    switch (game.flow.GameState) {
      case StateMenuGo:
        // A new game: health 0 gives 256 at the level start.
        keys.KeyJump = 0;
        hero.HeroHealth = 0;
        MissionIntroFrame(game);
        return;
      case StateMenuConfig:
        game.flow.GameState = StateConfiguration;
        game.flow.SavedAmplification = game.settings.Amplification;
        game.flow.SavedFrameLimit = game.settings.FrameLimit;
        keys.KeyEscape = 0;
        keys.KeyJump = 0;
        break;  // the menu is drawn once more, with no button turning
      case StateMenuExit:
        game.shell.QuitRequested = 1;
        return;
      default:
        break;  // no button selected: the key stays
    }
  }

  game.flow.MenuClock = game.platform.clock.Milliseconds();
  DrawMainMenu(game);
}

}  // namespace zorbulant
