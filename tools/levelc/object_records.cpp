// Building each class of level object from its shape and properties.
#include "levelc/object_records.h"

#include <bit>
#include <sstream>

#include "levelc/level_error.h"
#include "levelc/map_properties.h"
#include "levelc/object_words.h"
#include "levelc/switch_actions.h"

namespace zorbulant::tools {

namespace {

constexpr int64_t WordMax = UINT32_MAX;
constexpr int64_t LevelMax = 1280;  // no place in a level lies further out

// Clock-driven pictures change every 128 ms; walk cycles every 4 pixels walked.
constexpr uint32_t DefaultFrameShift = 7;
constexpr uint32_t DefaultWalkShift = 2;
// A barrier's field is drawn only while its colour is below 248.
constexpr uint32_t NotDrawn = 255;
constexpr uint32_t SwitchSound = 2;  // any value but 0 and 1

class RecordBuilder {
 public:
  RecordBuilder(const TiledObject& object, NamedRecord self, const LevelSprites& sprites,
                const ObjectDirectory& directory, const std::string& fileName)
      : object_(object),
        self_(self),
        sprites_(sprites),
        directory_(directory),
        properties_(object.properties, fileName + ": " + ObjectPlace(object)) {}

  ObjectRecord Build() {
    Put(field::Type, properties_.Flag("hidden") ? 0u : uint32_t{self_.type});
    switch (self_.type) {
      case ObjectBlock:
        Block();
        break;
      case ObjectBarrier:
        Barrier();
        break;
      case ObjectPickup:
        Pickup();
        break;
      case ObjectSwitch:
        Switch();
        break;
      case ObjectEnemy:
        Enemy();
        break;
      case ObjectSoundZone:
        SoundZone();
        break;
    }
    properties_.RejectUnknown();
    return record_;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw LevelError(properties_.Place() + ": " + message);
  }

  void Put(uint32_t offset, uint32_t value) { record_[offset / 4] = value; }

  uint32_t Number(const std::string& name, int64_t low, int64_t high, uint32_t otherwise) {
    return static_cast<uint32_t>(properties_.Number(name, low, high).value_or(otherwise));
  }
  uint32_t RequiredNumber(const std::string& name, int64_t low, int64_t high) {
    return static_cast<uint32_t>(properties_.RequiredNumber(name, low, high));
  }

  void TopLeft() {
    if (object_.x < 0 || object_.y < 0 || object_.x >= LevelMax || object_.y >= LevelMax) {
      Fail("lies outside the level");
    }
    Put(field::X, static_cast<uint32_t>(object_.x));
    Put(field::Y, static_cast<uint32_t>(object_.y));
  }

  void Rectangle() {
    if (object_.point || object_.width <= 0 || object_.height <= 0) Fail("needs a rectangle");
    TopLeft();
  }

  NamedSprite FindSprite(const std::string& property, const std::string& name) const {
    const std::optional<NamedSprite> sprite = sprites_.Find(name);
    if (!sprite) properties_.Fail(property, "names no sprite '" + name + "'");
    return *sprite;
  }

  // The picture of a pick-up, switch or enemy. A rectangle drawn for it must
  // have the sprite's size, so that the map shows where it will stand.
  NamedSprite ShowSprite(uint32_t defaultShift) {
    const std::string name = properties_.RequiredText("sprite");
    const NamedSprite sprite = FindSprite("sprite", name);
    const bool sized = !object_.point && (object_.width != 0 || object_.height != 0);
    if (sized && (static_cast<uint32_t>(object_.width) != sprite.width ||
                  static_cast<uint32_t>(object_.height) != sprite.height)) {
      Fail("is " + std::to_string(object_.width) + "x" + std::to_string(object_.height) +
           " but sprite '" + name + "' is " + std::to_string(sprite.width) + "x" +
           std::to_string(sprite.height));
    }
    Put(field::Width, sprite.width);
    Put(field::Height, sprite.height);
    Put(field::SpriteOffset, sprite.offset);
    Put(field::FrameMask, sprite.frames - 1);
    Put(field::FrameShift, Number("frame-shift", 0, 31, defaultShift));
    const std::string facing = properties_.Text("facing").value_or("right");
    if (facing != "right" && facing != "left") properties_.Fail("facing", "is not right or left");
    Put(field::Facing, facing == "left" ? 1 : 0);
    return sprite;
  }

  uint32_t HeroVariable(const std::string& property, const std::string& word) const {
    const std::optional<uint32_t> offset = HeroVariableWord(word);
    if (!offset) {
      properties_.Fail(property, "is '" + word + "', not one of " + HeroVariableWords());
    }
    return *offset;
  }

