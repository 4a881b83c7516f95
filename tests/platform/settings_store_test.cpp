// The settings stores: the registry's rules for keys and values, the game's
// settings loaded and saved through them, and the settings file's text form,
// its safety against crashes and its care for what others wrote into it.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "flow/game.h"
#include "platform/settings/memory_settings_store.h"
#include "platform/settings/reg_file.h"
#include "platform/settings/reg_file_store.h"
#include "sound/settings.h"
#include "support/test_platform.h"

namespace zorbulant {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
const std::string GameKey = std::string("HKEY_LOCAL_MACHINE\\") + SettingsKey;

std::vector<uint8_t> LittleEndian(uint32_t number) {
  return {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
          static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
}

void StoreValue(SettingsStore& store, const char* name, uint32_t type,
                const std::vector<uint8_t>& bytes, const char* subKey = SettingsKey) {
  SettingsStore::Key key = 0;
  ASSERT_EQ(store.CreateKey(subKey, key), registry::Success);
  EXPECT_EQ(store.SetValue(key, name, type, bytes.data(), static_cast<uint32_t>(bytes.size())),
            registry::Success);
  EXPECT_EQ(store.CloseKey(key), registry::Success);
}

// The value's bytes, or nothing when the key or the value cannot be read.
std::optional<std::vector<uint8_t>> QueryBytes(SettingsStore& store, const char* name,
                                               const char* subKey = SettingsKey) {
  SettingsStore::Key key = 0;
  if (store.OpenKey(subKey, key) != registry::Success) return std::nullopt;
  std::vector<uint8_t> bytes(1024);
  auto size = static_cast<uint32_t>(bytes.size());
  const int32_t status = store.QueryValue(key, name, bytes.data(), size);
  store.CloseKey(key);
  if (status != registry::Success) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const fs::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string WithLineEnd(std::string_view text, std::string_view newline) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') {
      result += newline;
    } else {
      result += c;
    }
  }
  return result;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zorbulant-settings-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary directory";
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const fs::path& path() const { return path_; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

// A game whose settings go to `store`, on otherwise fake services.
struct GameOn {
  explicit GameOn(SettingsStore& store)
      : services{fakes.window, fakes.clock, fakes.display, fakes.files,
                 store,        fakes.sound, "zorbulant"},
        game(services) {}
  GameOn(const GameOn&) = delete;
  GameOn& operator=(const GameOn&) = delete;

  // Saves a setting the way the configuration and mission-done screens do.
  int32_t Save(uint32_t Settings::*setting, const char* name, uint32_t value) {
    game.settings.*setting = value;
    game.registry.SubKey = SettingsKey;
    game.registry.ValueName = name;
    game.registry.Data = &(game.settings.*setting);
    game.registry.Size = 4;
    WriteSetting(game);
    return game.registry.Status;
  }

  std::vector<std::string> AmplificationCalls() const {
    return fakes.sound.CallsStartingWith("13(");
  }

  testing::TestPlatform fakes;
  Platform services;
  Game game;
};

// ---------------------------------------------------------------------------
// Behaviour both stores share, seen through the interface the game uses.

struct MemoryStoreKind {
  MemorySettingsStore store;
};

struct FileStoreKind {
  TempDir dir;
  RegFileStore store{dir.path() / "settings.reg"};
};

template <typename Kind>
class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStore& store() { return kind_.store; }

 private:
  Kind kind_;
};

using StoreKinds = ::testing::Types<MemoryStoreKind, FileStoreKind>;
TYPED_TEST_SUITE(SettingsStoreTest, StoreKinds);

TYPED_TEST(SettingsStoreTest, KeysOpenOnceCreatedWithTheKeysAboveThem) {
  SettingsStore::Key key = 0;
  EXPECT_EQ(this->store().OpenKey(SettingsKey, key), registry::FileNotFound);

  ASSERT_EQ(this->store().CreateKey(SettingsKey, key), registry::Success);
  EXPECT_NE(key, 0u);
  EXPECT_EQ(this->store().CloseKey(key), registry::Success);

  for (const char* present : {"SOFTWARE\\Quillmarsh\\Zorbulant", "software\\QUILLMARSH\\zorbulant",
                              "SOFTWARE", "SOFTWARE\\Quillmarsh"}) {
    SCOPED_TRACE(present);
    ASSERT_EQ(this->store().OpenKey(present, key), registry::Success);
    EXPECT_EQ(this->store().CloseKey(key), registry::Success);
  }
  for (const char* absent : {"SOFTWARE\\Quill", "SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine",
                             "SOFTWARE\\Quillmarsh\\Zorbulan"}) {
    SCOPED_TRACE(absent);
    EXPECT_EQ(this->store().OpenKey(absent, key), registry::FileNotFound);
  }
}

TYPED_TEST(SettingsStoreTest, HandlesWorkOnlyWhileOpen) {
  SettingsStore::Key key = 0;
  ASSERT_EQ(this->store().CreateKey(SettingsKey, key), registry::Success);
  const uint8_t byte = 1;
  ASSERT_EQ(this->store().SetValue(key, "Open", registry::TypeBinary, &byte, 1), registry::Success);
  ASSERT_EQ(this->store().CloseKey(key), registry::Success);

  uint8_t buffer[4] = {};
  uint32_t size = sizeof buffer;
  for (const SettingsStore::Key stale : {key, SettingsStore::Key{0}}) {
    EXPECT_EQ(this->store().SetValue(stale, "Closed", registry::TypeBinary, &byte, 1),
              registry::InvalidHandle);
    EXPECT_EQ(this->store().QueryValue(stale, "Open", buffer, size), registry::InvalidHandle);
    EXPECT_EQ(this->store().CloseKey(stale), registry::InvalidHandle);
  }
  EXPECT_EQ(QueryBytes(this->store(), "Closed"), std::nullopt);

  // Two handles to one key are independent.
  SettingsStore::Key first = 0;
  SettingsStore::Key second = 0;
  ASSERT_EQ(this->store().OpenKey(SettingsKey, first), registry::Success);
  ASSERT_EQ(this->store().OpenKey(SettingsKey, second), registry::Success);
  EXPECT_NE(first, second);
  EXPECT_EQ(this->store().CloseKey(first), registry::Success);
  EXPECT_EQ(this->store().QueryValue(second, "Open", buffer, size), registry::Success);
  EXPECT_EQ(this->store().CloseKey(second), registry::Success);
}

TYPED_TEST(SettingsStoreTest, QueryFollowsTheRegistrysRules) {
  const std::vector<uint8_t> stored = {0x11, 0x22, 0x33};
  StoreValue(this->store(), "Three", registry::TypeBinary, stored);
  StoreValue(this->store(), "Empty", registry::TypeBinary, {});

  SettingsStore::Key key = 0;
  ASSERT_EQ(this->store().OpenKey(SettingsKey, key), registry::Success);
  constexpr uint8_t Untouched = 0xEE;

  {
    SCOPED_TRACE("missing value");
    std::array<uint8_t, 8> buffer;
    buffer.fill(Untouched);
    uint32_t size = 4;
    EXPECT_EQ(this->store().QueryValue(key, "Missing", buffer.data(), size),
              registry::FileNotFound);
    EXPECT_EQ(buffer[0], Untouched);
  }
  for (uint32_t room = 0; room < stored.size(); ++room) {
    SCOPED_TRACE("room " + std::to_string(room));
    std::array<uint8_t, 8> buffer;
    buffer.fill(Untouched);
    uint32_t size = room;
    EXPECT_EQ(this->store().QueryValue(key, "Three", buffer.data(), size), registry::MoreData);
    EXPECT_EQ(size, stored.size());
    EXPECT_EQ(buffer[0], Untouched);
  }
  for (uint32_t room = static_cast<uint32_t>(stored.size()); room <= 8; room += 5) {
    SCOPED_TRACE("room " + std::to_string(room));
    std::array<uint8_t, 8> buffer;
    buffer.fill(Untouched);
    uint32_t size = room;
    EXPECT_EQ(this->store().QueryValue(key, "Three", buffer.data(), size), registry::Success);
    EXPECT_EQ(size, stored.size());
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), buffer.begin()));
    EXPECT_EQ(buffer[stored.size()], Untouched);
  }
  {
    SCOPED_TRACE("empty value");
    uint8_t buffer = Untouched;
    uint32_t size = 0;
    EXPECT_EQ(this->store().QueryValue(key, "Empty", &buffer, size), registry::Success);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer, Untouched);
  }
  EXPECT_EQ(this->store().CloseKey(key), registry::Success);
}

