// Playing a demo back.
#include "platform/demo/demo_player.h"

#include <algorithm>
#include <cstring>

#include "platform/settings/registry_value.h"

namespace zorbulant {

namespace {

const char* KindName(DemoEventKind kind) {
  switch (kind) {
    case DemoEventKind::Clock:
      return "a clock reading";
    case DemoEventKind::Message:
      return "a message";
    case DemoEventKind::Settings:
      return "a settings call";
  }
  return "";
}

}  // namespace

void DemoPlayback::Diverge(const std::string& what) {
  if (!divergence_) divergence_ = "turn " + std::to_string(turn_) + ": " + what;
}

void DemoPlayback::BeginTurn() {
  ++turn_;
  if (next_ < demo_.events.size() && demo_.events[next_].turn < turn_) {
    Diverge(std::string("the recording had ") + KindName(demo_.events[next_].kind) +
            " the replay never asked for");
    while (next_ < demo_.events.size() && demo_.events[next_].turn < turn_) ++next_;
  }
}

const DemoEvent* DemoPlayback::Next(DemoEventKind kind) {
  if (next_ >= demo_.events.size() || demo_.events[next_].turn != turn_) {
    Diverge(std::string("the replay asked for ") + KindName(kind) + " the recording did not have");
    return nullptr;
  }
  const DemoEvent& event = demo_.events[next_];
  if (event.kind != kind) {
    Diverge(std::string("the replay asked for ") + KindName(kind) + " where the recording had " +
            KindName(event.kind));
    return nullptr;
  }
  ++next_;
  return &event;
}

bool DemoPlayback::MessageDue() {
  return next_ < demo_.events.size() && demo_.events[next_].turn == turn_ &&
         demo_.events[next_].kind == DemoEventKind::Message;
}

std::optional<WindowMessage> DemoPlayback::TakeMessage() {
  if (!MessageDue()) return std::nullopt;
  return demo_.events[next_++].message;
}

uint32_t DemoPlayback::NextClock() {
  if (const DemoEvent* event = Next(DemoEventKind::Clock)) lastClock_ = event->value;
  return lastClock_;
}

const SettingsCall* DemoPlayback::NextSettings(SettingsOp op, const char* name) {
  const DemoEvent* event = Next(DemoEventKind::Settings);
  if (event == nullptr) return nullptr;
  const SettingsCall& call = demo_.settingsCalls[event->value];
  if (call.op != op || !SameRegistryName(call.name, name)) {
    Diverge("the replay made another settings call than the recording (\"" + call.name + "\")");
    return nullptr;
  }
  return &call;
}

bool DemoPlayback::CheckEnd(bool sameState, bool samePicture) {
  if (next_ < demo_.events.size()) {
    Diverge("the replay ended before the recording's turn " + std::to_string(demo_.lastTurn));
  } else if (!sameState) {
    Diverge("the game's state at the end differs from the recording's");
  } else if (!samePicture) {
    Diverge("the last picture differs from the recording's");
  }
  return !divergence_;
}

bool ReplayWindow::MessageWaiting() {
  playback_.BeginTurn();
  if (inner_.MessageWaiting()) {
    WindowMessage message;
    if (inner_.TakeMessage(message) && message.id == MessageId::Close && !closePosted_) {
      queue_.push_back(message);
      closePosted_ = true;
    }
  }
  if (playback_.Over() && !closePosted_) {
    queue_.push_back({MessageId::Close, 0, 0});
    closePosted_ = true;
  }
  return playback_.MessageDue() || !queue_.empty();
}

bool ReplayWindow::TakeMessage(WindowMessage& message) {
  if (const std::optional<WindowMessage> recorded = playback_.TakeMessage()) {
    message = *recorded;
    return true;
  }
  if (queue_.empty()) {
    // Nothing more will come: end as a closed window would.
    message = {MessageId::Quit, 0, 0};
    return false;
  }
  message = queue_.front();
  queue_.pop_front();
  return message.id != MessageId::Quit;
}

void ReplayWindow::PostQuit(int32_t exitCode) {
  queue_.push_back({MessageId::Quit, static_cast<uint32_t>(exitCode), 0});
}

int32_t ReplaySettings::CreateKey(const char* subKey, Key& key) {
  const SettingsCall* call = playback_.NextSettings(SettingsOp::Create, subKey);
  if (call == nullptr) return registry::AccessDenied;
  key = call->key;
  return call->result;
}

int32_t ReplaySettings::OpenKey(const char* subKey, Key& key) {
  const SettingsCall* call = playback_.NextSettings(SettingsOp::Open, subKey);
  if (call == nullptr) return registry::FileNotFound;
  key = call->key;
  return call->result;
}

int32_t ReplaySettings::SetValue(Key, const char* name, uint32_t, const uint8_t*, uint32_t) {
  const SettingsCall* call = playback_.NextSettings(SettingsOp::Set, name);
  return call == nullptr ? registry::AccessDenied : call->result;
}

int32_t ReplaySettings::QueryValue(Key, const char* name, uint8_t* data, uint32_t& size) {
  const SettingsCall* call = playback_.NextSettings(SettingsOp::Query, name);
  if (call == nullptr) return registry::FileNotFound;
  // Never more than the caller's room, whatever the file says.
  if (call->result == registry::Success && call->size > size) {
    size = call->size;
    return registry::MoreData;
  }
  if (data != nullptr && !call->data.empty()) {
    std::memcpy(data, call->data.data(), std::min<size_t>(call->data.size(), size));
  }
  size = call->size;
  return call->result;
}

int32_t ReplaySettings::CloseKey(Key) {
  const SettingsCall* call = playback_.NextSettings(SettingsOp::Close, "");
  return call == nullptr ? registry::InvalidHandle : call->result;
}

}  // namespace zorbulant
