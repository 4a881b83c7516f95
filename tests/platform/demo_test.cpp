// Demo files and their replay: the text survives a round trip with awkward
// names, damaged or newer files are refused with the line at fault, and a
// replay notices the first turn where the game asks for something else than
// the recording holds.
#include "platform/demo/demo.h"

#include <gtest/gtest.h>

#include "platform/demo/demo_player.h"
#include "platform/demo/demo_recorder.h"
#include "platform/settings/memory_settings_store.h"
#include "support/memory_files.h"

namespace zorbulant {
namespace {

// A clock that counts up by 14 ms per reading.
class SteppingClock final : public Clock {
 public:
  uint32_t Milliseconds() override { return now_ += 14; }
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override {
    now_ = std::max(now_, since + duration);
    return now_;
  }

 private:
  uint32_t now_ = 0;
};

// A window whose queue the test fills; turns begin as the main loop asks.
class QueueWindow final : public Window {
 public:
  std::vector<WindowMessage> queue;
  uint32_t CreateMainWindow(WindowProcedure&) override { return 1; }
  int32_t ShowCursor(bool) override { return 0; }
  bool MessageWaiting() override { return !queue.empty(); }
  bool TakeMessage(WindowMessage& message) override {
    if (queue.empty()) return false;
    message = queue.front();
    queue.erase(queue.begin());
    return message.id != MessageId::Quit;
  }
  uint32_t Dispatch(const WindowMessage&) override { return 0; }
  uint32_t DefaultHandling(const WindowMessage&) override { return 0; }
  void PostQuit(int32_t) override { queue.push_back({MessageId::Quit, 0, 0}); }
  void DestroyMainWindow() override {}
  void SetFocus() override {}
  TextDevice* GetWindowTextContext() override { return nullptr; }
  void ReleaseWindowTextContext(TextDevice*) override {}
};

// Two turns of a session: settings read at start, a key and clock readings.
Demo RecordedSession() {
  DemoRecorder recorder("0.1.0", "sdl");
  QueueWindow window;
  SteppingClock clock;
  MemorySettingsStore store;
  testing::MemoryFiles files;
  files.Add("menu back.gif", {1, 2, 3});
  RecordingWindow recordingWindow(window, recorder);
  RecordingClock recordingClock(clock, recorder);
  RecordingSettings settings(store, recorder);
  RecordingFiles recordingFiles(files, recorder);

  SettingsStore::Key key = 0;
  settings.CreateKey("SOFTWARE\\Quill marsh", key);
  const uint8_t three[4] = {3, 0, 0, 0};
  settings.SetValue(key, "MaxCount", registry::TypeDword, three, 4);
  uint8_t data[4] = {};
  uint32_t size = 4;
  settings.QueryValue(key, "MaxCount", data, size);
  settings.CloseKey(key);
  recordingFiles.Exists("MENU BACK.gif");
  recordingFiles.Close(recordingFiles.OpenForReading("menu back.gif"));
  recordingFiles.Exists("absent,%.gif");

  window.queue.push_back({MessageId::KeyDown, 0, 0x1D0001});
  WindowMessage message;
  recordingWindow.MessageWaiting();
  recordingWindow.TakeMessage(message);
  recordingClock.Milliseconds();
  recordingWindow.MessageWaiting();
  recordingClock.WaitForElapsed(14, 100);
  recordingWindow.PostQuit(0);
  recordingWindow.TakeMessage(message);
  return recorder.Finish("{\"turn\":2}", 0xFEDCBA9876543210ull);
}

TEST(DemoFile, ARecordedSessionSurvivesTheRoundTrip) {
  const Demo demo = RecordedSession();
  // Each name once, whatever its case; the quit message is the game's own.
  ASSERT_EQ(demo.dataFiles.size(), 2u);
  EXPECT_EQ(demo.dataFiles[1].hash, std::nullopt);
  ASSERT_EQ(demo.events.size(), 7u);
  EXPECT_EQ(demo.events.back().value, 114u);

  const std::string text = FormatDemo(demo);
  DemoError error;
  const std::optional<Demo> read = ParseDemo(text, error);
  ASSERT_TRUE(read) << error.line << ": " << error.message << "\n" << text;
  EXPECT_EQ(FormatDemo(*read), text);
  EXPECT_EQ(read->dataFiles[0].name, "MENU BACK.gif");
  EXPECT_EQ(read->dataFiles[1].name, "absent,%.gif");
  EXPECT_EQ(read->settingsCalls[0].name, "SOFTWARE\\Quill marsh");
  EXPECT_EQ(read->settingsCalls[2].data, (std::vector<uint8_t>{3, 0, 0, 0}));
  EXPECT_EQ(read->events[4].message.lParam, 0x1D0001u);
  EXPECT_EQ(read->finalTrace, "{\"turn\":2}");
  EXPECT_EQ(read->finalPicture, 0xFEDCBA9876543210ull);
  EXPECT_EQ(read->lastTurn, 2u);
}

TEST(DemoFile, DamagedAndNewerFilesAreRefusedWithTheLineAtFault) {
  const std::string good = FormatDemo(RecordedSession());
  struct Case {
    std::string text;
    size_t line;
    std::string says;
  };
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const Case cases[] = {
      {"", 0, "not a Zorbulant demo"},
      {"P6 320 200\n", 1, "not a Zorbulant demo"},
      {replaced("zorbulant-demo 1", "zorbulant-demo 2"), 1, "newer than this game reads"},
      {replaced("\n1 ", "\n3 "), 8, "out of order"},
      {replaced("c14", "x14"), 7, "\"x14\" is not an event"},
      {replaced("c14", "c-14"), 7, "not an event"},
      {replaced("m100,0,1d0001", "m100,0"), 7, "not an event"},
      {replaced("squery,0,4,03000000", "squery,0,4,030"), 6, "not an event"},
      {replaced("sset,0,MaxCount", "sflip,0,MaxCount"), 6, "not an event"},
      {replaced("absent%2C%25.gif", "absent%2"), 5, "escaped"},
      {good.substr(0, good.find("\nend ") + 1), 9, "ends early"},
      {replaced("end 2", "end 1"), 9, "before the last turn"},
      {good + "2 c1\n", 12, "nothing may follow the end"},
  };
  for (const Case& c : cases) {
    DemoError error;
    EXPECT_FALSE(ParseDemo(c.text, error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
  }
}

TEST(DemoFile, DataMismatchNamesTheFirstFileThatDiffers) {
  const Demo demo = RecordedSession();
  testing::MemoryFiles files;
  files.Add("menu back.gif", {1, 2, 3});
  EXPECT_EQ(DataMismatch(demo, files), std::nullopt);
  files.Add("Absent,%.gif", {});
  EXPECT_EQ(DataMismatch(demo, files), "absent,%.gif was not there when the demo was recorded");
  files.Remove("absent,%.gif");
  files.Add("menu back.gif", {1, 2, 4});
  EXPECT_EQ(DataMismatch(demo, files), "MENU BACK.gif differs");
  files.Remove("menu back.gif");
  EXPECT_EQ(DataMismatch(demo, files), "MENU BACK.gif is missing");
}

TEST(DemoPlayback, GivesBackWhatTheRecordingTookTurnByTurn) {
  const Demo demo = RecordedSession();
  DemoPlayback playback(demo);
  QueueWindow backend;
  ReplayWindow window(backend, playback);
  ReplayClock clock(playback);
  ReplaySettings settings(playback);

  SettingsStore::Key key = 0;
  EXPECT_EQ(settings.CreateKey("software\\quill marsh", key), registry::Success);
  EXPECT_EQ(settings.SetValue(key, "MaxCount", registry::TypeDword, nullptr, 4), 0);
  // A query never writes more than the room the game gives.
  uint8_t data[4] = {9, 9, 9, 9};
  uint32_t size = 2;
  EXPECT_EQ(settings.QueryValue(key, "maxcount", data, size), registry::MoreData);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(data[0], 9);
  EXPECT_EQ(settings.CloseKey(key), 0);

  WindowMessage message;
  ASSERT_TRUE(window.MessageWaiting());
  ASSERT_TRUE(window.TakeMessage(message));
  EXPECT_EQ(message.lParam, 0x1D0001u);
  EXPECT_EQ(clock.Milliseconds(), 14u);
  EXPECT_FALSE(window.MessageWaiting());
  EXPECT_EQ(clock.WaitForElapsed(0, 0), 114u);
  EXPECT_TRUE(playback.CheckEnd(true, true));
  // After the recording's last turn the replay closes the window itself.
  ASSERT_TRUE(window.MessageWaiting());
  ASSERT_TRUE(window.TakeMessage(message));
  EXPECT_EQ(message.id, MessageId::Close);
  EXPECT_FALSE(window.TakeMessage(message));
}

// Replays the recorded session's settings calls, as the game does at start.
void StartUp(DemoPlayback& playback) {
  ReplaySettings settings(playback);
  SettingsStore::Key key = 0;
  uint8_t data[4] = {};
  uint32_t size = 4;
  settings.CreateKey("SOFTWARE\\Quill marsh", key);
  settings.SetValue(key, "MaxCount", registry::TypeDword, data, 4);
  settings.QueryValue(key, "MaxCount", data, size);
  settings.CloseKey(key);
}

TEST(DemoPlayback, NotesTheFirstTurnWhereTheReplayGoesItsOwnWay) {
  const Demo demo = RecordedSession();
  {
    SettingsStore::Key key = 0;
    // Another settings call than the recording's.
    DemoPlayback playback(demo);
    ReplaySettings settings(playback);
    EXPECT_EQ(settings.OpenKey("SOFTWARE\\Quill marsh", key), registry::FileNotFound);
    EXPECT_EQ(playback.Divergence(),
              "turn 0: the replay made another settings call than the "
              "recording (\"SOFTWARE\\Quill marsh\")");
  }
  {
    // A turn that reads the clock once less than the recording did.
    DemoPlayback playback(demo);
    StartUp(playback);
    playback.BeginTurn();
    EXPECT_TRUE(playback.TakeMessage());
    EXPECT_EQ(playback.Divergence(), std::nullopt);
    playback.BeginTurn();
    EXPECT_EQ(playback.Divergence(),
              "turn 2: the recording had a clock reading the replay never asked for");
    // The clock goes on from the recording, and the first place is kept.
    EXPECT_EQ(playback.NextClock(), 114u);
    EXPECT_FALSE(playback.CheckEnd(true, true));
    EXPECT_EQ(playback.Divergence()->substr(0, 7), "turn 2:");
  }
  {
    // The clock read where the recording took a message; then a wrong end.
    DemoPlayback playback(demo);
    StartUp(playback);
    playback.BeginTurn();
    EXPECT_EQ(playback.NextClock(), 0u);
    EXPECT_EQ(playback.Divergence(),
              "turn 1: the replay asked for a clock reading where the recording had a message");
  }
  {
    DemoPlayback playback(demo);
    StartUp(playback);
    playback.BeginTurn();
    playback.TakeMessage();
    playback.NextClock();
    playback.BeginTurn();
    playback.NextClock();
    EXPECT_FALSE(playback.CheckEnd(true, false));
    EXPECT_EQ(playback.Divergence(), "turn 2: the last picture differs from the recording's");
  }
}

}  // namespace
}  // namespace zorbulant