TYPED_TEST(SettingsStoreTest, ValueNamesIgnoreCaseAndAWriteReplaces) {
  StoreValue(this->store(), "FrameLimit", registry::TypeBinary, LittleEndian(1));
  StoreValue(this->store(), "FRAMELIMIT", registry::TypeBinary, {2, 0});
  StoreValue(this->store(), "FrameLimit", registry::TypeBinary, {2, 0},
             "SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine");
  EXPECT_EQ(QueryBytes(this->store(), "framelimit"), (std::vector<uint8_t>{2, 0}));
  EXPECT_EQ(QueryBytes(this->store(), "FrameLimit", "software\\quillmarsh\\zorbulant"),
            (std::vector<uint8_t>{2, 0}));
}

TYPED_TEST(SettingsStoreTest, FirstRunKeepsTheDefaults) {
  GameOn run(this->store());
  LoadSettings(run.game);
  const Settings defaults;
  EXPECT_EQ(run.game.settings.FrameLimit, defaults.FrameLimit);
  EXPECT_EQ(run.game.settings.Amplification, defaults.Amplification);
  EXPECT_EQ(run.game.settings.MaxCount, defaults.MaxCount);
  EXPECT_EQ(run.AmplificationCalls(),
            std::vector<std::string>{"13(" + std::to_string(defaults.Amplification) + ")"});
}

