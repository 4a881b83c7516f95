// Game controllers as keys: the d-pad and the left stick are the arrows, the
// buttons the game's other keys. Each controller's held keys are remembered,
// so that one unplugged mid-game lets go of them instead of leaving the hero
// walking for ever.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace zorbulant {

struct KeyChange {
  uint32_t scanCode = 0;
  bool extended = false;
  bool pressed = false;
};

class ControllerKeys {
 public:
  // SDL's controller instance id, button and axis numbers.
  void Button(int32_t controller, int button, bool pressed, std::vector<KeyChange>& changes);
  void Axis(int32_t controller, int axis, int value, std::vector<KeyChange>& changes);
  // The controller is gone: every key it held is released.
  void Removed(int32_t controller, std::vector<KeyChange>& changes);

 private:
  struct Held {
    std::vector<KeyChange> buttons;  // the keys of the buttons held down
    // Which arrow each stick axis holds down: -1, 0 or +1.
    int stickX = 0;
    int stickY = 0;
  };
  std::map<int32_t, Held> held_;
};

}  // namespace zorbulant
