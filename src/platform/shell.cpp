// Start-up, the main loop and shutdown. One message and one frame per turn, so
// a burst of key messages is spread over as many frames and every key message
// is seen by at least one frame.
#include "platform/shell.h"

#include "flow/game.h"
#include "flow/game_frame.h"
#include "platform/display.h"
#include "platform/keyboard_handler.h"
#include "platform/text_job.h"
#include "sound/sound_engine.h"

namespace zorbulant {

uint32_t GameWindowProcedure::HandleMessage(const WindowMessage& message) {
  Window& window = game_.platform.window;
  switch (message.id) {
    case MessageId::Destroy:
      window.PostQuit(0);
      return 0;
    case MessageId::ActivateApp:
      game_.shell.AppActive = message.wParam;
      if (message.wParam != 0) window.SetFocus();
      return 0;
    case MessageId::KeyDown:
    case MessageId::KeyUp:
    case MessageId::SysKeyDown:
    case MessageId::SysKeyUp:
      // Never passed on, so system key combinations (Alt+F4, Alt opening the
      // window menu) do nothing.
      KeyboardHandler(game_, message.lParam);
      return 0;
    case MessageId::Close:
      // The window stays; the main loop shuts down after this turn's frame.
      game_.shell.QuitRequested = 1;
      return 0;
    default:
      return window.DefaultHandling(message);
  }
}

void FrameTick(Game& game) {
  if (game.shell.AppActive != 0) GameFrame(game);
}

void Shutdown(Game& game) {
  ShutdownSound(game);
  ReleaseDisplay(game);
  game.platform.window.DestroyMainWindow();
}

StartupFailure RunProgram(Game& game) {
  Window& window = game.platform.window;
  GameWindowProcedure procedure(game);
  game.shell.MainWindow = window.CreateMainWindow(procedure);
  if (game.shell.MainWindow == 0) return StartupFailure::NoWindow;
  ShowStartupCaption(game);
  const StartupFailure failure = StartDisplay(game);
  if (failure != StartupFailure::None) {
    ShutdownSound(game);
    window.DestroyMainWindow();
    return failure;
  }

  WindowMessage message;
  for (;;) {
    if (window.MessageWaiting()) {
      if (!window.TakeMessage(message)) return StartupFailure::None;
      window.Dispatch(message);
    }
    FrameTick(game);
    if (game.shell.QuitRequested == 1) break;
  }
  Shutdown(game);
  // No frame and no second shutdown from here on: only messages, until the
  // window's destruction has posted the quit message.
  while (window.TakeMessage(message)) window.Dispatch(message);
  return StartupFailure::None;
}

const char* StartupFailureText(StartupFailure failure) {
  switch (failure) {
    case StartupFailure::NoWindow:
      return "the window could not be created";
    case StartupFailure::NoMemory:
      return "the 8 MB work block could not be allocated";
    case StartupFailure::NoDisplay:
      return "the display could not be set up";
    case StartupFailure::None:
      break;
  }
  return "";
}

}  // namespace zorbulant
