// Compiles one song source into a ProTracker module.
// Usage: zorbulant-module SONG.txt OUTPUT.mod
#include <cstdio>
#include <string>

#include "sounds/byte_file.h"
#include "sounds/song_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zorbulant-module SONG.txt OUTPUT.mod\n");
    return 2;
  }
  std::string text;
  zorbulant::tools::Module module;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!zorbulant::tools::ReadTextFile(argv[1], text, error) ||
      !zorbulant::tools::CompileSong(text, module, error) ||
      !zorbulant::tools::EncodeModule(module, bytes, error) ||
      !zorbulant::tools::WriteByteFile(argv[2], bytes, error)) {
    std::fprintf(stderr, "zorbulant-module: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}
