// Composing the hero: which parts each picture is made of, and where.
#include "sprites/hero_pictures.h"

#include <map>
#include <string_view>

namespace zorbulant::tools {

namespace {

constexpr uint8_t Nothing = 255;
constexpr uint8_t Outline = 216;

struct Part {
  std::string_view name;
  uint32_t height;  // every part is as wide as the hero
  uint32_t frames;
};

// Head frames: looking ahead, turning to the viewer, facing the viewer,
// looking back over the shoulder, looking down at the hands.
constexpr uint32_t HeadAhead = 0;
constexpr uint32_t HeadTurning = 1;
constexpr uint32_t HeadToViewer = 2;
constexpr uint32_t HeadBack = 3;
constexpr uint32_t HeadDown = 4;

constexpr Part Parts[] = {
    {"hero-head", 7, 5},         {"hero-torso", 12, 1},     {"hero-leg", 13, 8},
    {"hero-tuck", 9, 1},         {"hero-crouch", 10, 1},    {"hero-duck", 12, 1},
    {"hero-tank", 10, 1},        {"hero-aim-pistol", 8, 1}, {"hero-aim-flamer", 8, 1},
    {"hero-aim-launcher", 8, 1}, {"hero-aim-laser", 8, 1},  {"hero-idle-arms", 20, 4},
    {"hero-reload", 20, 5},
};

// The weapon in hand, by picture group: pistol, flame-thrower, grenade
// launcher, laser.
constexpr std::string_view AimParts[4] = {"hero-aim-pistol", "hero-aim-flamer", "hero-aim-launcher",
                                          "hero-aim-laser"};
constexpr uint32_t FlamerGroup = 1;

// One part drawn into a picture: its top-left corner at (x, y); a limb on the
// far side of the body is drawn a shade darker.
struct Layer {
  std::string_view part;
  uint32_t frame = 0;
  int32_t x = 0;
  int32_t y = 0;
  bool far = false;
};

// Where a pose holds the weapon (the weapon part's top row; the bore runs
// three rows lower, where shots and the flame leave) and wears the tank.
struct Carry {
  int32_t aimRow;
  int32_t tankRow;
};

// Each leg goes through the eight poses of "hero-leg", the far one half a
// cycle behind; the body sinks a row while a leg bends under its weight.
constexpr int32_t WalkSink[8] = {0, 1, 0, 0, 0, 1, 0, 0};
constexpr int32_t HipRow = 19;
constexpr int32_t TorsoRow = 8;
constexpr int32_t HeadRow = 1;
constexpr int32_t AimRow = 8;  // the bore on row 11, 21 rows above the feet
constexpr int32_t TankRow = 9;
constexpr int32_t FarLegShift = -1;

struct Pose {
  std::vector<Layer> body;
  Carry carry;
};

Pose WalkPose(uint32_t frame) {
  const uint32_t phase = frame / 2;
  const int32_t sink = WalkSink[phase];
  return {{{"hero-leg", (phase + 4) % 8, FarLegShift, HipRow + sink, true},
           {"hero-torso", 0, 0, TorsoRow + sink},
           {"hero-head", HeadAhead, 0, HeadRow + sink},
           {"hero-leg", phase, 0, HipRow + sink}},
          {AimRow + sink, TankRow + sink}};
}

// The jump draws the knees up and carries the body five rows lower, where the
// flame leaves in the air; the landing bends the knees two rows; the crouch
// kneels with the bore eleven rows above the feet, where its shots leave.
Pose SinglePose(uint32_t picture) {
  switch (picture) {
    case HeroInAir:
      return {{{"hero-torso", 0, 0, TorsoRow + 5},
               {"hero-head", HeadAhead, 0, HeadRow + 5},
               {"hero-tuck", 0, 0, 23}},
              {AimRow + 5, TankRow + 5}};
    case HeroLanding:
      return {{{"hero-torso", 0, 0, TorsoRow + 2},
               {"hero-head", HeadAhead, 0, HeadRow + 2},
               {"hero-crouch", 0, 0, 22}},
              {AimRow + 2, TankRow + 2}};
    default:
      return {{{"hero-duck", 0, 0, 20}, {"hero-head", HeadAhead, 0, 13}}, {17, 20}};
  }
}

std::vector<Layer> WeaponPicture(uint32_t group, uint32_t pose) {
  const Pose p = pose < HeroWalkFrames ? WalkPose(pose) : SinglePose(pose);
  // The tank covers the backpack, so it goes on after the body.
  std::vector<Layer> layers = p.body;
  if (group == FlamerGroup) layers.push_back({"hero-tank", 0, 0, p.carry.tankRow});
  layers.push_back({AimParts[group], 0, 0, p.carry.aimRow});
  return layers;
}

// Standing at ease on straight legs, with a head frame and a frame of the
// near arm's part.
constexpr uint32_t StandingLeg = 2;
std::vector<Layer> AtEase(uint32_t head, std::string_view arm, uint32_t armFrame) {
  return {{"hero-leg", StandingLeg, -2, HipRow, true},
          {"hero-torso", 0, 0, TorsoRow},
          {"hero-head", head, 0, HeadRow},
          {"hero-leg", StandingLeg, 1, HipRow},
          {arm, armFrame, 0, 0}};
}

// Idle A looks round at the viewer and back over the shoulder; idle B twirls
// the pistol once round and a half. Each holds its last picture, so both end
// at ease.
std::vector<Layer> IdlePicture(uint32_t k) {
  constexpr uint32_t LookRound[5] = {HeadTurning, HeadToViewer, HeadBack, HeadTurning, HeadAhead};
  constexpr uint32_t Twirl[5] = {1, 2, 3, 1, 0};
  if (k < 5) return AtEase(LookRound[k], "hero-idle-arms", 0);
  return AtEase(HeadAhead, "hero-idle-arms", Twirl[k - 5]);
}

// The reload looks down at the pistol until the last picture raises it.
std::vector<Layer> ReloadPicture(uint32_t k) {
  return AtEase(k < 4 ? HeadDown : HeadAhead, "hero-reload", k);
}

std::vector<Layer> PictureLayers(uint32_t n) {
  if (n < HeroIdleA) return WeaponPicture(n / HeroWeaponPictures, n % HeroWeaponPictures);
  if (n < HeroReload) return IdlePicture(n - HeroIdleA);
  return ReloadPicture(n - HeroReload);
}

// One level darker in each colour channel of the cube; the fixed colours stay.
uint8_t Darker(uint8_t value) {
  if (value >= 216) return value;
  const uint32_t green = value / 36;
  const uint32_t red = value / 6 % 6;
  const uint32_t blue = value % 6;
  auto down = [](uint32_t level) { return level > 0 ? level - 1 : 0; };
  return static_cast<uint8_t>(36 * down(green) + 6 * down(red) + down(blue));
}

void AddOutline(uint8_t* picture) {
  const std::vector<uint8_t> drawn(picture, picture + HeroWidth * HeroHeight);
  auto filled = [&](uint32_t x, uint32_t y) { return drawn[y * HeroWidth + x] != Nothing; };
  for (uint32_t y = 0; y < HeroHeight; ++y) {
    for (uint32_t x = 0; x < HeroWidth; ++x) {
      if (filled(x, y)) continue;
      if ((x > 0 && filled(x - 1, y)) || (x + 1 < HeroWidth && filled(x + 1, y)) ||
          (y > 0 && filled(x, y - 1)) || (y + 1 < HeroHeight && filled(x, y + 1))) {
        picture[y * HeroWidth + x] = Outline;
      }
    }
  }
}

class Composer {
 public:
  explicit Composer(SpriteShelf& shelf) {
    for (const Part& part : Parts) {
      const SourceSprite* sprite =
          shelf.Take(part.name, HeroWidth, part.height, part.frames, error);
      if (sprite == nullptr) return;
      parts_[part.name] = sprite;
    }
  }

