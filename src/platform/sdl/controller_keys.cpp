// Game controllers as keys.
#include "platform/sdl/controller_keys.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace zorbulant {

namespace {

struct ButtonKey {
  int button;
  uint32_t scanCode;
  bool extended;
};

constexpr ButtonKey Buttons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x48, true},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0x50, true},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0x4B, true},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0x4D, true},
    {SDL_CONTROLLER_BUTTON_A, 0x39, false},              // Space: jump, confirm
    {SDL_CONTROLLER_BUTTON_X, 0x1D, false},              // Ctrl: fire
    {SDL_CONTROLLER_BUTTON_B, 0x38, false},              // Alt: duck
    {SDL_CONTROLLER_BUTTON_Y, 0x02, false},              // 1: pistol, reload
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0x03, false},   // 2: flame-thrower
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0x04, false},  // 3: grenades
    {SDL_CONTROLLER_BUTTON_START, 0x1C, false},          // Enter
    {SDL_CONTROLLER_BUTTON_BACK, 0x01, false},           // Escape
};

// Stick positions: pressed beyond the first, released inside the second, so
// a stick resting near the threshold does not chatter.
constexpr int StickPress = 16000;
constexpr int StickRelease = 8000;

KeyChange StickKey(int axis, int direction, bool pressed) {
  const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
  const uint32_t scanCode = across ? (direction < 0 ? 0x4B : 0x4D)   // Left, Right
                                   : (direction < 0 ? 0x48 : 0x50);  // Up, Down
  return {scanCode, true, pressed};
}

}  // namespace

void ControllerKeys::Button(int32_t controller, int button, bool pressed,
                            std::vector<KeyChange>& changes) {
  for (const ButtonKey& mapping : Buttons) {
    if (mapping.button != button) continue;
    std::vector<KeyChange>& held = held_[controller].buttons;
    const auto same = [&](const KeyChange& key) { return key.scanCode == mapping.scanCode; };
    held.erase(std::remove_if(held.begin(), held.end(), same), held.end());
    if (pressed) held.push_back({mapping.scanCode, mapping.extended, true});
    changes.push_back({mapping.scanCode, mapping.extended, pressed});
  }
}

void ControllerKeys::Axis(int32_t controller, int axis, int value,
                          std::vector<KeyChange>& changes) {
  if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
  Held& state = held_[controller];
  int& held = axis == SDL_CONTROLLER_AXIS_LEFTX ? state.stickX : state.stickY;
  int wanted = held;
  if (value <= -StickPress) wanted = -1;
  if (value >= StickPress) wanted = 1;
  if (value > -StickRelease && value < StickRelease) wanted = 0;
  if (wanted == held) return;
  if (held != 0) changes.push_back(StickKey(axis, held, false));
  if (wanted != 0) changes.push_back(StickKey(axis, wanted, true));
  held = wanted;
}

void ControllerKeys::Removed(int32_t controller, std::vector<KeyChange>& changes) {
  const auto found = held_.find(controller);
  if (found == held_.end()) return;
  const Held& state = found->second;
  for (const KeyChange& key : state.buttons) changes.push_back({key.scanCode, key.extended, false});
  if (state.stickX != 0)
    changes.push_back(StickKey(SDL_CONTROLLER_AXIS_LEFTX, state.stickX, false));
  if (state.stickY != 0)
    changes.push_back(StickKey(SDL_CONTROLLER_AXIS_LEFTY, state.stickY, false));
  held_.erase(found);
}

}  // namespace zorbulant