TYPED_TEST(SettingsStoreTest, SavedSettingsLoadInTheNextRun) {
  const Settings defaults;
  const uint32_t frameLimit = defaults.FrameLimit + 5;
  const uint32_t amplification = defaults.Amplification + 150;
  const uint32_t maxCount = defaults.MaxCount + 3;
  {
    GameOn first(this->store());
    EXPECT_EQ(first.Save(&Settings::FrameLimit, "FrameLimit", frameLimit), registry::Success);
    EXPECT_EQ(first.Save(&Settings::Amplification, "Amplification", amplification),
              registry::Success);
    EXPECT_EQ(first.Save(&Settings::MaxCount, "MaxCount", maxCount), registry::Success);
  }
  GameOn next(this->store());
  LoadSettings(next.game);
  EXPECT_EQ(next.game.settings.FrameLimit, frameLimit);
  EXPECT_EQ(next.game.settings.Amplification, amplification);
  EXPECT_EQ(next.game.settings.MaxCount, maxCount);
  EXPECT_EQ(next.AmplificationCalls(),
            std::vector<std::string>{"13(" + std::to_string(amplification) + ")"});
}

TYPED_TEST(SettingsStoreTest, StoredValuesAreTakenWhateverTheirTypeOrRange) {
  // The game neither checks the type nor the range of what it reads.
  StoreValue(this->store(), "FrameLimit", registry::TypeDword, LittleEndian(100));
  StoreValue(this->store(), "Amplification", registry::TypeBinary, LittleEndian(0xFFFFFFFF));
  StoreValue(this->store(), "MaxCount", registry::TypeDword, LittleEndian(0));
  GameOn run(this->store());
  LoadSettings(run.game);
  EXPECT_EQ(run.game.settings.FrameLimit, 100u);
  EXPECT_EQ(run.game.settings.Amplification, 0xFFFFFFFFu);
  EXPECT_EQ(run.game.settings.MaxCount, 0u);
}

TYPED_TEST(SettingsStoreTest, OversizedValuesKeepTheDefaultWithoutHarmingTheOthers) {
  std::vector<uint8_t> fiveBytes = LittleEndian(20);
  fiveBytes.push_back(0);
  StoreValue(this->store(), "FrameLimit", registry::TypeBinary, fiveBytes);
  StoreValue(this->store(), "Amplification", registry::TypeBinary, std::vector<uint8_t>(64, 9));
  StoreValue(this->store(), "MaxCount", registry::TypeBinary, LittleEndian(6));
  GameOn run(this->store());
  LoadSettings(run.game);
  const Settings defaults;
  EXPECT_EQ(run.game.settings.FrameLimit, defaults.FrameLimit);
  EXPECT_EQ(run.game.settings.Amplification, defaults.Amplification);
  EXPECT_EQ(run.game.settings.MaxCount, 6u);
}

TYPED_TEST(SettingsStoreTest, ShortValuesReplaceOnlyTheirOwnBytes) {
  StoreValue(this->store(), "FrameLimit", registry::TypeBinary, {});
  StoreValue(this->store(), "Amplification", registry::TypeBinary, {0x05});
  StoreValue(this->store(), "MaxCount", registry::TypeBinary, {0x34, 0x12, 0x00});
  GameOn run(this->store());
  const uint32_t maxCountBefore = 0xAABBCCDD;
  run.game.settings.MaxCount = maxCountBefore;
  LoadSettings(run.game);
  const Settings defaults;
  EXPECT_EQ(run.game.settings.FrameLimit, defaults.FrameLimit);
  EXPECT_EQ(run.game.settings.Amplification, (defaults.Amplification & ~0xFFu) | 0x05u);
  EXPECT_EQ(run.game.settings.MaxCount, (maxCountBefore & ~0xFFFFFFu) | 0x001234u);
}

// ---------------------------------------------------------------------------
// The settings file.

