// Recording a demo: stand-ins for the window, the clock, the settings store and
// the files that pass every call on to the backend's own and note what came
// back. A turn begins each time the main loop asks whether a message waits.
#pragma once

#include <set>
#include <string>

#include "platform/clock.h"
#include "platform/demo/demo.h"
#include "platform/demo/window_wrapper.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

namespace zorbulant {

class DemoRecorder {
 public:
  DemoRecorder(std::string game, std::string backend);

  void BeginTurn() { ++turn_; }
  uint32_t Turn() const { return turn_; }
  void Clock(uint32_t milliseconds);
  void Message(const WindowMessage& message);
  void Settings(SettingsCall call);
  // Notes a data file the first time the game looks at it.
  void DataFile(FileSystem& files, const char* name);
  // The last clock reading, which is the game's idea of now.
  uint32_t LastClock() const { return lastClock_; }

  // Closes the demo with the state and picture the session ended with.
  const Demo& Finish(std::string finalTrace, uint64_t finalPicture);

 private:
  void Add(DemoEvent event);

  Demo demo_;
  uint32_t turn_ = 0;
  uint32_t lastClock_ = 0;
  std::set<std::string> seenFiles_;  // lower case: file names ignore case
};

class RecordingWindow final : public WindowWrapper {
 public:
  RecordingWindow(Window& inner, DemoRecorder& recorder)
      : WindowWrapper(inner), recorder_(recorder) {}

  bool MessageWaiting() override;
  bool TakeMessage(WindowMessage& message) override;

 private:
  DemoRecorder& recorder_;
};

class RecordingClock final : public Clock {
 public:
  RecordingClock(Clock& inner, DemoRecorder& recorder) : inner_(inner), recorder_(recorder) {}
  uint32_t Milliseconds() override;
  uint32_t WaitForElapsed(uint32_t since, uint32_t duration) override;

 private:
  Clock& inner_;
  DemoRecorder& recorder_;
};

class RecordingSettings final : public SettingsStore {
 public:
  RecordingSettings(SettingsStore& inner, DemoRecorder& recorder)
      : inner_(inner), recorder_(recorder) {}
  int32_t CreateKey(const char* subKey, Key& key) override;
  int32_t OpenKey(const char* subKey, Key& key) override;
  int32_t SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) override;
  int32_t QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) override;
  int32_t CloseKey(Key key) override;

 private:
  SettingsStore& inner_;
  DemoRecorder& recorder_;
};

class RecordingFiles final : public FileSystem {
 public:
  RecordingFiles(FileSystem& inner, DemoRecorder& recorder) : inner_(inner), recorder_(recorder) {}
  Handle OpenForReading(const char* name) override;
  uint32_t Read(Handle file, void* destination, uint32_t length) override {
    return inner_.Read(file, destination, length);
  }
  void Close(Handle file) override { inner_.Close(file); }
  bool Exists(const char* name) override;

 private:
  FileSystem& inner_;
  DemoRecorder& recorder_;
};

}  // namespace zorbulant
