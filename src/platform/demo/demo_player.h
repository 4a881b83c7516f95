// Playing a demo back: stand-ins for the window, the clock and the settings
// store that give the game what the recording noted, turn by turn. Should the
// game ask for something else than the recording holds (other data, another
// build, a damaged file) the replay notes the first turn where it went its own
// way and carries on as best it can, ending one turn after the recording did.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/demo/demo.h"
#include "platform/demo/window_wrapper.h"
#include "platform/settings_store.h"

namespace zorbulant {

class DemoPlayback {
 public:
  explicit DemoPlayback(const Demo& demo) : demo_(demo) {}

  void BeginTurn();
  uint32_t Turn() const { return turn_; }
  // True when the recording took a message in this turn.
  bool MessageDue();
  // The message the recording took now, if it took one.
  std::optional<WindowMessage> TakeMessage();
  uint32_t NextClock();
  // The settings call the recording made now, if it was the same call.
  const SettingsCall* NextSettings(SettingsOp op, const char* name);

  uint32_t LastClock() const { return lastClock_; }
  // True once the recording's last turn has passed.
  bool Over() const { return turn_ > demo_.lastTurn; }
  // Where the replay first left the recording, told in words.
  const std::optional<std::string>& Divergence() const { return divergence_; }
  // Checks the end of the session: every recorded event used, and the state
  // and picture as the recording's (told by the caller). False, with a
  // divergence, when anything differs.
  bool CheckEnd(bool sameState, bool samePicture);

 private:
  const DemoEvent* Next(DemoEventKind kind);
  void Diverge(const std::string& what);

  const Demo& demo_;
  size_t next_ = 0;
  uint32_t turn_ = 0;
  uint32_t lastClock_ = 0;
  std::optional<std::string> divergence_;
};

// Wraps the backend's window: the main window is the backend's, the messages
// the recording's. Of the backend's own messages only a close request is
// taken, so a player can stop a replay.
class ReplayWindow final : public WindowWrapper {
 public:
  ReplayWindow(Window& inner, DemoPlayback& playback) : WindowWrapper(inner), playback_(playback) {}

  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;
  void PostQuit(int32_t exitCode) override;

 private:
  DemoPlayback& playback_;
  // Messages of the replay's own: the game's quit, a close at the end.
  std::deque<WindowMessage> queue_;
  bool closePosted_ = false;
};

class ReplayClock final : public Clock {
 public:
  explicit ReplayClock(DemoPlayback& playback) : playback_(playback) {}
  uint32_t Milliseconds() override { return playback_.NextClock(); }
  uint32_t WaitForElapsed(uint32_t, uint32_t) override { return playback_.NextClock(); }

 private:
  DemoPlayback& playback_;
};

// Gives back what the recording's settings store gave and keeps nothing: a
// replay never touches the player's settings.
class ReplaySettings final : public SettingsStore {
 public:
  explicit ReplaySettings(DemoPlayback& playback) : playback_(playback) {}
  int32_t CreateKey(const char* subKey, Key& key) override;
  int32_t OpenKey(const char* subKey, Key& key) override;
  int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) override;
  int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) override;
  int32_t CloseKey(Key key) override;

 private:
  DemoPlayback& playback_;
};

}  // namespace zorbulant
