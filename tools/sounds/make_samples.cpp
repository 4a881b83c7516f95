// Renders one sound recipe into a sample file, ".ulw" or ".wav" by the
// output's name. Usage: zorbulant-samples RECIPE.txt OUTPUT
#include <cstdio>
#include <string>

#include "sounds/byte_file.h"
#include "sounds/sample_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zorbulant-samples RECIPE.txt OUTPUT.ulw|OUTPUT.wav\n");
    return 2;
  }
  std::string text;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!zorbulant::tools::ReadTextFile(argv[1], text, error) ||
      !zorbulant::tools::MakeSampleFile(text, argv[2], bytes, error) ||
      !zorbulant::tools::WriteByteFile(argv[2], bytes, error)) {
    std::fprintf(stderr, "zorbulant-samples: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  return 0;
}
