// The program's outermost layer: start-up, the main loop with its window
// procedure, and shutdown.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace zorbulant {

struct Game;

struct ShellState {
  uint32_t MainWindow = 0;
  uint32_t AppActive = 0;  // the last activation message's wParam
  uint32_t QuitRequested = 0;
};

// The window procedure of the main window.
class GameWindowProcedure final : public WindowProcedure {
 public:
  explicit GameWindowProcedure(Game& game) : game_(game) {}
  uint32_t HandleMessage(const WindowMessage& message) override;

 private:
  Game& game_;
};

// Why a run ended before its main loop; the game cannot run without these.
enum class StartupFailure { None, NoWindow, NoMemory, NoDisplay };
// What a failure means to the player.
const char* StartupFailureText(StartupFailure failure);

// Runs the program from start-up until the quit message has been taken (None),
// or until a start-up step the game cannot do without fails.
StartupFailure RunProgram(Game& game);
void FrameTick(Game& game);
void Shutdown(Game& game);

}  // namespace zorbulant
