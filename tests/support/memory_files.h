// Game files held in memory, for tests that make their own files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zorbulant::testing {

class MemoryFiles final : public FileSystem {
 public:
  void Add(const std::string& name, std::vector<uint8_t> bytes) { files_[Lower(name)] = bytes; }
  void Remove(const std::string& name) { files_.erase(Lower(name)); }

  Handle OpenForReading(const char* name) override;
  uint32_t Read(Handle file, void* destination, uint32_t length) override;
  void Close(Handle file) override;
  bool Exists(const char* name) override { return files_.count(Lower(name)) != 0; }

  size_t OpenCount() const;

 private:
  static std::string Lower(std::string name);
  struct OpenFile {
    const std::vector<uint8_t>* bytes = nullptr;
    size_t position = 0;
  };
  std::map<std::string, std::vector<uint8_t>> files_;
  std::vector<OpenFile> open_;
};

}  // namespace zorbulant::testing
