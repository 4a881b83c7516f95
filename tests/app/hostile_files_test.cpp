// Hostile data files: cut, oversized, with huge or negative-looking words,
// with switch actions and sprites aimed anywhere, and pictures whose code
// streams are broken. Each case plays the game for a fixed number of turns,
// either as a whole headless run on a copy of the built pack or, where many
// variants of one level are tried, as a level played in memory. Nothing may
// crash or wake the sanitizers, every turn must end, and nothing out of a
// file's reach may change: the level number and the settings in the trace,
// and in memory the areas of the work block that neither the level's loads
// nor its play may write.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "assets/gif_decoder.h"
#include "assets/work_block.h"
#include "flow/flow_state.h"
#include "support/gif_test_writer.h"
#include "support/level_world.h"
#include "support/pack_copy.h"
#include "support/played_level.h"
#include "world/level_file.h"
#include "world/level_object.h"

namespace zorbulant {
namespace {

using testing::ObjectWords;
using testing::PackCopy;
using testing::PackRun;
using testing::Record;

std::string Join(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(count);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t length) {
  bytes.resize(std::min(length, bytes.size()));
  return bytes;
}

std::string FileCaseName(const ::testing::TestParamInfo<const char*>& file) {
  std::string name = file.param;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

// ---------------------------------------------------------------------------
// Whole headless runs on a copy of the built pack, the first mission played.

constexpr uint32_t RunTurns = 40;
constexpr uint32_t PlayStarts = 5;  // the intro's Enter

// Menu, intro, then walking right, a shot and a jump.
const char* const PlayScript =
    "2 press Enter\n3 release Enter\n5 press Enter\n6 release Enter\n"
    "7 press Right\n10 press Ctrl\n11 release Ctrl\n14 press Space\n18 release Space\n";

class HostilePack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pack_ = new PackCopy(); }
  static void TearDownTestSuite() {
    delete pack_;
    pack_ = nullptr;
  }
  void TearDown() override { pack_->RestoreChanged(); }

  static PackRun Play() { return testing::RunOnPack(pack_->path(), PlayScript, RunTurns, {}); }

  // The run ended normally after all its turns, the mission started, and the
  // level number and the settings stayed as they were.
  static void ExpectPlayedThrough(const PackRun& run) {
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_EQ(run.turns.size(), RunTurns + 1) << "every turn ran";
    EXPECT_EQ(run.At(PlayStarts, "GameState"), StateInGame);
    for (uint32_t turn = PlayStarts; turn <= RunTurns; ++turn) {
      for (const char* name : {"LevelNumber", "MaxCount", "FrameLimit", "Amplification"}) {
        ASSERT_EQ(run.At(turn, name), run.At(1, name)) << name << " in turn " << turn;
      }
    }
  }

