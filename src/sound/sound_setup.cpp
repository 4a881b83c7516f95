// The set-up dialog and the set-up's place in the settings store.
#include "sound/sound_setup.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <span>

namespace zorbulant {

namespace {

constexpr const char* DeviceValue = "Device";
constexpr const char* RateValue = "MixingRate";
constexpr const char* BufferValue = "BufferFrames";
constexpr uint32_t TypeString = 1;  // REG_SZ, zero-terminated
constexpr uint32_t LongestDeviceName = 512;

// Lists `choices` numbered from 1 and reads a number until one fits; nothing
// when the answer is empty or the input ends.
std::optional<size_t> Choose(std::istream& input, std::ostream& output, const char* question,
                             const std::vector<std::string>& choices, const std::string& current) {
  output << question << ":\n";
  for (size_t i = 0; i < choices.size(); ++i) output << "  " << i + 1 << "  " << choices[i] << "\n";
  output << "Choose 1-" << choices.size() << " (Enter keeps " << current << "): " << std::flush;
  std::string line;
  while (std::getline(input, line)) {
    line.erase(
        std::remove_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\r'; }),
        line.end());
    if (line.empty()) return std::nullopt;
    size_t choice = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), choice);
    if (error == std::errc() && end == line.data() + line.size() && choice >= 1 &&
        choice <= choices.size()) {
      return choice - 1;
    }
    output << "Choose 1-" << choices.size() << ", or Enter to keep " << current << ": "
           << std::flush;
  }
  output << "\n";
  return std::nullopt;
}

template <size_t N>
std::vector<std::string> Labels(const std::array<uint32_t, N>& values, const char* unit) {
  std::vector<std::string> labels;
  for (const uint32_t value : values) labels.push_back(std::to_string(value) + unit);
  return labels;
}

std::string DeviceLabel(const std::string& device) {
  return device.empty() ? "the system's default output" : device;
}

bool Offered(std::span<const uint32_t> values, uint32_t value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

std::optional<uint32_t> ReadNumber(SettingsStore& store, SettingsStore::Key key, const char* name) {
  uint8_t data[4] = {};
  uint32_t size = sizeof data;
  if (store.QueryValue(key, name, data, size) != registry::Success || size != sizeof data) {
    return std::nullopt;
  }
  return data[0] | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 | uint32_t{data[3]} << 24;
}

void WriteNumber(SettingsStore& store, SettingsStore::Key key, const char* name, uint32_t value) {
  const uint8_t data[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                           static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  store.SetValue(key, name, registry::TypeDword, data, sizeof data);
}

}  // namespace

void RunSoundSetupDialog(SoundSetup& setup, const std::vector<std::string>& devices,
                         std::istream& input, std::ostream& output) {
  output << "Zorbulant sound set-up\n";
  std::vector<std::string> deviceChoices{DeviceLabel("")};
  deviceChoices.insert(deviceChoices.end(), devices.begin(), devices.end());
  if (const auto choice =
          Choose(input, output, "Output device", deviceChoices, DeviceLabel(setup.device))) {
    setup.device = *choice == 0 ? "" : devices[*choice - 1];
  }
  if (const auto choice = Choose(input, output, "Mixing rate", Labels(MixingRates, " Hz"),
                                 std::to_string(setup.mixingRate) + " Hz")) {
    setup.mixingRate = MixingRates[*choice];
  }
  if (const auto choice = Choose(input, output, "Buffer", Labels(BufferSizes, " frames"),
                                 std::to_string(setup.bufferFrames) + " frames")) {
    setup.bufferFrames = BufferSizes[*choice];
  }
  output << "Sound: " << DeviceLabel(setup.device) << ", " << setup.mixingRate << " Hz, "
         << setup.bufferFrames << " frames per buffer\n";
}

void SaveSoundSetup(SettingsStore& store, const char* subKey, const SoundSetup& setup) {
  SettingsStore::Key key = 0;
  if (store.CreateKey(subKey, key) != registry::Success) return;
  std::vector<uint8_t> device(setup.device.begin(), setup.device.end());
  device.push_back(0);
  store.SetValue(key, DeviceValue, TypeString, device.data(), static_cast<uint32_t>(device.size()));
  WriteNumber(store, key, RateValue, setup.mixingRate);
  WriteNumber(store, key, BufferValue, setup.bufferFrames);
  store.CloseKey(key);
}

void LoadSoundSetup(SettingsStore& store, const char* subKey, SoundSetup& setup) {
  SettingsStore::Key key = 0;
  if (store.OpenKey(subKey, key) != registry::Success) return;
  std::vector<uint8_t> device(LongestDeviceName);
  uint32_t size = LongestDeviceName;
  if (store.QueryValue(key, DeviceValue, device.data(), size) == registry::Success && size > 0 &&
      device[size - 1] == 0) {
    setup.device.assign(device.begin(), device.begin() + size - 1);
  }
  if (const auto rate = ReadNumber(store, key, RateValue); rate && Offered(MixingRates, *rate)) {
    setup.mixingRate = *rate;
  }
  if (const auto frames = ReadNumber(store, key, BufferValue);
      frames && Offered(BufferSizes, *frames)) {
    setup.bufferFrames = *frames;
  }
  store.CloseKey(key);
}

}  // namespace zorbulant
