#include "support/memory_files.h"

#include <algorithm>
#include <cstring>

namespace zorbulant::testing {

std::string MemoryFiles::Lower(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

FileSystem::Handle MemoryFiles::OpenForReading(const char* name) {
  const auto found = files_.find(Lower(name));
  if (found == files_.end()) return 0;
  open_.push_back({&found->second, 0});
  return static_cast<Handle>(open_.size());
}

uint32_t MemoryFiles::Read(Handle file, void* destination, uint32_t length) {
  if (file == 0 || file > open_.size() || open_[file - 1].bytes == nullptr) return 0;
  OpenFile& open = open_[file - 1];
  const size_t count = std::min<size_t>(length, open.bytes->size() - open.position);
  if (count != 0) std::memcpy(destination, open.bytes->data() + open.position, count);
  open.position += count;
  return static_cast<uint32_t>(count);
}

void MemoryFiles::Close(Handle file) {
  if (file != 0 && file <= open_.size()) open_[file - 1].bytes = nullptr;
}

size_t MemoryFiles::OpenCount() const {
  return static_cast<size_t>(std::count_if(open_.begin(), open_.end(),
                                           [](const OpenFile& f) { return f.bytes != nullptr; }));
}

}  // namespace zorbulant::testing
