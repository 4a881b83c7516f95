// Makes the end pictures the game shows after some missions' "Mission Done".
// Usage: zorbulant-end-pictures OUTPUT_DIR
#include <cstdio>
#include <string>

#include "common/indexed_gif.h"
#include "end_pictures/end_scenes.h"

using zorbulant::tools::IndexedPicture;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorbulant-end-pictures OUTPUT_DIR\n");
    return 2;
  }
  const std::string directory = argv[1];
  const struct {
    const char* name;
    IndexedPicture picture;
  } pictures[] = {
      {"lvendaad.gif", zorbulant::tools::TransmissionScene()},
      {"lvendaaf.gif", zorbulant::tools::ReactorScene()},
      {"lvendaah.gif", zorbulant::tools::FinaleScene()},
  };
  for (const auto& [name, picture] : pictures) {
    std::string error;
    if (!zorbulant::tools::WriteIndexedGif(directory + "/" + name, picture, error)) {
      std::fprintf(stderr, "zorbulant-end-pictures: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
