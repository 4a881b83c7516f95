// Switch actions on the object list.
#include "world/level_object.h"

namespace zorbulant {

namespace {

uint8_t* ObjectListWord(WorkBlock& work, uint32_t offset) {
  if (offset > ObjectListSize - 4) return nullptr;
  return work.at(regions::LevelHeader) + levelfile::FirstObject + offset;
}

}  // namespace

void SetObjectListWord(WorkBlock& work, uint32_t offset, uint32_t value) {
  if (uint8_t* word = ObjectListWord(work, offset)) StoreWord(word, value);
}

void AddObjectListWord(WorkBlock& work, uint32_t offset, uint32_t amount) {
  if (uint8_t* word = ObjectListWord(work, offset)) StoreWord(word, LoadWord(word) + amount);
}

}  // namespace zorbulant
