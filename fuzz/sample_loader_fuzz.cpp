// Loads the fuzzer's input as a sample file through the game's sound library,
// plays it into the mixer and frees it while it plays.
//
// Input: byte 0 picks the loader (even: a level sample, read as RIFF WAVE;
// odd: a fixed sample, headerless mu-law) and, in its high bits, the panning;
// bytes 1 and 2 the playback rate, byte 3 the volume, byte 4 the frame the
// playback starts at (in 256ths of the sample); the rest is the file.
//
// What must hold: no crash and no sanitizer report; the library loads a file
// exactly when its decoder accepts it; an accepted mu-law file gives one frame
// per byte within the format's range, an accepted wave file at least one frame
// and no more than its data can hold; the file is closed again; and a sample
// freed while it plays is no longer read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "platform/settings/memory_settings_store.h"
#include "sound/mixing_sound_library.h"
#include "sound/sample_formats.h"
#include "sound/sound_engine.h"
#include "support/memory_files.h"
#include "support/pulled_audio_output.h"

namespace zorbulant {
namespace {

constexpr size_t HeadLength = 5;
// A wave file's RIFF header, format chunk and data chunk header.
constexpr size_t SmallestWaveHead = 44;
constexpr int16_t LoudestMuLaw = 32'124;
constexpr uint32_t MuLawFormat = 7;
constexpr uint32_t WholeSample = 65'535;
constexpr size_t PulledFrames = 2'048;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "sample_loader_fuzz: %s\n", what);
  std::abort();
}

void ExpectDecoded(bool wave, std::span<const uint8_t> file,
                   const std::optional<std::vector<int16_t>>& frames) {
  if (!frames) {
    if (!wave && !file.empty()) Fail("a mu-law file was refused");
    return;
  }
  if (frames->empty()) Fail("an accepted file has no frames");
  if (wave) {
    if (file.size() < SmallestWaveHead || frames->size() > file.size() - SmallestWaveHead) {
      Fail("a wave file gave more frames than its data holds");
    }
    return;
  }
  if (frames->size() != file.size()) Fail("a mu-law file did not give a frame per byte");
  for (const int16_t value : *frames) {
    if (value > LoudestMuLaw || value < -LoudestMuLaw) Fail("a mu-law frame out of range");
  }
}

// The start-up steps with the game's own values, as the sound engine makes them.
bool Start(MixingSoundLibrary& library) {
  bool started = library.Open() == 1;
  library.SetOption(11, 1);
  library.SetOption(3, 250);
  library.SetOption(5, 1);
  library.LoadSetup(HkeyLocalMachine, SoundEngineKey);
  started = started && library.ApplyOptions() == 1;
  library.SetAmplification(300);
  started = started && library.OpenOutput(0) == 1;
  started = started && library.StartMixer(40) == 1;
  return started && library.OpenSampleVoices(16) == 1;
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  if (size < HeadLength) return 0;
  const bool wave = data[0] % 2 == 0;
  const int32_t panning = static_cast<int8_t>(data[0]) / 2;
  const uint32_t rate = data[1] | uint32_t{data[2]} << 8;
  const uint32_t volume = data[3];
  const std::span<const uint8_t> file(data + HeadLength, size - HeadLength);

  const std::optional<std::vector<int16_t>> frames = wave ? DecodeWav(file) : DecodeMuLaw(file);
  ExpectDecoded(wave, file, frames);

  testing::MemoryFiles files;
  files.Add("sample", {file.begin(), file.end()});
  MemorySettingsStore settings;
  testing::PulledAudioOutput output;
  MixingSoundLibrary library(files, settings, &output, nullptr);
  if (!Start(library)) Fail("the library did not start");
  const uint32_t sample =
      wave ? library.LoadLevelSample("sample", 0) : library.LoadSample("sample", MuLawFormat, 0);
  if (files.OpenCount() != 0) Fail("the file was left open");
  if ((sample != 0) != frames.has_value()) Fail("the library and its decoder disagree");
  if (sample == 0) return 0;

  const auto start = static_cast<uint32_t>(frames->size() * data[4] / 256);
  library.PlaySample(sample, WholeSample, start, rate, volume, static_cast<uint32_t>(panning));
  output.Pull(PulledFrames);
  library.FreeSample(sample);
  for (const int16_t value : output.Pull(PulledFrames)) {
    if (value != 0) Fail("a freed sample was still played");
  }
  return 0;
}