  static PackCopy* pack_;
};

PackCopy* HostilePack::pack_ = nullptr;

// Guards against reading past what a cut level file holds: records after the
// cut keep what the region held (zeros in a fresh game), so they are empty.
class CutLevelFile : public HostilePack, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(CutLevelFile, PlaysWithTheRestEmpty) {
  const uint32_t cut = GetParam();
  const std::vector<uint8_t> level = PackCopy::BuiltFile("levelaaa.jmp");
  ASSERT_LT(cut, level.size());
  pack_->Write("levelaaa.jmp", Cut(level, cut));
  const PackRun run = Play();
  ExpectPlayedThrough(run);
  const auto objects = run.turns.at(PlayStarts - 1).at("Objects");
  for (uint32_t k = 0; k < objects.size(); ++k) {
    if (levelfile::FirstObject + k * levelfile::ObjectSize < cut) continue;
    EXPECT_EQ(objects[k], nlohmann::json::array({0, 0, 0, 0})) << "record " << k;
  }
}

// An empty file; inside the title; the title alone; inside the hero's start;
// one byte short of the header; the header alone; inside record 0; record 0
// whole; inside the Type of record 1; the end record missing; only its first
// byte there.
INSTANTIATE_TEST_SUITE_P(Cuts, CutLevelFile,
                         ::testing::Values(0u, 1u, 16u, 27u, 55u, 56u, 100u, 184u, 187u, 1848u,
                                           1849u));

// Guards against reading more of a level file than its region holds: junk
// behind the file changes nothing, and a file of junk alone is still played.
TEST_F(HostilePack, OversizedLevelFilesReadOnlyWhatTheRegionHolds) {
  const PackRun plain = Play();
  ExpectPlayedThrough(plain);
  std::vector<uint8_t> level = PackCopy::BuiltFile("levelaaa.jmp");
  level.resize(regions::LevelFileLength, 0);
  const std::vector<uint8_t> junk = RandomBytes(4 << 20, 11);
  level.insert(level.end(), junk.begin(), junk.end());
  pack_->Write("levelaaa.jmp", level);
  const PackRun oversized = Play();
  ExpectPlayedThrough(oversized);
  ASSERT_EQ(oversized.turns.size(), plain.turns.size());
  for (size_t turn = 0; turn < plain.turns.size(); ++turn) {
    ASSERT_EQ(oversized.turns[turn], plain.turns[turn]) << "turn " << turn + 1;
  }

  pack_->Write("levelaaa.jmp", junk);
  ExpectPlayedThrough(Play());
}

// Guards against pictures that end anywhere: in the signature, the colour
// table, the image descriptor or the data. A cut picture still counts as
// there and yields the pixels of its whole codes.
class CutPictures : public HostilePack, public ::testing::WithParamInterface<const char*> {};

TEST_P(CutPictures, PlayOnWithWhatWasDecoded) {
  const std::string file = GetParam();
  const std::vector<uint8_t> picture = PackCopy::BuiltFile(file);
  for (const size_t length : {size_t{0}, size_t{6}, size_t{12}, size_t{400}, size_t{790},
                              picture.size() / 2, picture.size() - 1}) {
    SCOPED_TRACE(file + " cut to " + std::to_string(length) + " bytes");
    pack_->Write(file, Cut(picture, length));
    ExpectPlayedThrough(Play());
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, CutPictures,
                         ::testing::Values("levelaaa.gif", "lvlgxaaa.gif", "MAINCHAR.gif",
                                           "menuback.gif", "go.gif"),
                         FileCaseName);

// Guards against samples and modules that end early: in the header, in the
// first chunk or halfway. The game plays on; what cannot be decoded is
// silent.
class CutSoundFiles : public HostilePack, public ::testing::WithParamInterface<const char*> {};

TEST_P(CutSoundFiles, PlayOnSilently) {
  const std::string file = GetParam();
  const std::vector<uint8_t> sound = PackCopy::BuiltFile(file);
  for (const size_t length : {size_t{0}, size_t{12}, size_t{44}, sound.size() / 2}) {
    SCOPED_TRACE(file + " cut to " + std::to_string(length) + " bytes");
    pack_->Write(file, Cut(sound, length));
    ExpectPlayedThrough(Play());
  }
}

INSTANTIATE_TEST_SUITE_P(Sounds, CutSoundFiles,
                         ::testing::Values("hah.ulw", "gun1.ulw", "lsfx1aaa.wav", "lsfx2aaa.wav",
                                           "mission0.mod", "intro001.mod"),
                         FileCaseName);

// A picture of 2000 x 2000: floor bands and a few stripes, plainly or
// interlaced. Made once: giflib takes a while over four million pixels.
const std::vector<uint8_t>& HugePicture(bool interlaced) {
  static const std::array<std::vector<uint8_t>, 2> pictures = [] {
    testing::Picture picture{2000, 2000, std::vector<uint8_t>(2000 * 2000, 2)};
    for (uint32_t y = 0; y < 2000; ++y) {
      const uint8_t value = y % 500 >= 300 && y % 500 < 320 ? 250 : (y % 97 == 0 ? 30 : 2);
      std::fill_n(picture.pixels.begin() + y * 2000, 2000, value);
    }
    testing::GiflibOptions options;
    const std::vector<uint8_t> plain = testing::EncodeWithGiflib({picture}, options);
    options.interlaced = true;
    return std::array<std::vector<uint8_t>, 2>{plain,
                                               testing::EncodeWithGiflib({picture}, options)};
  }();
  return pictures[interlaced ? 1 : 0];
}

// Guards against a picture larger than its region: decoding stops at the
// region's end.
TEST_F(HostilePack, HugeLevelPictureIsCutAtItsRegion) {
  for (const bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "plain");
    pack_->Write("levelaaa.gif", HugePicture(interlaced));
    ExpectPlayedThrough(Play());
  }
}

// The first mission's level file with record 0 replaced.
std::vector<uint8_t> FirstLevelWithRecord(const ObjectWords& words) {
  std::vector<uint8_t> level = PackCopy::BuiltFile("levelaaa.jmp");
  for (uint32_t word = 0; word < 32; ++word) {
    StoreWord(level.data() + levelfile::FirstObject + 4 * word, words[word]);
  }
  return level;
}

// Guards against a pick-up that adds to the hero's picture number: the
// picture it names lies far past the sheet, outside the work block, and is
// not drawn.
TEST_F(HostilePack, PickupAimedAtTheHerosPictureNumber) {
  const std::vector<uint8_t> level = PackCopy::BuiltFile("levelaaa.jmp");
  const uint32_t x = LoadWord(level.data() + levelfile::HeroStartX);
  const uint32_t y = LoadWord(level.data() + levelfile::HeroStartY);
  pack_->Write("levelaaa.jmp", FirstLevelWithRecord(Record({{field::Type, ObjectPickup},
                                                            {field::X, x - 10},
                                                            {field::Y, y - 12},
                                                            {field::Width, 16},
                                                            {field::Height, 16},
                                                            {field::Target, 36},
                                                            {field::Amount, 0x7FFFFFFF}})));
  const PackRun run = Play();
  ExpectPlayedThrough(run);
  EXPECT_GE(run.At(PlayStarts, "HeroFrame"), 0x7FFFFFFFu) << "picked up at once";
}

// Guards against titles and music names of any bytes: the title is drawn
// as text, the music name looked up as a file name. Names with a path in
// them, "." and "..", a name that is a directory, bytes past ASCII.
TEST_F(HostilePack, TitlesAndMusicNamesOfAnyBytes) {
  std::filesystem::create_directory(pack_->path() / "trapdoor.mod");
  const std::string names[] = {"../../..", std::string("..\0\0\0\0\0\0", 8),
                               std::string(".\0\0\0\0\0\0\0", 8), "trapdoor",
                               "\xff\xfe\x80\x81\x01\x02\x7f\x20"};
  std::string title;
  for (uint32_t k = 0; k < levelfile::MissionTitleLength; ++k) {
    title.push_back(static_cast<char>(0x80 + 9 * k));
  }
  for (const std::string& name : names) {
    SCOPED_TRACE("music name " + name);
    std::vector<uint8_t> level = PackCopy::BuiltFile("levelaaa.jmp");
    std::copy(title.begin(), title.end(), level.begin() + levelfile::MissionTitle);
    std::copy(name.begin(), name.end(), level.begin() + levelfile::MusicName);
    pack_->Write("levelaaa.jmp", level);
    ExpectPlayedThrough(Play());
  }
  std::filesystem::remove(pack_->path() / "trapdoor.mod");
}

// ---------------------------------------------------------------------------
// Broken LZW code streams.

enum class Stream {
  CodesBeyondTheTable,  // after a root, only codes far past the next free one
  NoEndCode,            // a picture's codes that stop without the end code
  ClearCodeStorm,       // a megabyte of clear codes
  EndCodeFirst,         // nothing but the end code
  CodeSize0,            // minimum code sizes outside 2 to 8, on random data
  CodeSize1,
  CodeSize12,
  CodeSize255,
  RandomData,          // random bytes at the usual code size
  InterlacedNoWidth,   // random bytes for interlaced rows 0 pixels wide
  InterlacedHugeRows,  // random bytes for interlaced rows 65,535 pixels wide
};

// Clear codes of 8-bit pictures, 9 bits each, packed as GIF packs codes.
std::vector<uint8_t> ClearCodes(uint32_t count) {
  std::vector<uint8_t> bytes((count * 9 + 7) / 8, 0);
  for (uint32_t bit = 0; bit < count * 9; ++bit) {
    if (bit % 9 == 8) bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] | 1u << (bit % 8));
  }
  return bytes;
}

