// A display that logs every call into a shared log and can be told to fail a
// set-up step or to lose its surfaces, wrapped around the headless display.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/headless_display.h"

namespace zorbulant::testing {

class LoggingDisplay final : public DisplayDevice {
 public:
  LoggingDisplay(HeadlessDisplay& inner, std::vector<std::string>& log)
      : inner_(inner), log_(log) {}

  std::string failingStep;  // a set-up step's name that fails, e.g. "CreatePalette"
  // Handed out as the back buffer's text context instead of the real one.
  TextDevice* textContext = nullptr;

  bool Open() override { return Step("Open", inner_.Open()); }
  bool SetExclusiveFullScreen() override {
    return Step("SetExclusiveFullScreen", inner_.SetExclusiveFullScreen());
  }
  bool SetDisplayMode(uint32_t w, uint32_t h, uint32_t bits) override {
    return Step("SetDisplayMode", inner_.SetDisplayMode(w, h, bits));
  }
  bool CreateFlippingChain() override {
    return Step("CreateFlippingChain", inner_.CreateFlippingChain());
  }
  bool CreatePalette(const PaletteEntries& entries) override {
    return Step("CreatePalette", inner_.CreatePalette(entries));
  }
  bool AttachPalette() override { return Step("AttachPalette", inner_.AttachPalette()); }
  void ReleasePalette() override {
    Log("ReleasePalette");
    inner_.ReleasePalette();
  }
  void ReleaseFlippingChain() override {
    Log("ReleaseFlippingChain");
    inner_.ReleaseFlippingChain();
  }
  void Close() override {
    Log("Close");
    inner_.Close();
  }
  bool Lock(LockedSurface& surface) override { return Step("Lock", inner_.Lock(surface)); }
  bool Unlock() override { return Step("Unlock", inner_.Unlock()); }
  bool Flip() override { return Step("Flip", inner_.Flip()); }
  bool Restore() override { return Step("Restore", inner_.Restore()); }
  TextDevice* GetTextContext() override {
    TextDevice* context = failingStep == "GetTextContext" ? nullptr
                          : textContext != nullptr        ? textContext
                                                          : inner_.GetTextContext();
    Log(context != nullptr ? "GetTextContext" : "GetTextContext failed");
    return context;
  }
  bool ReleaseTextContext(TextDevice* context) override {
    const bool released = context == textContext || inner_.ReleaseTextContext(context);
    return Step("ReleaseTextContext", released);
  }

 private:
  void Log(const std::string& entry) { log_.push_back("display " + entry); }
  bool Step(const std::string& name, bool result) {
    const bool ok = result && name != failingStep;
    Log(name + (ok ? "" : " failed"));
    return ok;
  }

  HeadlessDisplay& inner_;
  std::vector<std::string>& log_;
};

}  // namespace zorbulant::testing