// Written by hand: comments, keys the game does not know, the game's key spelt
// in another case, a value of every form, odd spacing and a continued hex list.
constexpr std::string_view HandWritten =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "; Kept by hand.\n"
    "[HKEY_CURRENT_USER\\Software\\Other]\n"
    "\"Colour\"=\"blue \\\"sky\\\" \\\\ grey\"\n"
    "\n"
    "  [hkey_local_machine\\software\\quillmarsh\\zorbulant]  \n"
    "  \"FrameLimit\" =  dword:0000000C\n"
    "\"Amplification\"=hex:c2,01,00,00\n"
    "\"Tune\"=hex(7):61,00,62, 00,\\\n"
    "    00 ,00\n"
    "@=\"default\"\n"
    "; Last words of the section.\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine]\n"
    "\"Device\"=dword:2\n";

class SettingsFileTest : public ::testing::TestWithParam<std::string_view> {
 protected:
  std::string Original() const { return WithLineEnd(HandWritten, GetParam()); }
  std::string Line(std::string_view text) const {
    return std::string(text) + std::string(GetParam());
  }

  TempDir dir;
  fs::path file = dir.path() / "settings.reg";
};

INSTANTIATE_TEST_SUITE_P(LineEnds, SettingsFileTest, ::testing::Values("\n", "\r\n"),
                         [](const auto& test) {
                           return std::string(test.param == "\n" ? "Lf" : "CrLf");
                         });

TEST_P(SettingsFileTest, ReadsEveryFormOfValue) {
  WriteText(file, Original());
  RegFileStore store(file);
  EXPECT_EQ(QueryBytes(store, "FrameLimit"), LittleEndian(12));
  EXPECT_EQ(QueryBytes(store, "Amplification"), LittleEndian(450));
  EXPECT_EQ(QueryBytes(store, "Tune"), (std::vector<uint8_t>{'a', 0, 'b', 0, 0, 0}));
  EXPECT_EQ(QueryBytes(store, ""), (std::vector<uint8_t>{'d', 'e', 'f', 'a', 'u', 'l', 't', 0}));
  EXPECT_EQ(QueryBytes(store, "Device", "SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine"),
            LittleEndian(2));
  EXPECT_EQ(QueryBytes(store, "MaxCount"), std::nullopt);
  // Other roots are kept, not reachable as the game's keys.
  EXPECT_EQ(QueryBytes(store, "Colour", "Software\\Other"), std::nullopt);
  const auto parsed = RegFile::Parse(Original());
  ASSERT_TRUE(parsed.has_value());
  const RegistryValue* colour = parsed->Find("HKEY_CURRENT_USER\\Software\\Other", "Colour");
  ASSERT_NE(colour, nullptr);
  const std::string expected = "blue \"sky\" \\ grey";
  EXPECT_EQ(std::string(colour->data.begin(), colour->data.end()), expected + std::string(1, '\0'));

  EXPECT_EQ(ReadText(file), Original()) << "reading changed the file";
}

TEST_P(SettingsFileTest, SavesRewriteOnlyTheirOwnLines) {
  WriteText(file, Original());
  RegFileStore store(file);
  GameOn run(store);

  ASSERT_EQ(run.Save(&Settings::FrameLimit, "FrameLimit", 9), registry::Success);
  std::string expected = Replaced(Original(), Line("  \"FrameLimit\" =  dword:0000000C"),
                                  Line("\"FrameLimit\"=hex:09,00,00,00"));
  EXPECT_EQ(ReadText(file), expected);

  // A new value goes right behind the last value of its key's section.
  ASSERT_EQ(run.Save(&Settings::MaxCount, "MaxCount", 4), registry::Success);
  expected = Replaced(expected, Line("@=\"default\""),
                      Line("@=\"default\"") + Line("\"MaxCount\"=hex:04,00,00,00"));
  EXPECT_EQ(ReadText(file), expected);

  // A continued value is replaced with all of its lines.
  const std::vector<uint8_t> tune = {1, 2};
  StoreValue(store, "TUNE", registry::TypeBinary, tune);
  expected = Replaced(expected, Line("\"Tune\"=hex(7):61,00,62, 00,\\") + Line("    00 ,00"),
                      Line("\"Tune\"=hex:01,02"));
  EXPECT_EQ(ReadText(file), expected);

  RegFileStore later(file);
  GameOn next(later);
  LoadSettings(next.game);
  EXPECT_EQ(next.game.settings.FrameLimit, 9u);
  EXPECT_EQ(next.game.settings.Amplification, 450u);
  EXPECT_EQ(next.game.settings.MaxCount, 4u);
}