  std::vector<uint8_t> Compose() {
    if (!error.empty()) return {};
    std::vector<uint8_t> pictures(HeroPictureCount * HeroWidth * HeroHeight, Nothing);
    for (uint32_t n = 0; n < HeroPictureCount; ++n) {
      uint8_t* picture = &pictures[n * HeroWidth * HeroHeight];
      for (const Layer& layer : PictureLayers(n)) {
        if (!Draw(layer, picture)) {
          error = "hero picture " + std::to_string(n) + ": '" + std::string(layer.part) +
                  "' frame " + std::to_string(layer.frame) + " falls outside the picture";
          return {};
        }
      }
      AddOutline(picture);
    }
    return pictures;
  }

  std::string error;

 private:
  bool Draw(const Layer& layer, uint8_t* picture) const {
    const SourceSprite& part = *parts_.at(layer.part);
    const uint8_t* frame = &part.pixels[size_t{layer.frame} * part.width * part.height];
    for (uint32_t j = 0; j < part.height; ++j) {
      for (uint32_t i = 0; i < part.width; ++i) {
        const uint8_t value = frame[j * part.width + i];
        if (value == Nothing) continue;
        const int32_t x = layer.x + static_cast<int32_t>(i);
        const int32_t y = layer.y + static_cast<int32_t>(j);
        if (x < 0 || y < 0 || x >= int32_t{HeroWidth} || y >= int32_t{HeroHeight}) return false;
        picture[y * HeroWidth + x] = layer.far ? Darker(value) : value;
      }
    }
    return true;
  }

  std::map<std::string_view, const SourceSprite*> parts_;
};

}  // namespace

std::vector<uint8_t> ComposeHeroPictures(SpriteShelf& shelf, std::string& error) {
  Composer composer(shelf);
  std::vector<uint8_t> pictures = composer.Compose();
  error = composer.error;
  return pictures;
}

}  // namespace zorbulant::tools
