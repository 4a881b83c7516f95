// SDL's start and end for one desktop run.
#pragma once

#include <memory>
#include <string>

namespace zorbulant {

class SdlSession {
 public:
  // Starts SDL's video, events, game controllers and, where it can, audio;
  // nothing, with the reason, when there is no display to show a window on.
  static std::unique_ptr<SdlSession> Start(std::string& reason);
  ~SdlSession();
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;

 private:
  SdlSession() = default;
};

}  // namespace zorbulant