TEST_P(SettingsFileTest, AMissingKeyIsAppendedAsASection) {
  // No line end after the last line: the new section must not run into it.
  const std::string original = WithLineEnd(
      std::string(Header) + "\n[HKEY_CURRENT_USER\\Other]\n\"Keep\"=dword:00000001", GetParam());
  WriteText(file, original);
  RegFileStore store(file);
  GameOn run(store);
  ASSERT_EQ(run.Save(&Settings::MaxCount, "MaxCount", 3), registry::Success);
  EXPECT_EQ(ReadText(file), original + Line("") + Line("") + Line("[" + GameKey + "]") +
                                Line("\"MaxCount\"=hex:03,00,00,00"));
}

TEST_P(SettingsFileTest, TheLastOfRepeatedKeysAndValuesCounts) {
  const std::string section = "[" + GameKey + "]\n";
  const std::string original =
      WithLineEnd(std::string(Header) + "\n" + section + "\"FrameLimit\"=dword:00000001\n" +
                      "\"FrameLimit\"=dword:00000002\n" + section +
                      "\"FrameLimit\"=dword:00000003\n[HKEY_CURRENT_USER\\Other]\n",
                  GetParam());
  WriteText(file, original);
  RegFileStore store(file);
  GameOn run(store);
  LoadSettings(run.game);
  EXPECT_EQ(run.game.settings.FrameLimit, 3u);

  ASSERT_EQ(run.Save(&Settings::FrameLimit, "FrameLimit", 8), registry::Success);
  EXPECT_EQ(ReadText(file), Replaced(original, Line("\"FrameLimit\"=dword:00000003"),
                                     Line("\"FrameLimit\"=hex:08,00,00,00")));
}

TEST(SettingsFileFormat, ValuesAreWrittenInTheFormsRegeditWrites) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  RegFileStore store(file);
  GameOn run(store);
  ASSERT_EQ(run.Save(&Settings::Amplification, "Amplification", 300), registry::Success);
  StoreValue(store, "Dword", registry::TypeDword, LittleEndian(300));
  StoreValue(store, "ShortDword", registry::TypeDword, {0x2c, 0x01});
  StoreValue(store, "MultiString", 7, {'a', 0, 0});
  StoreValue(store, "Nothing", 0, {});
  StoreValue(store, "Quoted \"\\ name", registry::TypeBinary, {0xff});
  EXPECT_EQ(ReadText(file), std::string(Header) + "\n\n[" + GameKey +
                                "]\n"
                                "\"Amplification\"=hex:2c,01,00,00\n"
                                "\"Dword\"=dword:0000012c\n"
                                "\"ShortDword\"=hex(4):2c,01\n"
                                "\"MultiString\"=hex(7):61,00,00\n"
                                "\"Nothing\"=hex(0):\n"
                                "\"Quoted \\\"\\\\ name\"=hex:ff\n");

  RegFileStore reader(file);
  EXPECT_EQ(QueryBytes(reader, "Dword"), LittleEndian(300));
  EXPECT_EQ(QueryBytes(reader, "ShortDword"), (std::vector<uint8_t>{0x2c, 0x01}));
  EXPECT_EQ(QueryBytes(reader, "Nothing"), std::vector<uint8_t>{});
  EXPECT_EQ(QueryBytes(reader, "Quoted \"\\ name"), std::vector<uint8_t>{0xff});
}

TEST(SettingsFileFormat, LongValuesWrapWithinEightyColumnsAndReadBack) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  std::vector<uint8_t> bytes(200);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  {
    RegFileStore store(file);
    StoreValue(store, "Long", registry::TypeBinary, bytes);
  }
  std::istringstream lines(ReadText(file));
  int continued = 0;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 80u) << line;
    if (line.ends_with('\\')) ++continued;
  }
  EXPECT_GT(continued, 0);
  RegFileStore reader(file);
  EXPECT_EQ(QueryBytes(reader, "Long"), bytes);
}

TEST(SettingsFileFormat, AnEmptyFileIsANewStore) {
  for (const std::string_view empty : {"", "\n\n", " \r\n"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(empty)));
    TempDir dir;
    const fs::path file = dir.path() / "settings.reg";
    WriteText(file, empty);
    RegFileStore store(file);
    GameOn run(store);
    ASSERT_EQ(run.Save(&Settings::MaxCount, "MaxCount", 2), registry::Success);
    EXPECT_TRUE(ReadText(file).starts_with(std::string(Header) + "\n"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"settings.reg"});
  }
}

// Files the store cannot understand, each next to the smallest change that
// makes it acceptable, so that the test shows where the line lies.
struct BrokenFile {
  const char* name;
  std::string broken;
  std::string fine;
};

std::string WithGameKey(const std::string& body) {
  return std::string(Header) + "\n[" + GameKey + "]\n" + body;
}

