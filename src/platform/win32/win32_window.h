// The one top-level window of class "winmain" and the thread's message queue.
// Messages reach the game's window procedure with 32-bit parameters; default
// handling gets the message exactly as Windows delivered it, so pointers in
// 64-bit parameters arrive whole.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>

#include "platform/win32/gdi_text_device.h"
#include "platform/window.h"

namespace zorbulant {

// Paints the window's client area when the default handling is asked to: the
// windowed screen shows its last picture again after the window was covered.
class WindowPainter {
 public:
  virtual void Paint(HDC dc, const RECT& client) = 0;

 protected:
  ~WindowPainter() = default;
};

class Win32Window final : public Window {
 public:
  Win32Window() = default;
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND Handle() const { return window_; }
  // The client area is painted by `painter` (nothing: by the class background)
  // from now on.
  void SetPainter(WindowPainter* painter) { painter_ = painter; }
  // Makes the window an ordinary one, for a picture that does not have the
  // screen to itself: no longer above all others, and restored to its own
  // size, a whole multiple of the picture's, which the user can change.
  void BecomeOrdinary();
  // Asks the window to close, as its close button does.
  void PostClose();
  // Takes and dispatches every waiting message; for a window whose messages are
  // not the game's (a scripted run shows its picture in it).
  void PumpMessages();

  uint32_t CreateMainWindow(WindowProcedure& procedure) override;
  int32_t ShowCursor(bool show) override;
  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;
  uint32_t Dispatch(const WindowMessage& message) override;
  uint32_t DefaultHandling(const WindowMessage& message) override;
  void PostQuit(int32_t exitCode) override;
  void DestroyMainWindow() override;
  void SetFocus() override;
  TextDevice* GetWindowTextContext() override;
  void ReleaseWindowTextContext(TextDevice* context) override;

 private:
  // A message being handled by the procedure, as Windows delivered it.
  struct RawMessage {
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    bool defaulted = false;  // the procedure asked for the default handling
    LRESULT defaultResult = 0;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
  LRESULT Receive(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
  LRESULT Paint();

  HWND window_ = nullptr;
  WindowProcedure* procedure_ = nullptr;
  WindowPainter* painter_ = nullptr;
  RawMessage* handling_ = nullptr;  // innermost message in the procedure
  MSG taken_{};                     // the message record of the main loop
  bool active_ = false;
  GdiTextDevice windowText_;
};

}  // namespace zorbulant
