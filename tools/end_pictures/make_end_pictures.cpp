// Makes the end pictures the game shows after some missions' "Mission Done".
// Usage: zorbulant-end-pictures OUTPUT_DIR
#include "common/indexed_gif.h"
#include "end_pictures/end_scenes.h"

int main(int argc, char** argv) {
  using namespace zorbulant::tools;
  return WritePicturesTool("zorbulant-end-pictures", argc, argv,
                           {{"lvendaad.gif", TransmissionScene()},
                            {"lvendaaf.gif", ReactorScene()},
                            {"lvendaah.gif", FinaleScene()}});
}