std::vector<BrokenFile> BrokenFiles() {
  return {
      {"NoHeader", "[" + GameKey + "]\n", std::string(Header) + "\n[" + GameKey + "]\n"},
      {"OlderHeader", "REGEDIT4\n", std::string(Header) + "\n"},
      {"ValueBeforeAnyKey", std::string(Header) + "\n\"MaxCount\"=dword:1\n",
       std::string(Header) + "\n[" + GameKey + "]\n\"MaxCount\"=dword:1\n"},
      {"UnclosedSection", std::string(Header) + "\n[" + GameKey + "\n",
       std::string(Header) + "\n[" + GameKey + "]\n"},
      {"KeyDeletion", std::string(Header) + "\n[-" + GameKey + "]\n",
       std::string(Header) + "\n[" + GameKey + "]\n"},
      {"ValueDeletion", WithGameKey("\"MaxCount\"=-\n"), WithGameKey("\"MaxCount\"=hex:\n")},
      {"BadHexDigit", WithGameKey("\"MaxCount\"=hex:0g\n"), WithGameKey("\"MaxCount\"=hex:0f\n")},
      {"WideByte", WithGameKey("\"MaxCount\"=hex:100\n"), WithGameKey("\"MaxCount\"=hex:10\n")},
      {"EmptyByte", WithGameKey("\"MaxCount\"=hex:01,,02\n"),
       WithGameKey("\"MaxCount\"=hex:01,02\n")},
      {"LongDword", WithGameKey("\"MaxCount\"=dword:000000001\n"),
       WithGameKey("\"MaxCount\"=dword:00000001\n")},
      {"UnclosedString", WithGameKey("\"MaxCount\"=\"abc\n"),
       WithGameKey("\"MaxCount\"=\"abc\"\n")},
      {"TextAfterString", WithGameKey("\"MaxCount\"=\"a\" b\n"),
       WithGameKey("\"MaxCount\"=\"a b\"\n")},
      {"UnknownEscape", WithGameKey("\"Max\\nCount\"=hex:\n"),
       WithGameKey("\"Max\\\\nCount\"=hex:\n")},
      {"ContinuationAtEnd", WithGameKey("\"MaxCount\"=hex:01,\\\n"),
       WithGameKey("\"MaxCount\"=hex:01,\\\n  02\n")},
      {"MissingEquals", WithGameKey("\"MaxCount\" hex:01\n"),
       WithGameKey("\"MaxCount\"= hex:01\n")},
  };
}

class BrokenSettingsFileTest : public ::testing::TestWithParam<BrokenFile> {};

INSTANTIATE_TEST_SUITE_P(Files, BrokenSettingsFileTest, ::testing::ValuesIn(BrokenFiles()),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_P(BrokenSettingsFileTest, IsSetAsideAndTheDefaultsStay) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  const fs::path aside = dir.path() / "settings.reg.bad";
  WriteText(file, GetParam().broken);

  RegFileStore store(file);
  GameOn run(store);
  LoadSettings(run.game);
  const Settings defaults;
  EXPECT_EQ(run.game.settings.FrameLimit, defaults.FrameLimit);
  EXPECT_EQ(run.game.settings.MaxCount, defaults.MaxCount);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(ReadText(aside), GetParam().broken);

  ASSERT_EQ(run.Save(&Settings::MaxCount, "MaxCount", 5), registry::Success);
  RegFileStore reader(file);
  EXPECT_EQ(QueryBytes(reader, "MaxCount"), LittleEndian(5));
  EXPECT_EQ(ReadText(aside), GetParam().broken);
}

TEST_P(BrokenSettingsFileTest, ItsNeighbourIsAccepted) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  WriteText(file, GetParam().fine);
  RegFileStore store(file);
  GameOn run(store);
  LoadSettings(run.game);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"settings.reg"});
  EXPECT_EQ(ReadText(file), GetParam().fine);
}

// ---------------------------------------------------------------------------
// Where the file lives and what happens when it cannot be written.

TEST(SettingsFilePlace, MissingDirectoriesAreCreatedAndNoTemporaryStays) {
  TempDir dir;
  const fs::path file = dir.path() / "config" / "zorbulant" / "settings.reg";
  RegFileStore store(file);
  GameOn run(store);
  EXPECT_EQ(run.Save(&Settings::FrameLimit, "FrameLimit", 11), registry::Success);
  EXPECT_EQ(run.Save(&Settings::FrameLimit, "FrameLimit", 12), registry::Success);
  EXPECT_TRUE(ReadText(file).starts_with(std::string(Header) + "\n"));
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    entries.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(entries, std::vector<std::string>{"settings.reg"});
}

