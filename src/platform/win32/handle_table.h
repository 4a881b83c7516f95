// Stands 32-bit handles in for the system's pointer-sized ones: the game's
// interfaces keep the 32-bit handles it was written with, and on 64-bit
// Windows a font or registry key handle does not fit in them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace zorbulant {

template <typename Native>
class HandleTable {
 public:
  // A new handle for `native`; never 0.
  uint32_t Add(Native native) {
    // Handles are not reused soon after removal, so a stale one is refused
    // instead of reaching whatever was added next.
    do {
      ++last_;
    } while (last_ == 0 || entries_.contains(last_));
    entries_.emplace(last_, native);
    return last_;
  }

  // What `handle` stands for, or nothing when it is not in the table.
  std::optional<Native> Find(uint32_t handle) const {
    const auto found = entries_.find(handle);
    if (found == entries_.end()) return std::nullopt;
    return found->second;
  }

  // Takes `handle` out of the table and returns what it stood for.
  std::optional<Native> Remove(uint32_t handle) {
    const auto found = entries_.find(handle);
    if (found == entries_.end()) return std::nullopt;
    const Native native = found->second;
    entries_.erase(found);
    return native;
  }

  // Hands every entry to `release` and empties the table.
  template <typename Release>
  void Clear(Release release) {
    for (const auto& [handle, native] : entries_) release(native);
    entries_.clear();
  }

 private:
  std::map<uint32_t, Native> entries_;
  uint32_t last_ = 0;
};

}  // namespace zorbulant
