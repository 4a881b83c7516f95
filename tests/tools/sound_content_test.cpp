// The sounds and music of the data pack as the build made them: every sample
// the game loads is there, reads back through the game's own decoders as a
// sound of sensible length and loudness, and is exactly what its source makes
// (so the build is repeatable); libxmp plays both modules as we wrote them.
#include <gtest/gtest.h>

#include <xmp.h>
#include <algorithm>
#include <filesystem>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>

#include "sound/sample_formats.h"
#include "sound/sound_engine.h"
#include "sounds/byte_file.h"
#include "sounds/sample_file.h"
#include "sounds/song_source.h"
#include "sounds/sound_recipe.h"

namespace zorbulant::tools {
namespace {

const std::string DataDir = ZORBULANT_DATA_DIR;
const std::string SourceDir = std::string(ZORBULANT_SOURCE_DIR) + "/content";
constexpr uint32_t LevelSampleRate = 11025;  // the rate the game plays level samples at

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string ReadSource(const std::string& path) {
  std::string text;
  std::string error;
  EXPECT_TRUE(ReadTextFile(path, text, error)) << error;
  return text;
}

std::string Stem(const std::string& fileName) { return fileName.substr(0, fileName.find('.')); }

double Rms(const std::vector<int16_t>& samples) {
  double sum = 0;
  for (int16_t value : samples) sum += static_cast<double>(value) * value;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

int Peak(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t value : samples) peak = std::max(peak, std::abs(static_cast<int>(value)));
  return peak;
}

// Loud enough to hear, below the largest value the file can hold, 0.1 to 1.2
// seconds long at the rate it is played at.
void ExpectASound(const std::string& name, const std::vector<int16_t>& samples, uint32_t rate,
                  int largest) {
  const double seconds = static_cast<double>(samples.size()) / rate;
  EXPECT_GE(seconds, 0.1) << name;
  EXPECT_LE(seconds, 1.2) << name;
  EXPECT_GT(Rms(samples), 0.03 * 32768) << name << " is too quiet";
  EXPECT_LT(Peak(samples), largest) << name << " clips";
}

std::vector<std::string> FixedSampleNames() {
  std::vector<std::string> names;
  for (const SampleRecord& record : SoundEngine{}.SampleTable) names.push_back(record.FileName);
  return names;
}

// The stems of the sources in content/DIRECTORY whose names start with `prefix`.
std::vector<std::string> SourceStems(const std::string& directory, const std::string& prefix) {
  std::vector<std::string> stems;
  for (const auto& entry : std::filesystem::directory_iterator(SourceDir + "/" + directory)) {
    const std::string stem = entry.path().stem().string();
    if (entry.path().extension() == ".txt" && stem.rfind(prefix, 0) == 0) stems.push_back(stem);
  }
  std::sort(stems.begin(), stems.end());
  return stems;
}

// Every mission's two samples.
std::vector<std::string> LevelSampleNames() {
  std::vector<std::string> names;
  for (const std::string& stem : SourceStems("sounds", "lsfx")) names.push_back(stem + ".wav");
  return names;
}

// The menu's, the mission-done and every mission's music.
std::vector<std::string> Songs() { return SourceStems("music", ""); }

TEST(SoundContentTest, EveryFixedSampleIsASoundMadeForItsRate) {
  for (const std::string& name : FixedSampleNames()) {
    SoundRecipe recipe;
    std::string error;
    ASSERT_TRUE(
        ParseSoundRecipe(ReadSource(SourceDir + "/sounds/" + Stem(name) + ".txt"), recipe, error))
        << name << ": " << error;
    const std::optional<std::vector<int16_t>> samples =
        DecodeMuLaw(ReadBytes(DataDir + "/" + name));
    ASSERT_TRUE(samples.has_value()) << name;
    ExpectASound(name, *samples, recipe.rate, MuLawToLinear(0x80));
    // A one-shot that stops while still loud ends in a click.
    EXPECT_LT(std::abs(samples->back()), 0.02 * 32768) << name;
  }
}

TEST(SoundContentTest, TheLevelSamplesAreWavesAtTheLevelRate) {
  ASSERT_FALSE(LevelSampleNames().empty());
  for (const std::string& name : LevelSampleNames()) {
    const std::vector<uint8_t> bytes = ReadBytes(DataDir + "/" + name);
    ASSERT_GE(bytes.size(), 44u) << name;
    uint32_t rate = 0;
    for (int i = 3; i >= 0; --i) rate = rate << 8 | bytes[24 + i];
    EXPECT_EQ(rate, LevelSampleRate) << name;
    const std::optional<std::vector<int16_t>> samples = DecodeWav(bytes);
    ASSERT_TRUE(samples.has_value()) << name;
    ExpectASound(name, *samples, rate, 32767);
  }
}

TEST(SoundContentTest, TheBuiltSamplesAreExactlyWhatTheirRecipesMake) {
  std::vector<std::string> names = FixedSampleNames();
  for (const std::string& name : LevelSampleNames()) names.push_back(name);
  for (const std::string& name : names) {
    std::vector<uint8_t> made;
    std::string error;
    ASSERT_TRUE(
        MakeSampleFile(ReadSource(SourceDir + "/sounds/" + Stem(name) + ".txt"), name, made, error))
        << name << ": " << error;
    EXPECT_TRUE(made == ReadBytes(DataDir + "/" + name)) << name << " is not its recipe's render";
  }
}

Module CompileSource(const std::string& song) {
  Module module;
  std::string error;
  EXPECT_TRUE(CompileSong(ReadSource(SourceDir + "/music/" + song + ".txt"), module, error))
      << song << ": " << error;
  return module;
}

TEST(SoundContentTest, TheBuiltModulesAreExactlyWhatTheirSongsMake) {
  for (const std::string& song : Songs()) {
    std::vector<uint8_t> made;
    std::string error;
    ASSERT_TRUE(EncodeModule(CompileSource(song), made, error)) << error;
    EXPECT_TRUE(made == ReadBytes(DataDir + "/" + song + ".mod"))
        << song << " is not its song's module";
  }
}

struct XmpContextDeleter {
  void operator()(char* context) const {
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
  }
};
using XmpContext = std::unique_ptr<char, XmpContextDeleter>;

int SongSpeed(const Module& module) {
  for (const ModuleCell& cell : module.patterns[module.order[0]][0]) {
    if (cell.effect == EffectSetSpeed) return cell.parameter;
  }
  return 0;
}

TEST(SoundContentTest, LibxmpPlaysTheModulesAsWritten) {
  for (const std::string& song : Songs()) {
    const Module module = CompileSource(song);
    XmpContext context(xmp_create_context());
    const std::string path = DataDir + "/" + song + ".mod";
    ASSERT_EQ(xmp_load_module(context.get(), path.c_str()), 0) << song;
    xmp_module_info info;
    xmp_get_module_info(context.get(), &info);
    EXPECT_STREQ(info.mod->name, module.title.c_str()) << song;
    EXPECT_NE(std::string(info.mod->type).find("M.K."), std::string::npos) << info.mod->type;
    EXPECT_EQ(info.mod->pat, static_cast<int>(module.patterns.size())) << song;
    EXPECT_EQ(info.mod->len, static_cast<int>(module.order.size())) << song;
    // Every position plays all 64 rows at the song's speed, 20 ms a tick.
    const int speed = SongSpeed(module);
    ASSERT_GT(speed, 0) << song;
    EXPECT_EQ(info.seq_data[0].duration, static_cast<int>(module.order.size()) * 64 * speed * 20)
        << song;

    constexpr int Rate = 22050;
    ASSERT_EQ(xmp_start_player(context.get(), Rate, XMP_FORMAT_MONO), 0);
    std::vector<int16_t> second(Rate);
    int seconds = 0;
    while (xmp_play_buffer(context.get(), second.data(), Rate * 2, 1) == 0) {
      EXPECT_GT(Rms(second), 500) << song << " falls silent in second " << seconds;
      EXPECT_LT(Peak(second), 32767) << song << " clips in second " << seconds;
      ++seconds;
    }
    EXPECT_EQ(seconds, (info.seq_data[0].duration + 999) / 1000) << song;
  }
}

}  // namespace
}  // namespace zorbulant::tools
