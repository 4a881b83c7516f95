// The one 8 MB block that holds every picture, every table of moving things and
// the current level file, each at a fixed offset. Level files address parts of
// it by offset, so the map below is part of the file format.
//
//   0x000000 +----------------------+
//            | TopMargin            |  drawing above the scene's row 0 lands here
//   0x014000 +----------------------+
//            | SceneBuffer          |  1280 x 1024, the composed scene; GIF scratch
//   0x154000 +----------------------+
//            | LevelPicture         |  1280 x 819, scenery and collision map
//   0x254000 +----------------------+
//            | HeroSheet            |  MAINCHAR.gif, linear sprite frames
//   0x268567 | LevelGraphics        |  the level's own sprites, right behind it
//   0x26AD67 | GoButtonPicture      |  80 x 64
//   0x26D567 | ConfigButtonPicture  |  32 x 64
//   0x26FD67 | ExitButtonPicture    |  85 x 64
//   0x272567 | spare word           |  cleared with the shot tables
//   0x27256B | EnemyShotTable       |  8 x 20 bytes
//   0x27260B | HeroShotTable        |  6 x 20 bytes
//   0x272687 | LevelHeader          |  the level data file, 4,132 bytes read
//   0x2736BF | CarriedItemA         |  one level object record
//   0x27373F | CarriedItemB         |  one level object record
//   0x2737BF | MenuBackground       |  320 x 200
//   0x2831BF +----------------------+
//            | (free)               |
//   0x700000 +----------------------+
//            | GifInputBuffer       |  the GIF decoder's input
//   0x800000 +----------------------+
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorbulant {

struct Region {
  uint32_t offset;
  uint32_t size;
  constexpr uint32_t end() const { return offset + size; }
};

namespace regions {
inline constexpr uint32_t WorkBlockSize = 8'388'608;

inline constexpr Region TopMargin{0, 81'920};
inline constexpr Region SceneBuffer{81'920, 1'310'720};
inline constexpr Region LevelPicture{1'392'640, 1'048'576};
inline constexpr Region HeroSheet{2'441'216, 83'303};
inline constexpr Region LevelGraphics{2'524'519, 10'240};
inline constexpr Region GoButtonPicture{2'534'759, 10'240};
inline constexpr Region ConfigButtonPicture{2'544'999, 10'240};
inline constexpr Region ExitButtonPicture{2'555'239, 10'240};
inline constexpr Region SpareWord{2'565'479, 4};
inline constexpr Region EnemyShotTable{2'565'483, 160};
inline constexpr Region HeroShotTable{2'565'643, 120};
inline constexpr Region LevelHeader{2'565'767, 4'152};
inline constexpr Region CarriedItemA{2'569'919, 128};
inline constexpr Region CarriedItemB{2'570'047, 128};
inline constexpr Region MenuBackground{2'570'175, 64'000};
inline constexpr Region Free{2'634'175, 4'705'857};
inline constexpr Region GifInputBuffer{7'340'032, 1'048'576};

// Row length of the scene and the level picture, so level pixel (x, y) is byte
// 1280 * y + x in both.
inline constexpr uint32_t SceneRowLength = 1280;
// Whole rows of the level picture that fit its region.
inline constexpr uint32_t LevelPictureRows = LevelPicture.size / SceneRowLength;
static_assert(LevelPictureRows == 819);
// How much of the level data file is read into the LevelHeader region.
inline constexpr uint32_t LevelFileLength = 4'132;
// Cleared at every level start: the spare word and both shot tables.
inline constexpr Region ShotTables{SpareWord.offset, HeroShotTable.end() - SpareWord.offset};

static_assert(SceneBuffer.offset == 0x14000 && TopMargin.end() == SceneBuffer.offset);
static_assert(LevelPicture.offset == 0x154000 && SceneBuffer.end() == LevelPicture.offset);
static_assert(HeroSheet.offset == 0x254000);
static_assert(HeroSheet.end() == LevelGraphics.offset && LevelGraphics.offset == 0x268567);
static_assert(GoButtonPicture.offset == 0x26AD67 && LevelGraphics.end() == GoButtonPicture.offset);
static_assert(ConfigButtonPicture.offset == 0x26D567);
static_assert(ExitButtonPicture.offset == 0x26FD67);
static_assert(SpareWord.offset == 0x272567 && ExitButtonPicture.end() == SpareWord.offset);
static_assert(EnemyShotTable.offset == 0x27256B && SpareWord.end() == EnemyShotTable.offset);
static_assert(HeroShotTable.offset == 0x27260B && EnemyShotTable.end() == HeroShotTable.offset);
static_assert(HeroShotTable.end() == 2'565'763 && LevelHeader.offset == HeroShotTable.end() + 4);
static_assert(LevelHeader.offset == 0x272687);
static_assert(CarriedItemA.offset == 0x2736BF && LevelHeader.end() == CarriedItemA.offset);
static_assert(CarriedItemB.offset == 0x27373F && CarriedItemA.end() == CarriedItemB.offset);
static_assert(MenuBackground.offset == 0x2737BF && CarriedItemB.end() == MenuBackground.offset);
static_assert(Free.offset == 0x2831BF && MenuBackground.end() == Free.offset);
static_assert(GifInputBuffer.offset == 0x700000 && Free.end() == GifInputBuffer.offset);
static_assert(GifInputBuffer.end() == WorkBlockSize);
static_assert(ShotTables.size == 284);
static_assert(LevelFileLength == 0x1024 && LevelFileLength <= LevelHeader.size);
}  // namespace regions

// The game's files and tables hold 32-bit little-endian words, at offsets that
// need not be aligned.
inline uint32_t LoadWord(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

inline void StoreWord(uint8_t* bytes, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The block itself. It is empty until Allocate, which start-up calls once; it
// is never freed or resized while the game runs.
class WorkBlock {
 public:
  // Returns false when the memory cannot be had.
  bool Allocate();
  bool Allocated() const { return bytes_ != nullptr; }

  uint8_t* data() { return bytes_.get(); }
  const uint8_t* data() const { return bytes_.get(); }
  uint8_t* at(const Region& region) { return bytes_.get() + region.offset; }
  const uint8_t* at(const Region& region) const { return bytes_.get() + region.offset; }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
};

}  // namespace zorbulant