  void Block() {
    Rectangle();
    Put(field::ClosedColour, RequiredNumber("closed-colour", 0, 255));
    Put(field::OpenColour, RequiredNumber("open-colour", 0, 255));
    Put(field::BlockWidth, static_cast<uint32_t>(object_.width));
    Put(field::BlockHeight, static_cast<uint32_t>(object_.height));
    Put(field::State, properties_.Flag("open") ? 1 : 0);
  }

  void Barrier() {
    Rectangle();
    const uint32_t colour = RequiredNumber("colour", 0, 255);
    Put(field::ColourBitSet, colour);
    Put(field::ColourBitClear, Number("blink-colour", 0, 255, colour));
    Put(field::OffColour, Number("off-colour", 0, 255, NotDrawn));
    Put(field::FrameShift, Number("frame-shift", 0, 31, DefaultFrameShift));
    Put(field::FieldWidth, static_cast<uint32_t>(object_.width));
    Put(field::FieldHeight, static_cast<uint32_t>(object_.height));
    Put(field::Disabled, properties_.Flag("disabled") ? 1 : 0);
  }

  void Pickup() {
    TopLeft();
    ShowSprite(DefaultFrameShift);
    const uint32_t target = HeroVariable("gives", properties_.RequiredText("gives"));
    Put(field::Target, target);
    // The laser is a weapon bit, not a count: the game ignores the amount.
    const bool laser = target == *HeroVariableWord("laser");
    const std::optional<int64_t> amount = properties_.Number("amount", 0, WordMax);
    if (laser && amount) properties_.Fail("amount", "is not taken by a laser pick-up");
    if (!laser && !amount) properties_.Fail("amount", "is missing");
    Put(field::Amount, static_cast<uint32_t>(amount.value_or(0)));
  }

  void Switch() {
    TopLeft();
    const NamedSprite sprite = ShowSprite(DefaultFrameShift);
    // HitPoints 0 is a spent switch, so a live one has at least 1.
    Put(field::HitPoints, RequiredNumber("hit-points", 1, WordMax));
    Payment();
    const std::optional<std::string> spent = properties_.Text("spent-sprite");
    const NamedSprite spentSprite = spent ? FindSprite("spent-sprite", *spent) : sprite;
    if (spentSprite.width != sprite.width || spentSprite.height != sprite.height) {
      properties_.Fail("spent-sprite", "is not the size of the sprite");
    }
    Put(field::SpentSprite, spentSprite.offset);
    const std::string sound = properties_.Text("sound").value_or("switch");
    if (sound != "none" && sound != "door" && sound != "switch") {
      properties_.Fail("sound", "is not none, door or switch");
    }
    Put(field::Sound, sound == "none" ? 0 : sound == "door" ? 1 : SwitchSound);
    Actions();
  }

  // A free switch pays nothing from HeroX, which leaves it as it was.
  void Payment() {
    const std::optional<std::string> payWith = properties_.Text("pay-with");
    const uint32_t price = Number("price", 0, WordMax, payWith ? 1 : 0);
    if (price != 0 && !payWith) properties_.Fail("price", "needs a 'pay-with'");
    Put(field::PayWith, payWith ? HeroVariable("pay-with", *payWith) : 0);
    Put(field::Price, price);
  }

  // Every action is done when the switch fires, so one that is not wanted
  // must still change something harmlessly: the switch's own HitPoints, which
  // firing has just set to 0, are set to 0 or added 0.
  void Actions() {
    constexpr uint32_t SetFields[4][2] = {{field::Set1Offset, field::Set1Value},
                                          {field::Set2Offset, field::Set2Value},
                                          {field::Set3Offset, field::Set3Value},
                                          {field::Set4Offset, field::Set4Value}};
    constexpr uint32_t AddFields[2][2] = {{field::Add1Offset, field::Add1Value},
                                          {field::Add2Offset, field::Add2Value}};
    for (uint32_t k = 0; k < 4; ++k)
      Action("set" + std::to_string(k + 1), ActionKind::Set, SetFields[k]);
    for (uint32_t k = 0; k < 2; ++k)
      Action("add" + std::to_string(k + 1), ActionKind::Add, AddFields[k]);
  }

  void Action(const std::string& property, ActionKind kind, const uint32_t (&fields)[2]) {
    ObjectAction action{self_.index * levelfile::ObjectSize + field::HitPoints, 0};
    if (const std::optional<std::string> text = properties_.Text(property)) {
      std::string problem;
      const std::optional<ObjectAction> parsed =
          ParseObjectAction(*text, kind, directory_, problem);
      if (!parsed) properties_.Fail(property, "'" + *text + "' " + problem);
      action = *parsed;
    }
    Put(fields[0], action.offset);
    Put(fields[1], action.value);
  }