TEST(SettingsFilePlace, ALinkedFileIsReplacedBehindItsLink) {
  TempDir dir;
  fs::create_directory(dir.path() / "dotfiles");
  const fs::path target = dir.path() / "dotfiles" / "zorbulant.reg";
  const fs::path link = dir.path() / "settings.reg";
  WriteText(target, std::string(Header) + "\n; mine\n");
  fs::create_symlink(target, link);

  RegFileStore store(link);
  GameOn run(store);
  ASSERT_EQ(run.Save(&Settings::MaxCount, "MaxCount", 7), registry::Success);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(ReadText(target).starts_with(std::string(Header) + "\n; mine\n"));
  RegFileStore reader(target);
  EXPECT_EQ(QueryBytes(reader, "MaxCount"), LittleEndian(7));
}

TEST(SettingsFilePlace, DefaultPathFollowsTheBaseDirectoryRules) {
  const fs::path tail = fs::path("zorbulant") / "settings.reg";
  EXPECT_EQ(DefaultSettingsPath("/xdg/config", "/home/ann"), fs::path("/xdg/config") / tail);
  EXPECT_EQ(DefaultSettingsPath(nullptr, "/home/ann"), fs::path("/home/ann/.config") / tail);
  EXPECT_EQ(DefaultSettingsPath("", "/home/ann"), fs::path("/home/ann/.config") / tail);
  EXPECT_EQ(DefaultSettingsPath("relative/config", "/home/ann"),
            fs::path("/home/ann/.config") / tail);
  EXPECT_EQ(DefaultSettingsPath("/xdg", nullptr), fs::path("/xdg") / tail);
  EXPECT_EQ(DefaultSettingsPath(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(DefaultSettingsPath("relative", ""), std::nullopt);
}

// Checks that saving into `file` is refused: the game's save reports a failure
// and keeps its value in memory, the store's first writing step answers
// AccessDenied, and an existing file keeps its contents.
void ExpectSaveRefused(const fs::path& file, const std::string& contents = {}) {
  RegFileStore store(file);
  GameOn run(store);
  LoadSettings(run.game);
  EXPECT_NE(run.Save(&Settings::FrameLimit, "FrameLimit", 13), registry::Success);
  EXPECT_EQ(run.game.settings.FrameLimit, 13u);

  SettingsStore::Key key = 0;
  int32_t status = store.CreateKey(SettingsKey, key);
  if (status == registry::Success) {
    const uint8_t byte = 1;
    status = store.SetValue(key, "MaxCount", registry::TypeBinary, &byte, 1);
    store.CloseKey(key);
  }
  EXPECT_EQ(status, registry::AccessDenied);
  if (!contents.empty()) {
    EXPECT_EQ(ReadText(file), contents);
  }
}

// Whether this process may create files in a directory its mode forbids
// (root may), in which case permission tests cannot be made.
bool IgnoresPermissions(const fs::path& directory) {
  const fs::path probe = directory / "probe";
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return false;
  close(fd);
  fs::remove(probe);
  return true;
}

TEST(UnwritableSettingsFile, ReadOnlyDirectoryRefusesTheSave) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  const std::string contents = WithGameKey("\"FrameLimit\"=dword:00000009\n");
  WriteText(file, contents);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (IgnoresPermissions(dir.path())) GTEST_SKIP() << "directory permissions are not enforced";
  ExpectSaveRefused(file, contents);
}

TEST(UnwritableSettingsFile, UnreadableFileIsNotReplaced) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  const std::string contents = WithGameKey("\"FrameLimit\"=dword:00000009\n");
  WriteText(file, contents);
  fs::permissions(file, fs::perms::none);
  if (std::ifstream(file).is_open()) GTEST_SKIP() << "file permissions are not enforced";
  // The directory is writable: only the store's care keeps the unseen file.
  ExpectSaveRefused(file);
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_EQ(ReadText(file), contents);
}

TEST(UnwritableSettingsFile, FileInTheWayOfTheDirectoryRefusesTheSave) {
  TempDir dir;
  WriteText(dir.path() / "config", "not a directory");
  ExpectSaveRefused(dir.path() / "config" / "zorbulant" / "settings.reg");
}

TEST(UnwritableSettingsFile, DirectoryInThePlaceOfTheFileRefusesTheSave) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  fs::create_directory(file);
  ExpectSaveRefused(file);
  EXPECT_TRUE(fs::is_directory(file));
}

