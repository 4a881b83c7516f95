// What the game is given of the backend, with a demo's recorder or replay put
// in between when the command line asks for one. Sound is left out on purpose:
// it is output only, so a replay plays it as the player's machine allows.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/options.h"
#include "platform/demo/demo.h"
#include "platform/demo/demo_player.h"
#include "platform/demo/demo_recorder.h"

namespace zorbulant {

// Reads a demo file and checks it against the data in `files`. Problems are
// told on `errors` in one line; nothing is returned then.
std::optional<Demo> ReadDemoFile(const std::filesystem::path& path, FileSystem& files,
                                 std::ostream& errors);

// True when a replay's last trace line holds every variable of the recorded
// one with the same value. Variables the trace gained since the recording do
// not count, so old demos keep playing.
bool TracesAgree(const std::string& recorded, const std::string& replayed);

// The hash demos keep of a picture given as RGB triples.
uint64_t PictureHash(const std::vector<uint8_t>& rgb);

class DemoSession {
 public:
  DemoSession(Window& window, Clock& clock, SettingsStore& settings, FileSystem& files);

  // Puts the recorder or the replay the options ask for in place; `backend`
  // names where a recording is made. False, told on `errors`, when the demo
  // to play cannot be read or is of other data.
  bool Begin(const Options& options, const std::string& backend, std::ostream& errors);

  Window& GameWindow() const { return *window_; }
  Clock& GameClock() const { return *clock_; }
  SettingsStore& GameSettings() const { return *settings_; }
  FileSystem& GameFiles() const { return *files_; }
  const Demo* Replayed() const { return demo_ ? &*demo_ : nullptr; }
  // The game's idea of now while a demo is recorded or played: its last
  // clock reading. Nothing without a demo.
  std::optional<uint32_t> DemoClock() const;
  // The main loop's turns so far while a demo is recorded or played.
  uint32_t Turn() const;

  // Writes the recording, closed with the session's last state and picture;
  // false (told on `errors`) when the file cannot be written.
  bool SaveRecording(const std::filesystem::path& path, std::string finalTrace,
                     uint64_t finalPicture, std::ostream& errors);
  // True when the replay ended where the recording did; otherwise tells on
  // `errors` where it went its own way.
  bool CheckReplay(const std::filesystem::path& path, const std::string& finalTrace,
                   uint64_t finalPicture, std::ostream& errors);

 private:
  void Record(const std::string& backend);
  void Replay(Demo demo);

  Window* window_;
  Clock* clock_;
  SettingsStore* settings_;
  FileSystem* files_;
  std::unique_ptr<DemoRecorder> recorder_;
  std::unique_ptr<RecordingWindow> recordingWindow_;
  std::unique_ptr<RecordingClock> recordingClock_;
  std::unique_ptr<RecordingSettings> recordingSettings_;
  std::unique_ptr<RecordingFiles> recordingFiles_;
  std::optional<Demo> demo_;
  std::unique_ptr<DemoPlayback> playback_;
  std::unique_ptr<ReplayWindow> replayWindow_;
  std::unique_ptr<ReplayClock> replayClock_;
  std::unique_ptr<ReplaySettings> replaySettings_;
};

}  // namespace zorbulant
