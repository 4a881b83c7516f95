// Recording a demo.
#include "platform/demo/demo_recorder.h"

#include <algorithm>
#include <cctype>

namespace zorbulant {

DemoRecorder::DemoRecorder(std::string game, std::string backend) {
  demo_.game = std::move(game);
  demo_.backend = std::move(backend);
}

namespace {

SettingsCall Call(SettingsOp op, int32_t result, const char* name, uint32_t key = 0) {
  SettingsCall call;
  call.op = op;
  call.result = result;
  call.key = key;
  call.name = name;
  return call;
}

}  // namespace

void DemoRecorder::Add(DemoEvent event) {
  event.turn = turn_;
  demo_.events.push_back(event);
}

void DemoRecorder::Clock(uint32_t milliseconds) {
  lastClock_ = milliseconds;
  DemoEvent event;
  event.value = milliseconds;
  Add(event);
}

void DemoRecorder::Message(const WindowMessage& message) {
  DemoEvent event;
  event.kind = DemoEventKind::Message;
  event.message = message;
  Add(event);
}

void DemoRecorder::Settings(SettingsCall call) {
  DemoEvent event;
  event.kind = DemoEventKind::Settings;
  event.value = static_cast<uint32_t>(demo_.settingsCalls.size());
  Add(event);
  demo_.settingsCalls.push_back(std::move(call));
}

void DemoRecorder::DataFile(FileSystem& files, const char* name) {
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!seenFiles_.insert(key).second) return;
  demo_.dataFiles.push_back({name, HashDataFile(files, name)});
}

const Demo& DemoRecorder::Finish(std::string finalTrace, uint64_t finalPicture) {
  demo_.lastTurn = turn_;
  demo_.finalTrace = std::move(finalTrace);
  demo_.finalPicture = finalPicture;
  return demo_;
}

bool RecordingWindow::MessageWaiting() {
  recorder_.BeginTurn();
  return inner_.MessageWaiting();
}

bool RecordingWindow::TakeMessage(WindowMessage& message) {
  const bool more = inner_.TakeMessage(message);
  // The quit message comes from the game's own PostQuit, which a replay
  // repeats by itself.
  if (message.id != MessageId::Quit) recorder_.Message(message);
  return more;
}

uint32_t RecordingClock::Milliseconds() {
  const uint32_t now = inner_.Milliseconds();
  recorder_.Clock(now);
  return now;
}

uint32_t RecordingClock::WaitForElapsed(uint32_t since, uint32_t duration) {
  const uint32_t now = inner_.WaitForElapsed(since, duration);
  recorder_.Clock(now);
  return now;
}

int32_t RecordingSettings::CreateKey(const char* subKey, Key& key) {
  const int32_t result = inner_.CreateKey(subKey, key);
  recorder_.Settings(Call(SettingsOp::Create, result, subKey, key));
  return result;
}

int32_t RecordingSettings::OpenKey(const char* subKey, Key& key) {
  const int32_t result = inner_.OpenKey(subKey, key);
  recorder_.Settings(Call(SettingsOp::Open, result, subKey, key));
  return result;
}

int32_t RecordingSettings::SetValue(Key key, const char* name, uint32_t type, const uint8_t* data,
                                    uint32_t size) {
  const int32_t result = inner_.SetValue(key, name, type, data, size);
  recorder_.Settings(Call(SettingsOp::Set, result, name));
  return result;
}

int32_t RecordingSettings::QueryValue(Key key, const char* name, uint8_t* data, uint32_t& size) {
  const uint32_t room = size;
  const int32_t result = inner_.QueryValue(key, name, data, size);
  SettingsCall call = Call(SettingsOp::Query, result, name);
  call.size = size;
  if (result == registry::Success && data != nullptr) {
    call.data.assign(data, data + std::min(size, room));
  }
  recorder_.Settings(std::move(call));
  return result;
}

int32_t RecordingSettings::CloseKey(Key key) {
  const int32_t result = inner_.CloseKey(key);
  recorder_.Settings(Call(SettingsOp::Close, result, ""));
  return result;
}

FileSystem::Handle RecordingFiles::OpenForReading(const char* name) {
  recorder_.DataFile(inner_, name);
  return inner_.OpenForReading(name);
}

bool RecordingFiles::Exists(const char* name) {
  recorder_.DataFile(inner_, name);
  return inner_.Exists(name);
}

}  // namespace zorbulant
