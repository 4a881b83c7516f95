// The keyboard handler: keys by hardware scan code, so the keyboard layout and
// Num Lock do not change which physical key does what.
#include "platform/keyboard_handler.h"

#include "flow/game.h"
#include "sound/sound_engine.h"

namespace zorbulant {

namespace {

// A jump can only begin with a press made while standing; releases always count.
void JumpRule(Game& game, uint32_t pressed) {
  if (pressed <= game.world.HeroOnGround) game.keys.KeyJump = pressed;
}

void DuckRule(Game& game, uint32_t pressed) {
  if (game.world.HeroOnGround != 1) return;
  game.keys.KeyDown = pressed;
  if (pressed) {
    game.keys.KeyLeft = 0;
    game.keys.KeyRight = 0;
  }
}

// Key 1 acts on press, auto-repeat and release alike: every message of the key
// reloads, and without the laser every one of them plays the reload sound.
void PistolCommand(Game& game) {
  HeroVariables& hero = game.hero;
  hero.WeaponFlags = (hero.WeaponFlags & LaserUpgrade) | WeaponPistol;
  hero.PistolRounds = 6;
  if (hero.WeaponFlags & LaserUpgrade) return;
  PlaySample(game, game.sound.SampleTable[SampleReload].Handle, 11025, 64, 0);
  if (hero.HeroFrame == DuckingFrame) return;  // ducking reloads at once
  hero.PistolRounds = 0;
  hero.HeroFrame = FirstReloadFrame;  // the animation refills the magazine
}

// Like key 1, the amplification keys act on press and release, so one tap
// moves the amplification by 8. A stored value above 511 is first reduced.
void AmplificationUp(Game& game) {
  uint32_t& amplification = game.settings.Amplification;
  amplification &= 0x1FF;
  if (amplification >= 0x1F8) return;
  amplification += 4;
  game.platform.sound.SetAmplification(amplification);
}

void AmplificationDown(Game& game) {
  uint32_t& amplification = game.settings.Amplification;
  amplification &= 0x1FF;
  if (amplification < 8) return;
  amplification -= 4;
  game.platform.sound.SetAmplification(amplification);
}

}  // namespace

void KeyboardHandler(Game& game, uint32_t lParam) {
  const uint32_t pressed = (lParam & keybits::Released) ? 0 : 1;
  // Bit 23 and the extended-key bit are left out on purpose: the arrow block and
  // the keypad arrows, both Ctrl keys and both Alt keys act alike.
  const uint32_t scanCode = (lParam >> keybits::ScanCodeShift) & 0x7F;
  KeyFlags& keys = game.keys;
  HeroVariables& hero = game.hero;

  game.world.IdleTime = 0;
  // Any key message ends ducking, even with Down still held.
  keys.KeyDown = 0;

  switch (scanCode) {
    case scancode::Escape:
      keys.KeyEscape = pressed;
      break;
    case scancode::Space:
    case scancode::Enter:
      JumpRule(game, pressed);
      break;
    case scancode::Up:
      if (game.flow.GameState == StateInGame) {
        JumpRule(game, pressed);
      } else {
        keys.KeyUp = pressed;
      }
      break;
    case scancode::Left:
      keys.KeyLeft = pressed;
      if (pressed) {
        keys.KeyRight = 0;
        hero.HeroFacingLeft = 1;
      }
      break;
    case scancode::Right:
      keys.KeyRight = pressed;
      if (pressed) {
        keys.KeyLeft = 0;
        hero.HeroFacingLeft = 0;
      }
      break;
    case scancode::Ctrl:
      keys.KeyFire = pressed;
      break;
    case scancode::Alt:
    case scancode::Down:
      DuckRule(game, pressed);
      break;
    case scancode::Key1:
      PistolCommand(game);
      break;
    case scancode::Key2:
      if (hero.FlameFuel != 0) hero.WeaponFlags = (hero.WeaponFlags & LaserUpgrade) | WeaponFlamer;
      break;
    case scancode::Key3:
      if (hero.GrenadeCount != 0) {
        hero.WeaponFlags = (hero.WeaponFlags & LaserUpgrade) | WeaponGrenade;
      }
      break;
    case scancode::KeypadPlus:
      if (game.settings.FrameLimit != 0) game.settings.FrameLimit -= pressed;
      break;
    case scancode::KeypadMinus:
      if (game.settings.FrameLimit != 32) game.settings.FrameLimit += pressed;
      break;
    case scancode::KeypadStar:
      AmplificationUp(game);
      break;
    case scancode::Slash:
      AmplificationDown(game);
      break;
    default:
      break;
  }
}

}  // namespace zorbulant
