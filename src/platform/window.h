// The window and its message queue: what the game used of USER32.
#pragma once

#include <cstdint>

#include "platform/text_device.h"

namespace zorbulant {

// Message numbers as the window procedure knows them.
enum class MessageId : uint32_t {
  Destroy = 0x0002,
  Close = 0x0010,
  Quit = 0x0012,
  ActivateApp = 0x001C,
  KeyDown = 0x0100,
  KeyUp = 0x0101,
  SysKeyDown = 0x0104,
  SysKeyUp = 0x0105,
};

struct WindowMessage {
  MessageId id = MessageId::Quit;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
};

// Receives every message dispatched to the main window, and the ones the window
// sends synchronously (activation while it is created, destruction).
class WindowProcedure {
 public:
  virtual uint32_t HandleMessage(const WindowMessage& message) = 0;

 protected:
  ~WindowProcedure() = default;
};

class Window {
 public:
  virtual ~Window() = default;

  // Creates and shows the one top-level window titled "Zorbulant". The
  // activation message arrives through `procedure` before this returns.
  // Returns the window's handle, 0 when no window could be made.
  virtual uint32_t CreateMainWindow(WindowProcedure& procedure) = 0;

  // Like ShowCursor: moves the display count by one and returns it.
  virtual int32_t ShowCursor(bool show) = 0;

  // True when a message is waiting; it stays in the queue.
  virtual bool MessageWaiting() = 0;
  // Takes the next message, waiting for one; false for the quit message.
  virtual bool TakeMessage(WindowMessage& message) = 0;
  // Hands a taken message to the window procedure and returns its result.
  virtual uint32_t Dispatch(const WindowMessage& message) = 0;
  // Default handling of a message the procedure does not handle itself.
  virtual uint32_t DefaultHandling(const WindowMessage& message) = 0;

  virtual void PostQuit(int32_t exitCode) = 0;
  // Destroys the window; its destruction message is sent synchronously.
  virtual void DestroyMainWindow() = 0;
  virtual void SetFocus() = 0;

  // A text context on the whole window, caption bar included, for the
  // start-up caption; nothing when the window has none. What is drawn shows
  // once the context is released.
  virtual TextDevice* GetWindowTextContext() = 0;
  virtual void ReleaseWindowTextContext(TextDevice* context) = 0;
};

}  // namespace zorbulant