TEST(UnwritableSettingsFile, AFullDiskRefusesTheSaveAndKeepsTheOldFile) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  const std::string contents = WithGameKey("\"FrameLimit\"=dword:00000009\n");
  WriteText(file, contents);
  // A child whose files may not grow past 16 bytes meets a full disk as soon
  // as it writes the new file; it reports the store's status.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{16, 16};
    signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(100);
    RegFileStore store(file);
    GameOn run(store);
    LoadSettings(run.game);
    _exit(run.Save(&Settings::FrameLimit, "FrameLimit", 13));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), registry::AccessDenied);
  EXPECT_EQ(ReadText(file), contents);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
      << "the half-written new file is removed";
}

// ---------------------------------------------------------------------------
// Several programs and sudden ends.

TEST(SharedSettingsFile, ProgramsSavingInTurnSeeEachOther) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  RegFileStore firstStore(file);
  RegFileStore secondStore(file);
  GameOn first(firstStore);
  GameOn second(secondStore);
  LoadSettings(first.game);
  LoadSettings(second.game);

  ASSERT_EQ(first.Save(&Settings::FrameLimit, "FrameLimit", 15), registry::Success);
  ASSERT_EQ(second.Save(&Settings::MaxCount, "MaxCount", 6), registry::Success);
  ASSERT_EQ(first.Save(&Settings::Amplification, "Amplification", 500), registry::Success);

  for (GameOn* run : {&first, &second}) {
    LoadSettings(run->game);
    EXPECT_EQ(run->game.settings.FrameLimit, 15u);
    EXPECT_EQ(run->game.settings.Amplification, 500u);
    EXPECT_EQ(run->game.settings.MaxCount, 6u);
  }
}

// The writer below saves FrameLimit, Amplification and MaxCount in turn, each
// time with the number of the round: after `saves` completed saves the three
// values are these, and their sum is `saves` again.
std::array<uint32_t, 3> StateAfter(uint32_t saves) {
  return {(saves + 2) / 3, (saves + 1) / 3, saves / 3};
}

constexpr std::array<std::pair<const char*, uint32_t Settings::*>, 3> SavedInTurn = {{
    {"FrameLimit", &Settings::FrameLimit},
    {"Amplification", &Settings::Amplification},
    {"MaxCount", &Settings::MaxCount},
}};

// Runs in the child: saves on from `saves` and reports each completed save by
// a byte on `progress`, until it is killed or has saved long enough.
[[noreturn]] void SaveForever(GameOn& run, uint32_t saves, int progress) {
  for (int left = 5000; left > 0; --left) {
    const uint32_t next = saves + 1;
    const auto& [name, setting] = SavedInTurn[(next - 1) % 3];
    if (run.Save(setting, name, StateAfter(next)[(next - 1) % 3]) != registry::Success) _exit(2);
    saves = next;
    const char done = 1;
    if (write(progress, &done, 1) != 1) _exit(3);
  }
  _exit(0);
}

TEST(KilledSettingsWriter, LeavesTheOldOrTheNewFileWhole) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  const std::string foreign =
      std::string(Header) + "\n; Kept by hand.\n\n[HKEY_CURRENT_USER\\Other]\n\"Keep\"=dword:1\n";
  WriteText(file, foreign);
  RegFileStore store(file);
  GameOn run(store);
  for (const auto& [name, setting] : SavedInTurn) {
    ASSERT_EQ(run.Save(setting, name, 0), registry::Success);
  }

  std::mt19937 random(std::random_device{}());
  uint32_t saves = 0;
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(progress[0]);
      SaveForever(run, saves, progress[1]);
    }
    close(progress[1]);
    // Let the child complete a few saves, then kill it at some moment of the next.
    const int awaited = std::uniform_int_distribution<int>(1, 4)(random);
    char done = 0;
    for (int seen = 0; seen < awaited && read(progress[0], &done, 1) == 1; ++seen) {
    }
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(progress[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself with " << WEXITSTATUS(status);

    const std::string text = ReadText(file);
    const auto parsed = RegFile::Parse(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_TRUE(text.starts_with(foreign)) << text;
    std::array<uint32_t, 3> state{};
    for (size_t i = 0; i < state.size(); ++i) {
      const RegistryValue* value = parsed->Find(GameKey, SavedInTurn[i].first);
      ASSERT_NE(value, nullptr) << text;
      ASSERT_EQ(value->data.size(), 4u);
      state[i] = value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                 uint32_t{value->data[3]} << 24;
    }
    const uint32_t after = state[0] + state[1] + state[2];
    EXPECT_EQ(state, StateAfter(after)) << text;
    EXPECT_GE(after, saves + static_cast<uint32_t>(awaited));
    saves = after;
  }
  EXPECT_FALSE(fs::exists(dir.path() / "settings.reg.bad"));
}

}  // namespace
}  // namespace zorbulant
