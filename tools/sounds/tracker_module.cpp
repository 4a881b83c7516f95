#include "sounds/tracker_module.h"

#include <algorithm>
#include <cmath>

namespace zorbulant::tools {

namespace {

constexpr double PalClock = 3546895.0;
constexpr double PeriodOfC2 = 428.0;
constexpr size_t TitleSize = 20;
constexpr size_t SampleNameSize = 22;
constexpr size_t OrderSlots = 128;
constexpr size_t MaxPatterns = 64;
constexpr size_t MaxSampleBytes = 2 * 65535;  // lengths are stored in 16-bit words

void PutText(std::vector<uint8_t>& bytes, const std::string& text, size_t size) {
  for (size_t i = 0; i < size; ++i)
    bytes.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

void PutWords(std::vector<uint8_t>& bytes, size_t byteCount) {
  const size_t words = byteCount / 2;
  bytes.push_back(static_cast<uint8_t>(words >> 8));
  bytes.push_back(static_cast<uint8_t>(words));
}

bool CheckModule(const Module& module, std::string& error) {
  if (module.title.size() > TitleSize) {
    error = "the title is longer than 20 characters";
    return false;
  }
  if (module.samples.size() > SampleSlots) {
    error = "a module holds at most 31 samples";
    return false;
  }
  for (const ModuleSample& sample : module.samples) {
    const size_t size = sample.data.size();
    if (sample.name.size() > SampleNameSize || size % 2 != 0 || size > MaxSampleBytes ||
        sample.volume > 64 || sample.loopStart % 2 != 0 || sample.loopLength % 2 != 0 ||
        sample.loopStart + sample.loopLength > size) {
      error = "sample '" + sample.name + "' does not fit the format";
      return false;
    }
  }
  if (module.order.empty() || module.order.size() > OrderSlots || module.patterns.empty() ||
      module.patterns.size() > MaxPatterns) {
    error = "a module plays 1 to 128 positions of 1 to 64 patterns";
    return false;
  }
  if (*std::max_element(module.order.begin(), module.order.end()) + 1u != module.patterns.size()) {
    error = "the order must reach every pattern and no more";
    return false;
  }
  for (const ModulePattern& pattern : module.patterns) {
    for (const auto& row : pattern) {
      for (const ModuleCell& cell : row) {
        if (cell.period > 0xFFF || cell.sample > module.samples.size() || cell.effect > 0xF) {
          error = "a pattern cell does not fit the format";
          return false;
        }
      }
    }
  }
  return true;
}

}  // namespace

uint16_t NotePeriod(int note) {
  // Equal temperament from C-2, whose period sets the tuning of every module.
  return static_cast<uint16_t>(std::lround(PeriodOfC2 * std::exp2((12 - note) / 12.0)));
}

double ReferenceRate() { return PalClock / PeriodOfC2; }

bool EncodeModule(const Module& module, std::vector<uint8_t>& bytes, std::string& error) {
  if (!CheckModule(module, error)) return false;
  bytes.clear();
  PutText(bytes, module.title, TitleSize);
  for (size_t slot = 0; slot < SampleSlots; ++slot) {
    const ModuleSample empty;
    const ModuleSample& sample = slot < module.samples.size() ? module.samples[slot] : empty;
    PutText(bytes, sample.name, SampleNameSize);
    PutWords(bytes, sample.data.size());
    bytes.push_back(0);  // finetune
    bytes.push_back(sample.volume);
    // A sample without a loop repeats one word from its start, by convention.
    PutWords(bytes, sample.loopLength > 0 ? sample.loopStart : 0);
    PutWords(bytes, sample.loopLength > 0 ? sample.loopLength : 2);
  }
  bytes.push_back(static_cast<uint8_t>(module.order.size()));
  bytes.push_back(127);  // what ProTracker writes in the restart byte: play again from the top
  for (size_t position = 0; position < OrderSlots; ++position) {
    bytes.push_back(position < module.order.size() ? module.order[position] : 0);
  }
  PutText(bytes, "M.K.", 4);
  for (const ModulePattern& pattern : module.patterns) {
    for (const auto& row : pattern) {
      for (const ModuleCell& cell : row) {
        bytes.push_back(static_cast<uint8_t>((cell.sample & 0xF0) | (cell.period >> 8)));
        bytes.push_back(static_cast<uint8_t>(cell.period));
        bytes.push_back(static_cast<uint8_t>((cell.sample & 0x0F) << 4 | cell.effect));
        bytes.push_back(cell.parameter);
      }
    }
  }
  for (const ModuleSample& sample : module.samples) {
    for (int8_t value : sample.data) bytes.push_back(static_cast<uint8_t>(value));
  }
  return true;
}

}  // namespace zorbulant::tools
