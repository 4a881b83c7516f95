// Reading files from the game's working directory: what the game used of
// CreateFileA, ReadFile, CloseHandle and FindFirstFileA.
#pragma once

#include <cstdint>

namespace zorbulant {

class FileSystem {
 public:
  using Handle = uint32_t;  // 0 is no file
  virtual ~FileSystem() = default;

  // Opens an existing file for reading. Names are plain file names matched
  // without regard to case; 0 when there is no such file.
  virtual Handle OpenForReading(const char* name) = 0;
  // Reads up to `length` bytes; returns how many were read (0 at the end).
  virtual uint32_t Read(Handle file, void* destination, uint32_t length) = 0;
  virtual void Close(Handle file) = 0;
  // True when a file of that name exists.
  virtual bool Exists(const char* name) = 0;
};

}  // namespace zorbulant
