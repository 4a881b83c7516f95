#include "platform/settings/key_handles.h"

#include <utility>

namespace zorbulant {

SettingsStore::Key KeyHandles::Open(std::string path) {
  // Handles are not reused soon after closing, so a stale one is refused
  // instead of reaching whatever key was opened next.
  do {
    ++last_;
  } while (last_ == 0 || open_.contains(last_));
  open_.emplace(last_, std::move(path));
  return last_;
}

const std::string* KeyHandles::Path(SettingsStore::Key key) const {
  const auto found = open_.find(key);
  return found == open_.end() ? nullptr : &found->second;
}

bool KeyHandles::Close(SettingsStore::Key key) { return open_.erase(key) == 1; }

}  // namespace zorbulant
