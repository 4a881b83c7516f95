// SDL's keys as PC scan codes: the keys of the game by their codes, the
// extended keys marked, and no two keys confused.
#include "platform/sdl/scancode_map.h"

#include <SDL2/SDL_keyboard.h>
#include <gtest/gtest.h>

#include <map>

#include "platform/keyboard_handler.h"

namespace zorbulant {
namespace {

TEST(ScancodeMap, GameKeysGiveTheHandlersCodes) {
  const std::pair<SDL_Scancode, PcKey> keys[] = {
      {SDL_SCANCODE_ESCAPE, {scancode::Escape, false}},
      {SDL_SCANCODE_SPACE, {scancode::Space, false}},
      {SDL_SCANCODE_RETURN, {scancode::Enter, false}},
      {SDL_SCANCODE_KP_ENTER, {scancode::Enter, true}},
      {SDL_SCANCODE_UP, {scancode::Up, true}},
      {SDL_SCANCODE_KP_8, {scancode::Up, false}},
      {SDL_SCANCODE_DOWN, {scancode::Down, true}},
      {SDL_SCANCODE_KP_2, {scancode::Down, false}},
      {SDL_SCANCODE_LEFT, {scancode::Left, true}},
      {SDL_SCANCODE_KP_4, {scancode::Left, false}},
      {SDL_SCANCODE_RIGHT, {scancode::Right, true}},
      {SDL_SCANCODE_KP_6, {scancode::Right, false}},
      {SDL_SCANCODE_LCTRL, {scancode::Ctrl, false}},
      {SDL_SCANCODE_RCTRL, {scancode::Ctrl, true}},
      {SDL_SCANCODE_LALT, {scancode::Alt, false}},
      {SDL_SCANCODE_RALT, {scancode::Alt, true}},
      {SDL_SCANCODE_1, {scancode::Key1, false}},
      {SDL_SCANCODE_2, {scancode::Key2, false}},
      {SDL_SCANCODE_3, {scancode::Key3, false}},
      {SDL_SCANCODE_KP_PLUS, {scancode::KeypadPlus, false}},
      {SDL_SCANCODE_KP_MINUS, {scancode::KeypadMinus, false}},
      {SDL_SCANCODE_KP_MULTIPLY, {scancode::KeypadStar, false}},
      {SDL_SCANCODE_SLASH, {scancode::Slash, false}},
      {SDL_SCANCODE_KP_DIVIDE, {scancode::Slash, true}},
  };
  for (const auto& [sdl, expected] : keys) {
    const PcKey key = PcKeyOf(sdl);
    EXPECT_EQ(key.scanCode, expected.scanCode) << SDL_GetScancodeName(sdl);
    EXPECT_EQ(key.extended, expected.extended) << SDL_GetScancodeName(sdl);
  }
}

TEST(ScancodeMap, RowsOfTheKeyboard) {
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_Q).scanCode, 0x10u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_P).scanCode, 0x19u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_A).scanCode, 0x1Eu);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_L).scanCode, 0x26u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_Z).scanCode, 0x2Cu);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_M).scanCode, 0x32u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_0).scanCode, 0x0Bu);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_F1).scanCode, 0x3Bu);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_F10).scanCode, 0x44u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_F11).scanCode, 0x57u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_UNKNOWN).scanCode, 0u);
  EXPECT_EQ(PcKeyOf(SDL_SCANCODE_AUDIOPLAY).scanCode, 0u);
}

TEST(ScancodeMap, NoTwoKeysShareACode) {
  std::map<std::pair<uint32_t, bool>, SDL_Scancode> seen;
  for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
    const auto sdl = static_cast<SDL_Scancode>(code);
    const PcKey key = PcKeyOf(sdl);
    if (key.scanCode == 0) continue;
    EXPECT_LT(key.scanCode, 0x80u) << SDL_GetScancodeName(sdl);
    const auto [where, fresh] = seen.emplace(std::make_pair(key.scanCode, key.extended), sdl);
    EXPECT_TRUE(fresh) << SDL_GetScancodeName(sdl) << " and " << SDL_GetScancodeName(where->second);
  }
  EXPECT_GE(seen.size(), 90u);
}

}  // namespace
}  // namespace zorbulant
