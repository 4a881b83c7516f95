// Demo recording and replay around a run of the game.
#include "app/demo_session.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace zorbulant {

std::optional<Demo> ReadDemoFile(const std::filesystem::path& path, FileSystem& files,
                                 std::ostream& errors) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    errors << "zorbulant: cannot read demo " << path.string() << "\n";
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  DemoError error;
  std::optional<Demo> demo = ParseDemo(text.str(), error);
  if (!demo) {
    errors << "zorbulant: " << path.string();
    if (error.line != 0) errors << ":" << error.line;
    errors << ": " << error.message << "\n";
    return std::nullopt;
  }
  if (const std::optional<std::string> mismatch = DataMismatch(*demo, files)) {
    errors << "zorbulant: " << path.string() << " was recorded with other data: " << *mismatch
           << "\n";
    return std::nullopt;
  }
  return demo;
}

bool TracesAgree(const std::string& recorded, const std::string& replayed) {
  const nlohmann::json was = nlohmann::json::parse(recorded, nullptr, false);
  const nlohmann::json is = nlohmann::json::parse(replayed, nullptr, false);
  if (!was.is_object() || !is.is_object()) return recorded == replayed;
  for (const auto& [name, value] : was.items()) {
    const auto found = is.find(name);
    if (found == is.end() || *found != value) return false;
  }
  return true;
}

uint64_t PictureHash(const std::vector<uint8_t>& rgb) { return HashBytes(rgb.data(), rgb.size()); }

DemoSession::DemoSession(Window& window, Clock& clock, SettingsStore& settings, FileSystem& files)
    : window_(&window), clock_(&clock), settings_(&settings), files_(&files) {}

bool DemoSession::Begin(const Options& options, const std::string& backend, std::ostream& errors) {
  if (options.record) Record(backend);
  if (!options.play) return true;
  std::optional<Demo> demo = ReadDemoFile(*options.play, *files_, errors);
  if (!demo) return false;
  Replay(std::move(*demo));
  return true;
}

void DemoSession::Record(const std::string& backend) {
  recorder_ = std::make_unique<DemoRecorder>(ZORBULANT_VERSION, backend);
  recordingWindow_ = std::make_unique<RecordingWindow>(*window_, *recorder_);
  recordingClock_ = std::make_unique<RecordingClock>(*clock_, *recorder_);
  recordingSettings_ = std::make_unique<RecordingSettings>(*settings_, *recorder_);
  recordingFiles_ = std::make_unique<RecordingFiles>(*files_, *recorder_);
  window_ = recordingWindow_.get();
  clock_ = recordingClock_.get();
  settings_ = recordingSettings_.get();
  files_ = recordingFiles_.get();
}

void DemoSession::Replay(Demo demo) {
  demo_ = std::move(demo);
  playback_ = std::make_unique<DemoPlayback>(*demo_);
  replayWindow_ = std::make_unique<ReplayWindow>(*window_, *playback_);
  replayClock_ = std::make_unique<ReplayClock>(*playback_);
  replaySettings_ = std::make_unique<ReplaySettings>(*playback_);
  window_ = replayWindow_.get();
  clock_ = replayClock_.get();
  settings_ = replaySettings_.get();
}

std::optional<uint32_t> DemoSession::DemoClock() const {
  if (recorder_) return recorder_->LastClock();
  if (playback_) return playback_->LastClock();
  return std::nullopt;
}

uint32_t DemoSession::Turn() const {
  if (recorder_) return recorder_->Turn();
  return playback_ ? playback_->Turn() : 0;
}

bool DemoSession::SaveRecording(const std::filesystem::path& path, std::string finalTrace,
                                uint64_t finalPicture, std::ostream& errors) {
  const Demo& demo = recorder_->Finish(std::move(finalTrace), finalPicture);
  // Written beside and moved into place, so a failed write never leaves half
  // a demo under the name.
  std::filesystem::path partial = path;
  partial += ".partial";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file << FormatDemo(demo);
    if (!file.flush()) {
      errors << "zorbulant: cannot write demo " << path.string() << "\n";
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    errors << "zorbulant: cannot write demo " << path.string() << ": " << error.message() << "\n";
    std::filesystem::remove(partial, error);
    return false;
  }
  return true;
}

bool DemoSession::CheckReplay(const std::filesystem::path& path, const std::string& finalTrace,
                              uint64_t finalPicture, std::ostream& errors) {
  if (playback_->CheckEnd(TracesAgree(demo_->finalTrace, finalTrace),
                          finalPicture == demo_->finalPicture)) {
    return true;
  }
  errors << "zorbulant: the replay of " << path.string() << " went its own way at "
         << *playback_->Divergence() << "\n";
  return false;
}

}  // namespace zorbulant
