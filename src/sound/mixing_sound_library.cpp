// The sound library's exports over the mixer, the module player and the output.
#include "sound/mixing_sound_library.h"

#include <algorithm>

#include "sound/sample_formats.h"

namespace zorbulant {

namespace {

constexpr uint32_t OptionStereo = 11;
constexpr uint32_t OptionInterpolation = 5;
constexpr uint32_t OptionSampleRoom = 3;
constexpr uint32_t MuLawFormat = 7;
constexpr uint32_t WholeSample = 65535;
// Far beyond any sample or module the game has; a larger file is refused
// rather than read into memory.
constexpr size_t LargestFile = 32 * 1024 * 1024;

std::optional<std::vector<uint8_t>> ReadGameFile(FileSystem& files, const char* name) {
  if (name == nullptr) return std::nullopt;
  const FileSystem::Handle file = files.OpenForReading(name);
  if (file == 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[16384];
  bool fits = true;
  while (const uint32_t count = files.Read(file, chunk, sizeof chunk)) {
    if (bytes.size() + count > LargestFile) {
      fits = false;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + count);
  }
  files.Close(file);
  if (!fits) return std::nullopt;
  return bytes;
}

}  // namespace

class MixingSoundLibrary::Locked {
 public:
  explicit Locked(const MixingSoundLibrary& library)
      : output_(library.outputOpen_ ? library.output_ : nullptr) {
    if (output_ != nullptr) output_->Lock();
  }
  ~Locked() {
    if (output_ != nullptr) output_->Unlock();
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  AudioOutput* output_;
};

MixingSoundLibrary::MixingSoundLibrary(FileSystem& files, SettingsStore& settings,
                                       AudioOutput* output, ModulePlayerFactory makePlayer,
                                       SetupTerminal terminal)
    : files_(files),
      settings_(settings),
      output_(output),
      makePlayer_(std::move(makePlayer)),
      terminal_(terminal) {}

MixingSoundLibrary::~MixingSoundLibrary() { Close(); }

uint32_t MixingSoundLibrary::Open() {
  given_ = Options{};
  open_ = true;
  return 1;
}

void MixingSoundLibrary::SetOption(uint32_t setting, uint32_t value) {
  if (!open_) return;
  switch (setting) {
    case OptionStereo:
      given_.stereo = value;
      break;
    case OptionInterpolation:
      given_.interpolation = value;
      break;
    case OptionSampleRoom:
      given_.sampleRoom = value;
      break;
    default:
      break;
  }
}

void MixingSoundLibrary::RunSetup() { setupAsked_ = true; }

// The settings store holds the one root the game names, HKEY_LOCAL_MACHINE.
void MixingSoundLibrary::SaveSetup(uint32_t, const char* subKey) {
  if (subKey == nullptr) return;
  // The questions start from the stored set-up, so that an unanswered one
  // keeps it; only here is it known where the set-up is kept.
  LoadSoundSetup(settings_, subKey, setup_);
  if (setupAsked_ && terminal_.input != nullptr && terminal_.output != nullptr) {
    const std::vector<std::string> devices =
        output_ != nullptr ? output_->DeviceNames() : std::vector<std::string>{};
    RunSoundSetupDialog(setup_, devices, *terminal_.input, *terminal_.output);
  }
  setupAsked_ = false;
  SaveSoundSetup(settings_, subKey, setup_);
}

void MixingSoundLibrary::LoadSetup(uint32_t, const char* subKey) {
  if (subKey != nullptr) LoadSoundSetup(settings_, subKey, setup_);
}

uint32_t MixingSoundLibrary::ApplyOptions() {
  if (!open_ || given_.stereo != 1 || given_.interpolation != 1) return 0;
  options_ = given_;
  applied_ = true;
  return 1;
}

void MixingSoundLibrary::SetAmplification(uint32_t amplification) {
  amplification_ = amplification;
  if (!mixer_) return;
  Locked locked(*this);
  mixer_->SetAmplification(amplification);
}

uint32_t MixingSoundLibrary::OpenOutput(uint32_t value) {
  if (!applied_ || value != 0) return 0;
  if (outputOpen_) return 1;
  const uint32_t rate = setup_.mixingRate;
  const uint32_t frames = setup_.bufferFrames;
  musicBuffer_.assign(size_t{frames} * 2, 0);
  if (output_ != nullptr) {
    // A device named by the set-up may be gone since; the default then serves.
    const bool opened = output_->Open(setup_.device, rate, frames, *this) ||
                        (!setup_.device.empty() && output_->Open("", rate, frames, *this));
    if (!opened) return 0;
  }
  outputRate_ = rate;
  outputOpen_ = true;
  return 1;
}

uint32_t MixingSoundLibrary::StartMixer(uint32_t value) {
  if (!outputOpen_ || value > Mixer::FullVolume) return 0;
  if (mixer_) return 1;
  auto mixer = std::make_unique<Mixer>(outputRate_);
  mixer->SetAmplification(amplification_);
  mixer->SetMusicVolume(value);
  Locked locked(*this);
  mixer_ = std::move(mixer);
  return 1;
}

uint32_t MixingSoundLibrary::OpenSampleVoices(uint32_t count) {
  if (!mixer_ || count == 0 || count > Mixer::MaxVoices) return 0;
  Locked locked(*this);
  mixer_->SetVoiceCount(count);
  return 1;
}

// No flags are defined for either load.
uint32_t MixingSoundLibrary::LoadSample(const char* fileName, uint32_t format, uint32_t) {
  if (format != MuLawFormat) return 0;
  const std::optional<std::vector<uint8_t>> bytes = ReadGameFile(files_, fileName);
  return bytes ? KeepSample(DecodeMuLaw(*bytes)) : 0;
}

uint32_t MixingSoundLibrary::LoadLevelSample(const char* fileName, uint32_t) {
  const std::optional<std::vector<uint8_t>> bytes = ReadGameFile(files_, fileName);
  return bytes ? KeepSample(DecodeWav(*bytes)) : 0;
}

uint32_t MixingSoundLibrary::KeepSample(std::optional<std::vector<int16_t>> frames) {
  if (!frames || samples_.size() >= options_.sampleRoom) return 0;
  const uint32_t handle = NewHandle();
  samples_.emplace(handle, std::move(*frames));
  return handle;
}

void MixingSoundLibrary::FreeSample(uint32_t sample) {
  const auto found = samples_.find(sample);
  if (found == samples_.end()) return;
  if (mixer_) {
    Locked locked(*this);
    mixer_->StopSource(sample);
  }
  samples_.erase(found);
}

void MixingSoundLibrary::PlaySample(uint32_t sample, uint32_t length, uint32_t start, uint32_t rate,
                                    uint32_t volume, uint32_t panning) {
  const auto found = samples_.find(sample);
  if (!mixer_ || found == samples_.end() || start >= found->second.size()) return;
  std::span<const int16_t> frames = std::span<const int16_t>(found->second).subspan(start);
  if (length != WholeSample) frames = frames.first(std::min<size_t>(length, frames.size()));
  Locked locked(*this);
  mixer_->Play(sample, frames, rate, volume, static_cast<int32_t>(panning));
}

uint32_t MixingSoundLibrary::LoadModule(const char* fileName) {
  const std::optional<std::vector<uint8_t>> bytes = ReadGameFile(files_, fileName);
  if (!bytes) return 0;
  std::unique_ptr<ModulePlayer> player = makePlayer_ ? makePlayer_() : nullptr;
  if (!player || !player->Load(*bytes)) return 0;
  const uint32_t handle = NewHandle();
  modules_.emplace(handle, std::move(player));
  return handle;
}

uint32_t MixingSoundLibrary::StartModule(uint32_t module, uint32_t) {
  const auto found = modules_.find(module);
  if (!mixer_ || found == modules_.end()) return 0;
  StopPlayback(playback_);
  if (!found->second->Start(outputRate_)) return 0;
  {
    Locked locked(*this);
    music_ = found->second.get();
  }
  playback_ = NewHandle();
  playingModule_ = module;
  return playback_;
}

void MixingSoundLibrary::StopPlayback(uint32_t playback) {
  if (playback == 0 || playback != playback_) return;
  {
    Locked locked(*this);
    music_ = nullptr;
  }
  modules_.at(playingModule_)->Stop();
  playback_ = 0;
  playingModule_ = 0;
}

void MixingSoundLibrary::FreeModule(uint32_t module) {
  if (module != 0 && module == playingModule_) StopPlayback(playback_);
  modules_.erase(module);
}

void MixingSoundLibrary::CloseSampleVoices() {
  if (!mixer_) return;
  Locked locked(*this);
  mixer_->SetVoiceCount(0);
}

void MixingSoundLibrary::StopMixer() {
  StopPlayback(playback_);
  // Declared before the lock, so the mixer is freed after the lock is let go.
  std::unique_ptr<Mixer> stopped;
  Locked locked(*this);
  stopped = std::move(mixer_);
}

void MixingSoundLibrary::CloseOutput() {
  if (!outputOpen_) return;
  if (output_ != nullptr) output_->Close();
  outputOpen_ = false;
}

void MixingSoundLibrary::Close() {
  CloseSampleVoices();
  StopMixer();
  CloseOutput();
  modules_.clear();
  samples_.clear();
  open_ = false;
  applied_ = false;
}

uint32_t MixingSoundLibrary::NewHandle() {
  // 0 stands for a failed load, so it is never given out.
  if (++lastHandle_ == 0) ++lastHandle_;
  return lastHandle_;
}

void MixingSoundLibrary::Render(std::span<int16_t> frames) {
  if (!mixer_) {
    std::fill(frames.begin(), frames.end(), int16_t{0});
    return;
  }
  while (!frames.empty()) {
    const size_t count = std::min(frames.size(), musicBuffer_.size());
    std::span<const int16_t> music;
    if (music_ != nullptr) {
      const std::span<int16_t> buffer(musicBuffer_.data(), count);
      music_->Render(buffer);
      music = buffer;
    }
    mixer_->Render(frames.first(count), music);
    frames = frames.subspan(count);
  }
}

}  // namespace zorbulant
