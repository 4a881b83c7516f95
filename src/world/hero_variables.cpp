// Words of the hero variable block by byte offset.
#include "world/hero_variables.h"

#include <cstring>

namespace zorbulant {

bool HeroWordInside(uint32_t offset) { return offset <= sizeof(HeroVariables) - 4; }

uint32_t GetHeroWord(const HeroVariables& hero, uint32_t offset) {
  uint32_t value = 0;
  if (HeroWordInside(offset)) {
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&hero) + offset, 4);
  }
  return value;
}

void SetHeroWord(HeroVariables& hero, uint32_t offset, uint32_t value) {
  if (HeroWordInside(offset)) {
    std::memcpy(reinterpret_cast<unsigned char*>(&hero) + offset, &value, 4);
  }
}

}  // namespace zorbulant
