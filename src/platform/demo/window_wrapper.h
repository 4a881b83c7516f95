// A window that hands every call on to another: the base of the demo's
// stand-ins, which change only how messages come and go.
#pragma once

#include "platform/window.h"

namespace zorbulant {

class WindowWrapper : public Window {
 public:
  explicit WindowWrapper(Window& inner) : inner_(inner) {}

  uint32_t CreateMainWindow(WindowProcedure& procedure) override {
    return inner_.CreateMainWindow(procedure);
  }
  int32_t ShowCursor(bool show) override { return inner_.ShowCursor(show); }
  bool MessageWaiting() override { return inner_.MessageWaiting(); }
  bool TakeMessage(WindowMessage& message) override { return inner_.TakeMessage(message); }
  uint32_t Dispatch(const WindowMessage& message) override { return inner_.Dispatch(message); }
  uint32_t DefaultHandling(const WindowMessage& message) override {
    return inner_.DefaultHandling(message);
  }
  void PostQuit(int32_t exitCode) override { inner_.PostQuit(exitCode); }
  void DestroyMainWindow() override { inner_.DestroyMainWindow(); }
  void SetFocus() override { inner_.SetFocus(); }
  TextDevice* GetWindowTextContext() override { return inner_.GetWindowTextContext(); }
  void ReleaseWindowTextContext(TextDevice* context) override {
    inner_.ReleaseWindowTextContext(context);
  }

 protected:
  Window& inner_;
};

}  // namespace zorbulant