// A picture of the level picture's size around the stream.
std::vector<uint8_t> MakeBrokenGif(Stream stream) {
  testing::LzwCodeWriter codes;
  testing::GifLayout layout;
  layout.imageWidth = 1280;
  layout.imageHeight = 800;
  switch (stream) {
    case Stream::CodesBeyondTheTable:
      codes.Clear();
      codes.Code(7);
      for (uint32_t k = 0; k < 20'000; ++k) codes.RawCode((1u << codes.Width()) - 1);
      return BuildGifFile(layout, codes.Bytes());
    case Stream::NoEndCode:
      codes.Clear();
      for (uint32_t k = 0; k < 30'000; ++k) codes.Code(k * 7 % 251);
      return BuildGifFile(layout, codes.Bytes());
    case Stream::ClearCodeStorm:
      return BuildGifFile(layout, ClearCodes(930'000));
    case Stream::EndCodeFirst:
      codes.End();
      return BuildGifFile(layout, codes.Bytes());
    case Stream::CodeSize0:
    case Stream::CodeSize1:
    case Stream::CodeSize12:
    case Stream::CodeSize255:
    case Stream::RandomData: {
      const uint8_t sizes[] = {0, 1, 12, 255, 8};
      layout.minimumCodeSize =
          sizes[static_cast<uint32_t>(stream) - static_cast<uint32_t>(Stream::CodeSize0)];
      return BuildGifFile(layout, RandomBytes(200'000, static_cast<uint32_t>(stream)));
    }
    case Stream::InterlacedNoWidth:
    case Stream::InterlacedHugeRows:
      layout.interlaced = true;
      layout.imageWidth = stream == Stream::InterlacedNoWidth ? 0 : 65535;
      layout.imageHeight = 65535;
      return BuildGifFile(layout, RandomBytes(200'000, static_cast<uint32_t>(stream)));
  }
  return {};
}

const Stream AllStreams[] = {
    Stream::CodesBeyondTheTable, Stream::NoEndCode,         Stream::ClearCodeStorm,
    Stream::EndCodeFirst,        Stream::CodeSize0,         Stream::CodeSize1,
    Stream::CodeSize12,          Stream::CodeSize255,       Stream::RandomData,
    Stream::InterlacedNoWidth,   Stream::InterlacedHugeRows};

// Made once for each stream.
const std::vector<uint8_t>& BrokenGif(Stream stream) {
  static std::map<Stream, std::vector<uint8_t>> made;
  auto found = made.find(stream);
  if (found == made.end()) found = made.emplace(stream, MakeBrokenGif(stream)).first;
  return found->second;
}

const char* StreamName(Stream stream) {
  static const char* const names[] = {"CodesBeyondTheTable", "NoEndCode",         "ClearCodeStorm",
                                      "EndCodeFirst",        "CodeSize0",         "CodeSize1",
                                      "CodeSize12",          "CodeSize255",       "RandomData",
                                      "InterlacedNoWidth",   "InterlacedHugeRows"};
  return names[static_cast<uint32_t>(stream)];
}

// Guards the cheap clear code, which sets again only the root entries that
// strings took over: with code size 2, code 6 is a string before the clear
// and, as the first code after it, stands for the root of byte 6 again.
TEST(LzwClearCode, GivesBackTheRootEntriesStringsTookOver) {
  testing::LzwCodeWriter codes(2);
  codes.Clear();
  codes.Code(1);
  codes.Code(2);
  codes.Code(6);  // the string "1 2"
  codes.Clear();
  codes.RawCode(6);
  codes.End();
  std::vector<uint8_t> scratch(regions::SceneBuffer.size);
  std::vector<uint8_t> pixels(8, 0xEE);
  DecodeLzwData(scratch, codes.Bytes(), 2, pixels);
  EXPECT_EQ(pixels, (std::vector<uint8_t>{1, 2, 1, 2, 6, 0xEE, 0xEE, 0xEE}));
}

// Guards against code streams no encoder makes, in the level's pictures and
// in the pictures decoded at start-up: every one decodes into its region and
// the game plays on.
class BrokenCodeStream : public HostilePack, public ::testing::WithParamInterface<Stream> {};

TEST_P(BrokenCodeStream, AsEveryPictureOfTheFirstMission) {
  for (const char* file :
       {"levelaaa.gif", "lvlgxaaa.gif", "menuback.gif", "go.gif", "MAINCHAR.gif"}) {
    SCOPED_TRACE(file);
    pack_->Write(file, BrokenGif(GetParam()));
    ExpectPlayedThrough(Play());
    pack_->RestoreChanged();
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, BrokenCodeStream, ::testing::ValuesIn(AllStreams),
                         [](const ::testing::TestParamInfo<Stream>& stream) {
                           return std::string(StreamName(stream.param));
                         });

// ---------------------------------------------------------------------------
// A level played in memory: a room with one object of every kind around the
// hero's start. The hero walks right into the pick-up and the switch it pays
// with, shoots a second switch and meets the enemy; the barrier blinks and
// the sound zone plays around it.

constexpr uint32_t Floor = 300;
constexpr uint32_t StartX = 200;
constexpr uint32_t PlayFrames = 32;
// The level's own sprites, by their offset in the sheet.
constexpr uint32_t Sprites = regions::HeroSheet.size;
constexpr uint32_t SheetSize = regions::LevelGraphics.end() - regions::HeroSheet.offset;
enum Kind : uint32_t { Pickup, PaidSwitch, Block, ShotSwitch, Enemy, Barrier, SoundZone, Kinds };
// A word of the end record, which no one reads.
constexpr uint32_t Harmless = Kinds * levelfile::ObjectSize + 124;
const char* const KindNames[Kinds] = {"Pickup", "PaidSwitch", "Block",    "ShotSwitch",
                                      "Enemy",  "Barrier",    "SoundZone"};

ObjectWords SwitchAt(uint32_t x, uint32_t payWith, uint32_t price) {
  ObjectWords words = Record({{field::Type, ObjectSwitch},
                              {field::X, x},
                              {field::Y, Floor - 32},
                              {field::HitPoints, 1},
                              {field::Width, 16},
                              {field::Height, 32},
                              {field::SpriteOffset, Sprites + 256},
                              {field::SpentSprite, Sprites + 768},
                              {field::PayWith, payWith},
                              {field::Price, price},
                              {field::Sound, 1}});
  for (const uint32_t at : {field::Set1Offset, field::Set2Offset, field::Set3Offset,
                            field::Set4Offset, field::Add1Offset, field::Add2Offset}) {
    words[at / 4] = Harmless;
  }
  return words;
}

// The records by kind, in list order; the paid switch opens the block.
std::vector<ObjectWords> Objects() {
  ObjectWords paid = SwitchAt(StartX, 20, 1);
  paid[field::Set1Offset / 4] = Block * levelfile::ObjectSize + field::State;
  paid[field::Set1Value / 4] = 1;
  return {
      Record({{field::Type, ObjectPickup},
              {field::X, StartX},
              {field::Y, Floor - 16},
              {field::Width, 16},
              {field::Height, 16},
              {field::SpriteOffset, Sprites},
              {field::Target, 20},
              {field::Amount, 1}}),
      paid,
      Record({{field::Type, ObjectBlock},
              {field::X, 260},
              {field::Y, 240},
              {field::ClosedColour, 250},
              {field::OpenColour, 2},
              {field::BlockWidth, 8},
              {field::BlockHeight, Floor - 240}}),
      SwitchAt(216, 0xFFFF, 0),
      Record({{field::Type, ObjectEnemy},
              {field::X, 320},
              {field::Y, Floor - 1},
              {field::HitPoints, 2},
              {field::Width, 16},
              {field::Height, 32},
              {field::SpriteOffset, Sprites + 1280},
              {field::FrameShift, 2},
              {field::Facing, 1},
              {field::Behaviour, EnemyJumps | EnemyHunts},
              {field::ShotDamage, 8}}),
      Record({{field::Type, ObjectBarrier},
              {field::X, 100},
              {field::Y, 240},
              {field::FrameShift, 7},
              {field::ColourBitSet, 174},
              {field::OffColour, 255},
              {field::FieldHeight, 30},
              {field::FieldWidth, 20},
              {field::ColourBitClear, 30}}),
      Record({{field::Type, ObjectSoundZone},
              {field::X, 150},
              {field::Y, 200},
              {field::Width, 200},
              {field::Height, 120},
              {field::SampleChoice, 1},
              {field::RepeatTime, 100}}),
  };
}

LevelFileImage Level(std::vector<ObjectWords> objects = Objects()) {
  LevelFileImage level;
  level.missionTitle = "Hostile Room";
  level.musicName = "nomusic0";
  level.heroStartX = StartX;
  level.heroStartY = Floor;
  level.levelHeight = 400;
  level.exitX = 1200;
  level.exitY = 250;
  level.exitWidth = 40;
  level.exitHeight = 60;
  level.objects = std::move(objects);
  return level;
}

// A dark room 400 rows high with a floor and walls on both sides.
std::vector<uint8_t> RoomPicture() {
  testing::Picture picture{1280, 400, std::vector<uint8_t>(1280 * 400, 2)};
  for (uint32_t y = 0; y < 400; ++y) {
    uint8_t* row = picture.pixels.data() + y * 1280;
    if (y >= Floor && y < Floor + 20) std::fill_n(row, 1280, uint8_t{250});
    if (y < Floor) {
      std::fill_n(row, 4, uint8_t{255});
      std::fill_n(row + 1276, 4, uint8_t{255});
    }
  }
  return testing::EncodeWithGiflib({picture}, {});
}

// Squares of four colours on transparent 255: the pick-up, the switch, its
// spent picture and the enemy.
std::vector<uint8_t> LevelGraphics() {
  std::vector<uint8_t> bytes(1792, 255);
  const std::pair<uint32_t, uint8_t> squares[] = {{0, 210}, {256, 30}, {768, 144}, {1280, 28}};
  for (const auto& [at, colour] : squares) std::fill_n(bytes.begin() + at + 17, 200, colour);
  return testing::EncodeWithGiflib({{1792, 1, bytes}}, {});
}

class PlayedRoom : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    room_ = new testing::PlayedLevel();
    room_->AddFile("levelaaa.gif", RoomPicture());
    room_->AddFile("lvlgxaaa.gif", LevelGraphics());
  }
  static void TearDownTestSuite() {
    delete room_;
    room_ = nullptr;
  }

  // Starts and plays a variant of the level file, then checks what it may
  // not have reached.
  static void PlayVariant(const std::vector<uint8_t>& levelFile, uint32_t frames = PlayFrames) {
    room_->AddFile("levelaaa.jmp", levelFile);
    room_->Start();
    EXPECT_EQ(Join(room_->ChangedByStart()), "") << "changed by the level start";
    room_->Play(frames);
    EXPECT_EQ(Join(room_->ChangedInPlay()), "") << "changed in play";
  }

  static testing::PlayedLevel* room_;
};

testing::PlayedLevel* PlayedRoom::room_ = nullptr;

// The fixture level itself plays as its objects are meant to: a sanity check
// that the variants below start from a level where every object acts.
TEST_F(PlayedRoom, EveryObjectActs) {
  PlayVariant(Level().Bytes());
  Game& game = room_->game();
  const LevelObject paid(game.work, PaidSwitch);
  EXPECT_EQ(paid.Get(field::HitPoints), 0u) << "fired with the picked-up item";
  EXPECT_EQ(LevelObject(game.work, Pickup).Get(field::Type), 0u) << "picked up";
  EXPECT_EQ(LevelObject(game.work, Block).Get(field::State), 1u) << "opened by the switch";
  EXPECT_EQ(LevelObject(game.work, ShotSwitch).Get(field::HitPoints), 0u) << "shot";
  EXPECT_NE(LevelObject(game.work, Enemy).Get(field::X), 320u) << "walked";
}

const uint32_t HostileWords[] = {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF};

std::string Hex(uint32_t value) {
  std::ostringstream text;
  text << std::hex << std::uppercase << value;
  return text.str();
}

// Guards against header words taken at face value: start places, level sizes
// and exits far outside the level, titles and music names of any bytes.
class HeaderWord : public PlayedRoom, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(HeaderWord, EveryWordInTurn) {
  for (uint32_t at = 0; at < levelfile::FirstObject; at += 4) {
    SCOPED_TRACE("header word at " + std::to_string(at));
    std::vector<uint8_t> file = Level().Bytes();
    StoreWord(file.data() + at, GetParam());
    PlayVariant(file);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, HeaderWord, ::testing::ValuesIn(HostileWords),
                         [](const ::testing::TestParamInfo<uint32_t>& value) {
                           return Hex(value.param);
                         });

struct ObjectField {
  Kind kind;
  uint32_t value;
};

void PrintTo(const ObjectField& field, std::ostream* out) {
  *out << KindNames[field.kind] << " " << Hex(field.value);
}

// Guards against object words taken at face value: places, sizes, sprites,
// colours, frame masks and shifts, hit points, prices, targets, behaviours,
// timers, each set to a huge or negative-looking value in one record.
class ObjectWord : public PlayedRoom, public ::testing::WithParamInterface<ObjectField> {};

TEST_P(ObjectWord, EveryWordOfTheRecordInTurn) {
  const ObjectField hostile = GetParam();
  for (uint32_t word = 0; word < 32; ++word) {
    SCOPED_TRACE("word at " + std::to_string(4 * word));
    std::vector<ObjectWords> objects = Objects();
    objects[hostile.kind][word] = hostile.value;
    PlayVariant(Level(objects).Bytes());
  }
}

std::vector<ObjectField> ObjectFields() {
  std::vector<ObjectField> fields;
  for (uint32_t kind = 0; kind < Kinds; ++kind) {
    for (const uint32_t value : HostileWords) fields.push_back({static_cast<Kind>(kind), value});
  }
  return fields;
}

INSTANTIATE_TEST_SUITE_P(Records, ObjectWord, ::testing::ValuesIn(ObjectFields()),
                         [](const ::testing::TestParamInfo<ObjectField>& hostile) {
                           return std::string(KindNames[hostile.param.kind]) + "_" +
                                  Hex(hostile.param.value);
                         });

// ---------------------------------------------------------------------------
// Offsets that level files name.

struct OffsetSweep {
  const char* name;
  std::vector<uint32_t> offsets;
};

void PrintTo(const OffsetSweep& sweep, std::ostream* out) { *out << sweep.name; }

// Offsets from the first byte of the object list: every word of the records
// in use and of the end record, every byte around both ends of the list, the
// first and last word of every region of the work block, and far ones.
std::vector<OffsetSweep> ActionTargets() {
  OffsetSweep records{"RecordsInUse", {}};
  for (uint32_t at = 0; at < (Kinds + 1) * levelfile::ObjectSize; at += 4) {
    records.offsets.push_back(at);
  }
  OffsetSweep ends{"EndsOfTheList", {}};
  for (uint32_t back = 8; back >= 1; --back) ends.offsets.push_back(0u - back);
  for (uint32_t at = 0; at < 8; ++at) ends.offsets.push_back(at);
  for (uint32_t at = ObjectListSize - 8; at <= ObjectListSize + 8; ++at) {
    ends.offsets.push_back(at);
  }
  OffsetSweep block{"RegionsOfTheBlock", {}};
  const uint32_t list = regions::LevelHeader.offset + levelfile::FirstObject;
  for (const Region& region :
       {regions::TopMargin, regions::SceneBuffer, regions::LevelPicture, regions::HeroSheet,
        regions::LevelGraphics, regions::GoButtonPicture, regions::ConfigButtonPicture,
        regions::ExitButtonPicture, regions::SpareWord, regions::EnemyShotTable,
        regions::HeroShotTable, regions::LevelHeader, regions::CarriedItemA, regions::CarriedItemB,
        regions::MenuBackground, regions::Free, regions::GifInputBuffer}) {
    block.offsets.push_back(region.offset - list);
    block.offsets.push_back(region.end() - 4 - list);
  }
  block.offsets.push_back(regions::WorkBlockSize - list);
  OffsetSweep far{"Far", {0x7FFFFFFF, 0x80000000, 0x40000000, 0xC0000000, 0xFFFFFFFF - list}};
  return {records, ends, block, far};
}

// Guards against switch actions that write wherever a level file says: the
// paid switch fires with all four sets and both adds aimed at one offset,
// and only the object list may change.
class SwitchActionTarget : public PlayedRoom, public ::testing::WithParamInterface<OffsetSweep> {};

TEST_P(SwitchActionTarget, ChangesOnlyTheObjectList) {
  for (const uint32_t target : GetParam().offsets) {
    SCOPED_TRACE("actions aimed at " + Hex(target));
    std::vector<ObjectWords> objects = Objects();
    ObjectWords& paid = objects[PaidSwitch];
    const uint32_t values[6] = {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 5, 0x7FFFFFFF, 0x80000001};
    for (uint32_t action = 0; action < 6; ++action) {
      const uint32_t at =
          action < 4 ? field::Set1Offset + 8 * action : field::Add1Offset + 8 * (action - 4);
      paid[at / 4] = target;
      paid[at / 4 + 1] = values[action];
    }
    PlayVariant(Level(objects).Bytes(), 8);
    const uint8_t* work = room_->game().work.data();
    // Written just before the switch fired: the pick-up as it was picked up.
    ObjectWords carried = Objects()[Pickup];
    carried[field::Type / 4] = 0;
    for (uint32_t word = 0; word < 32; ++word) {
      ASSERT_EQ(LoadWord(work + regions::CarriedItemA.offset + 4 * word), carried[word])
          << "carried item word " << word;
    }
    EXPECT_TRUE(std::all_of(work + regions::CarriedItemB.offset, work + regions::CarriedItemB.end(),
                            [](uint8_t b) { return b == 0; }))
        << "the second carried item is never picked up";
    if (target != PaidSwitch * levelfile::ObjectSize + field::SpriteOffset) {
      EXPECT_EQ(LevelObject(room_->game().work, PaidSwitch).Get(field::SpriteOffset), Sprites + 768)
          << "the switch fired";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sweeps, SwitchActionTarget, ::testing::ValuesIn(ActionTargets()),
                         [](const ::testing::TestParamInfo<OffsetSweep>& sweep) {
                           return std::string(sweep.param.name);
                         });

// Guards against pick-up targets and switch payments that reach past the
// hero variable block: every byte offset around the block and far ones.
TEST_F(PlayedRoom, PickupTargetsAndPaymentsStayInTheHeroBlock) {
  std::vector<uint32_t> offsets;
  for (uint32_t at = 0; at <= sizeof(HeroVariables) + 8; ++at) offsets.push_back(at);
  for (const uint32_t far : {0xFFFFFFFFu, 0xFFFFFFFCu, 0x80000000u, 0x7FFFFFFFu, 0x10000u}) {
    offsets.push_back(far);
  }
  for (const uint32_t offset : offsets) {
    SCOPED_TRACE("offset " + Hex(offset));
    std::vector<ObjectWords> objects = Objects();
    objects[Pickup][field::Target / 4] = offset;
    objects[Pickup][field::Amount / 4] = 0x7FFFFFFF;
    objects[PaidSwitch][field::PayWith / 4] = offset;
    objects[PaidSwitch][field::Price / 4] = 0;
    PlayVariant(Level(objects).Bytes(), 8);
  }
}

// ---------------------------------------------------------------------------
// Sprites past every region.

struct SpriteSize {
  uint32_t width;
  uint32_t height;
};

void PrintTo(const SpriteSize& size, std::ostream* out) {
  *out << Hex(size.width) << " x " << Hex(size.height);
}

// Guards against sprite frames read from outside the sheet and the level
// graphics, by every object that draws one: the pick-up and the carried item
// it becomes on the head-up display, both switches with their spent pictures
// and the explosion of the one shot, and the enemy. Offsets around the
// sheet's end, the work block's end and far past it; sizes of a frame, of
// the whole sheet and past it, and whose product overflows 32 bits; one
// frame or every frame the clock gives.
class SpritesPastRegions : public PlayedRoom, public ::testing::WithParamInterface<SpriteSize> {};

TEST_P(SpritesPastRegions, AreNotDrawn) {
  const SpriteSize size = GetParam();
  const uint32_t blockEnd = regions::WorkBlockSize - regions::HeroSheet.offset;
  for (const uint32_t offset :
       {0u, SheetSize - 256, SheetSize - 255, SheetSize - 1, SheetSize, blockEnd - 256, blockEnd,
        0x7FFFFFFFu, 0x80000000u, 0xFFFFFF00u, 0xFFFFFFFFu}) {
    for (const uint32_t mask : {0u, 0xFFFFFFFFu}) {
      SCOPED_TRACE("sprite at " + Hex(offset) + ", frame mask " + Hex(mask));
      std::vector<ObjectWords> objects = Objects();
      for (const Kind kind : {Pickup, PaidSwitch, ShotSwitch, Enemy}) {
        ObjectWords& words = objects[kind];
        words[field::SpriteOffset / 4] = offset;
        words[field::Width / 4] = size.width;
        words[field::Height / 4] = size.height;
        words[field::FrameMask / 4] = mask;
        words[field::FrameShift / 4] = 0;
        if (kind != Pickup && kind != Enemy) words[field::SpentSprite / 4] = offset;
      }
      PlayVariant(Level(objects).Bytes(), 24);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SpritesPastRegions,
                         ::testing::Values(SpriteSize{16, 16}, SpriteSize{SheetSize, 1},
                                           SpriteSize{1, SheetSize}, SpriteSize{SheetSize + 1, 1},
                                           SpriteSize{0x10000, 0x10000}, SpriteSize{0xFFFFFFFF, 1},
                                           SpriteSize{1, 0xFFFFFFFF}, SpriteSize{0x80000000, 2},
                                           SpriteSize{0, 5}),
                         [](const ::testing::TestParamInfo<SpriteSize>& size) {
                           return Hex(size.param.width) + "x" + Hex(size.param.height);
                         });

// ---------------------------------------------------------------------------
// The level's pictures loaded in memory, where the regions around them can be
// seen: broken streams and huge pictures land in their own region only.

TEST_F(PlayedRoom, BrokenAndHugeLevelPicturesLoadOnlyIntoTheirRegions) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures;
  for (const Stream stream : AllStreams) {
    pictures.emplace_back(StreamName(stream), BrokenGif(stream));
  }
  pictures.emplace_back("huge", HugePicture(false));
  pictures.emplace_back("huge interlaced", HugePicture(true));
  for (const char* file : {"levelaaa.gif", "lvlgxaaa.gif"}) {
    for (const auto& [name, picture] : pictures) {
      SCOPED_TRACE(std::string(file) + ": " + name);
      room_->AddFile(file, picture);
      PlayVariant(Level().Bytes());
    }
    room_->AddFile("levelaaa.gif", RoomPicture());
    room_->AddFile("lvlgxaaa.gif", LevelGraphics());
  }
}

}  // namespace
}  // namespace zorbulant
