// Level file words and the writer of level files.
#include "world/level_file.h"

#include <algorithm>

namespace zorbulant {

namespace {

void PutWord(std::vector<uint8_t>& bytes, uint32_t offset, uint32_t value) {
  StoreWord(bytes.data() + offset, value);
}

void PutText(std::vector<uint8_t>& bytes, uint32_t offset, const std::string& text,
             uint32_t length) {
  std::copy_n(text.begin(), std::min<size_t>(text.size(), length), bytes.begin() + offset);
}

}  // namespace

uint32_t LevelWord(const WorkBlock& work, uint32_t offset) {
  return LoadWord(work.at(regions::LevelHeader) + offset);
}

std::vector<uint8_t> LevelFileImage::Bytes() const {
  using namespace levelfile;
  const size_t records = std::min<size_t>(objects.size(), MaxObjectRecords - 1);
  std::vector<uint8_t> bytes(FirstObject + (records + 1) * ObjectSize, 0);
  PutText(bytes, MissionTitle, missionTitle, MissionTitleLength);
  PutText(bytes, MusicName, musicName, MusicNameLength);
  PutWord(bytes, HeroStartX, heroStartX);
  PutWord(bytes, HeroStartY, heroStartY);
  PutWord(bytes, LevelWidth, levelWidth);
  PutWord(bytes, LevelHeight, levelHeight);
  PutWord(bytes, ExitX, exitX);
  PutWord(bytes, ExitY, exitY);
  PutWord(bytes, ExitWidth, exitWidth);
  PutWord(bytes, ExitHeight, exitHeight);
  for (size_t k = 0; k < records; ++k) {
    for (uint32_t word = 0; word < 32; ++word) {
      PutWord(bytes, static_cast<uint32_t>(FirstObject + k * ObjectSize + 4 * word),
              objects[k][word]);
    }
  }
  PutWord(bytes, static_cast<uint32_t>(FirstObject + records * ObjectSize), EndOfObjects);
  return bytes;
}

}  // namespace zorbulant