  // An enemy's place is its foot point: the middle of its picture's bottom
  // row, which stands on the pixel below. A point marks the ground it stands
  // on, a rectangle its picture.
  void Enemy() {
    const NamedSprite sprite = ShowSprite(DefaultWalkShift);
    TopLeft();
    if (object_.point) {
      if (object_.y == 0) Fail("stands on the level's top edge");
      Put(field::Y, static_cast<uint32_t>(object_.y - 1));
    } else {
      Put(field::X, static_cast<uint32_t>(object_.x) + sprite.width / 2);
      Put(field::Y, static_cast<uint32_t>(object_.y) + sprite.height - 1);
    }
    Put(field::HitPoints, RequiredNumber("hit-points", 0, WordMax));
    Put(field::Behaviour, Behaviour());
    Put(field::PatrolLeft, Number("patrol-left", 0, LevelMax, 0));
    Put(field::PatrolRight, Number("patrol-right", 0, LevelMax, 0));
    Put(field::FireMask, FireMask());
    Put(field::ShotDamage, Number("shot-damage", 0, WordMax, 0));
  }

  uint32_t Behaviour() {
    uint32_t bits = 0;
    std::istringstream words(properties_.Text("behaviour").value_or(""));
    for (std::string word; words >> word;) {
      const std::optional<uint32_t> bit = BehaviourBit(word);
      if (!bit) properties_.Fail("behaviour", "has '" + word + "', not one of " + BehaviourWords());
      bits |= *bit;
    }
    return bits;
  }

  // An enemy fires in the frames whose clock is a multiple of the period; one
  // that never fires still does at the clock's wrap, once in 49 days.
  uint32_t FireMask() {
    const std::optional<int64_t> period = properties_.Number("fire-every", 1, 1 << 30);
    if (!period) return UINT32_MAX;
    if (!std::has_single_bit(static_cast<uint64_t>(*period))) {
      properties_.Fail("fire-every", "is not a power of two of milliseconds");
    }
    return static_cast<uint32_t>(*period - 1);
  }

  void SoundZone() {
    Rectangle();
    Put(field::Width, static_cast<uint32_t>(object_.width));
    Put(field::Height, static_cast<uint32_t>(object_.height));
    Put(field::SampleChoice, RequiredNumber("sample", 1, 2) - 1);
    Put(field::RepeatTime, RequiredNumber("repeat", 0, WordMax));
  }

  const TiledObject& object_;
  NamedRecord self_;
  const LevelSprites& sprites_;
  const ObjectDirectory& directory_;
  MapProperties properties_;
  ObjectRecord record_{};
};

bool IsLevelObject(const TiledObject& object) {
  return object.kind != StartClass && object.kind != ExitClass;
}

ObjectDirectory Directory(const std::vector<TiledObject>& objects, const std::string& fileName) {
  ObjectDirectory directory;
  uint32_t index = 0;
  for (const TiledObject& object : objects) {
    if (!IsLevelObject(object)) continue;
    const std::optional<ObjectType> type = ObjectClass(object.kind);
    if (!type) {
      throw LevelError(fileName + ": " + ObjectPlace(object) + ": class '" + object.kind +
                       "' is not block, barrier, pickup, switch, enemy, soundzone, start or exit");
    }
    if (!object.name.empty() && !directory.emplace(object.name, NamedRecord{index, *type}).second) {
      throw LevelError(fileName + ": " + ObjectPlace(object) + ": another object has this name");
    }
    ++index;
  }
  return directory;
}

}  // namespace

std::string ObjectPlace(const TiledObject& object) {
  const std::string where = (object.kind.empty() ? "object" : object.kind) + " at " +
                            std::to_string(object.x) + "," + std::to_string(object.y);
  return object.name.empty() ? where : "'" + object.name + "' (" + where + ")";
}

LevelObjects BuildLevelObjects(const std::vector<TiledObject>& objects, const LevelSprites& sprites,
                               const std::string& fileName) {
  const ObjectDirectory directory = Directory(objects, fileName);
  LevelObjects result;
  for (const TiledObject& object : objects) {
    if (!IsLevelObject(object)) continue;
    const NamedRecord self{static_cast<uint32_t>(result.records.size()), *ObjectClass(object.kind)};
    result.records.push_back(RecordBuilder(object, self, sprites, directory, fileName).Build());
    result.places.push_back(ObjectPlace(object));
  }
  return result;
}

}  // namespace zorbulant::tools
