// Checking a level, problem by problem, each with its place.
#include "levelc/level_lint.h"

#include <algorithm>

#include "levelc/hero_reach.h"
#include "levelc/level_picture.h"
#include "levelc/level_sprites.h"
#include "world/level_object.h"

namespace zorbulant::tools {

namespace {

constexpr uint32_t MinLevelWidth = 320;  // the view is never wider than the level
constexpr uint32_t MinLevelHeight = 200;
constexpr uint32_t MaxLevelRows = 819;
constexpr size_t MaxObjects = levelfile::MaxObjectRecords - 1;  // the last place ends the list

std::string Range(uint32_t first, uint32_t last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

// "3-40, 52" from a sorted list of numbers.
std::string Ranges(const std::vector<uint32_t>& numbers) {
  std::string text;
  for (size_t i = 0; i < numbers.size();) {
    size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    text += (text.empty() ? "" : ", ") + Range(numbers[i], numbers[j]);
    i = j + 1;
  }
  return text;
}

class Linter {
 public:
  explicit Linter(const CompiledLevel& level) : level_(level), file_(level.file) {}

  std::vector<LevelProblem> Run(const std::optional<std::filesystem::path>& dataDirectory) {
    const bool sized = CheckSize();
    CheckObjectCount();
    for (size_t k = 0; k < file_.objects.size(); ++k) {
      CheckSprites(k);
      CheckActions(k);
    }
    if (sized && CheckPicture()) CheckReach();
    if (dataDirectory) CheckMusic(*dataDirectory);
    return std::move(problems_);
  }

 private:
  void Add(const std::string& place, const std::string& what) {
    problems_.push_back({place, what});
  }

  uint32_t Field(size_t k, uint32_t offset) const { return file_.objects[k][offset / 4]; }

  bool CheckSize() {
    bool sized = true;
    if (file_.levelWidth < MinLevelWidth || file_.levelWidth > LevelPictureWidth) {
      Add("header", "LevelWidth is " + std::to_string(file_.levelWidth) + ", not 320 to 1280");
      sized = false;
    }
    if (file_.levelHeight < MinLevelHeight || file_.levelHeight > MaxLevelRows) {
      Add("header", "LevelHeight is " + std::to_string(file_.levelHeight) + ", not 200 to 819");
      sized = false;
    }
    return sized;
  }

  void CheckObjectCount() {
    if (file_.objects.size() > MaxObjects) {
      Add("object list",
          std::to_string(file_.objects.size()) + " objects; a level file holds at most 31");
    }
  }

  // The frames of a sprite must lie in the sheet, or in the level graphics
  // that follow it.
  void CheckSpriteRange(size_t k, const std::string& what, uint64_t offset, uint64_t frames) {
    const uint64_t end = offset + frames * Field(k, field::Width) * Field(k, field::Height);
    const uint64_t graphicsEnd = LevelGraphicsStart + level_.levelGraphics.size();
    const std::string sprite =
        what + " at offset " + std::to_string(offset) + " (" + std::to_string(frames) +
        " frames of " + std::to_string(Field(k, field::Width)) + "x" +
        std::to_string(Field(k, field::Height)) + ") ends at " + std::to_string(end);
    if (end > SpriteAreaEnd) {
      Add(level_.objectPlaces[k], sprite + ", past the sheet and the level graphics (" +
                                      std::to_string(SpriteAreaEnd) + ")");
    } else if (end > graphicsEnd && end > LevelGraphicsStart) {
      Add(level_.objectPlaces[k],
          sprite + ", past the level's own sprites (" + std::to_string(graphicsEnd) + ")");
    }
  }

  void CheckSprites(size_t k) {
    const uint32_t type = Field(k, field::Type);
    if (type != ObjectPickup && type != ObjectSwitch && type != ObjectEnemy) return;
    CheckSpriteRange(k, "sprite", Field(k, field::SpriteOffset),
                     uint64_t{Field(k, field::FrameMask)} + 1);
    if (type == ObjectSwitch) CheckSpriteRange(k, "spent sprite", Field(k, field::SpentSprite), 1);
  }

  void CheckActions(size_t k) {
    if (Field(k, field::Type) != ObjectSwitch) return;
    const struct {
      const char* name;
      uint32_t offset;
    } actions[] = {{"set1", field::Set1Offset}, {"set2", field::Set2Offset},
                   {"set3", field::Set3Offset}, {"set4", field::Set4Offset},
                   {"add1", field::Add1Offset}, {"add2", field::Add2Offset}};
    const uint64_t listEnd = uint64_t{levelfile::ObjectSize} * file_.objects.size();
    for (const auto& action : actions) {
      const uint32_t offset = Field(k, action.offset);
      const std::string what =
          std::string(action.name) + " changes offset " + std::to_string(offset);
      if (offset % 4 != 0) {
        Add(level_.objectPlaces[k], what + ", which is not the start of a word");
      } else if (offset + uint64_t{4} > listEnd) {
        Add(level_.objectPlaces[k], what + ", past the " + std::to_string(file_.objects.size()) +
                                        " records of the object list");
      }
    }
  }

  bool CheckPicture() {
    if (!level_.picture) return false;
    if (level_.picture->width != LevelPictureWidth) {
      Add("picture", "is " + std::to_string(level_.picture->width) + " pixels wide, not 1280");
      return false;
    }
    if (level_.picture->height > MaxLevelRows) {
      Add("picture", "has " + std::to_string(level_.picture->height) + " rows; 819 fit");
      return false;
    }
    return true;
  }

  // Blocks paint themselves into the collision map; the hero's way is
  // looked for with every block in its less solid colour, as if all were
  // opened.
  IndexedPicture Collision() const {
    IndexedPicture collision = *level_.picture;
    for (size_t k = 0; k < file_.objects.size(); ++k) {
      if (Field(k, field::Type) != ObjectBlock) continue;
      const auto colour = static_cast<uint8_t>(
          std::min(Field(k, field::ClosedColour) & 255, Field(k, field::OpenColour) & 255));
      const uint64_t right = std::min<uint64_t>(
          uint64_t{Field(k, field::X)} + Field(k, field::BlockWidth), collision.width);
      const uint64_t bottom = std::min<uint64_t>(
          uint64_t{Field(k, field::Y)} + Field(k, field::BlockHeight), collision.height);
      for (uint64_t y = Field(k, field::Y); y < bottom; ++y) {
        for (uint64_t x = Field(k, field::X); x < right; ++x) {
          collision.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) = colour;
        }
      }
    }
    return collision;
  }

  void CheckReach() {
    if (file_.heroStartX >= file_.levelWidth || file_.heroStartY >= file_.levelHeight) {
      Add("start", "(" + std::to_string(file_.heroStartX) + "," + std::to_string(file_.heroStartY) +
                       ") lies outside the level");
      return;
    }
    const IndexedPicture collision = Collision();
    const uint32_t x = file_.heroStartX;
    const uint32_t y = file_.heroStartY;
    if (y > 0 && y - 1 < collision.height &&
        collision.pixels[size_t{y - 1} * collision.width + x] >= 232) {
      Add("start", "(" + std::to_string(x) + "," + std::to_string(y) +
                       ") is inside solid pixels: the feet stand on a floor's top row");
    }
    const HeroReach reach =
        ExploreHeroReach(collision, {file_.levelWidth, file_.levelHeight, level_.wrap}, x, y);
    if (!reach.leftEscapes.empty()) {
      Add("left edge", "the hero can walk out of the level at rows " + Ranges(reach.leftEscapes) +
                           "; walls must be solid two pixels high at every height it can reach");
    }
    if (!reach.rightEscapes.empty()) {
      Add("right edge", "the hero can walk out of the level at rows " + Ranges(reach.rightEscapes) +
                            "; walls must be solid two pixels high at every height it can reach");
    }
    if (!reach.pitColumns.empty()) {
      Add("bottom edge", "the hero falls out of the level at columns " + Ranges(reach.pitColumns) +
                             " (a map sets 'wrap' to true when such a pit is meant)");
    }
    CheckExit(reach);
  }

  // The exit is reached when ExitX < x <= ExitX + ExitWidth and likewise for y.
  void CheckExit(const HeroReach& reach) {
    if (file_.exitX >= file_.levelWidth || file_.exitY >= file_.levelHeight) {
      Add("exit", "lies outside the level");
      return;
    }
    const uint64_t right =
        std::min<uint64_t>(uint64_t{file_.exitX} + file_.exitWidth, file_.levelWidth - 1);
    const uint64_t bottom =
        std::min<uint64_t>(uint64_t{file_.exitY} + file_.exitHeight, file_.levelHeight - 1);
    for (uint64_t y = uint64_t{file_.exitY} + 1; y <= bottom; ++y) {
      for (uint64_t x = uint64_t{file_.exitX} + 1; x <= right; ++x) {
        if (reach.Reached(static_cast<uint32_t>(x), static_cast<uint32_t>(y))) return;
      }
    }
    Add("exit", "the hero cannot get there from the start");
  }

  void CheckMusic(const std::filesystem::path& dataDirectory) {
    const std::string name = file_.musicName.substr(0, file_.musicName.find('\0'));
    if (name.size() != levelfile::MusicNameLength) {
      Add("header", "MusicName '" + name + "' is not 8 characters");
    } else if (!std::filesystem::exists(dataDirectory / (name + ".mod"))) {
      Add("header", "the music module " + name + ".mod is not in " + dataDirectory.string());
    }
  }

  const CompiledLevel& level_;
  const LevelFileImage& file_;
  std::vector<LevelProblem> problems_;
};

}  // namespace

std::vector<LevelProblem> LintLevel(const CompiledLevel& level,
                                    const std::optional<std::filesystem::path>& dataDirectory) {
  return Linter(level).Run(dataDirectory);
}

}  // namespace zorbulant::tools
