// Switch actions written with object and field names become the byte
// offsets of the words they change, counted from the first record.
#include "levelc/switch_actions.h"

#include <gtest/gtest.h>

namespace zorbulant::tools {
namespace {

const ObjectDirectory Objects = {
    {"gate", {0, ObjectBarrier}}, {"door", {2, ObjectBlock}}, {"guard", {30, ObjectEnemy}}};

ObjectAction Parse(std::string_view text, ActionKind kind) {
  std::string problem;
  const std::optional<ObjectAction> action = ParseObjectAction(text, kind, Objects, problem);
  EXPECT_TRUE(action) << text << ": " << problem;
  return action.value_or(ObjectAction{});
}

std::string Problem(std::string_view text, ActionKind kind) {
  std::string problem;
  EXPECT_FALSE(ParseObjectAction(text, kind, Objects, problem)) << text;
  return problem;
}

TEST(SwitchActionsTest, FieldsOfNamedObjectsBecomeOffsets) {
  const ObjectAction open = Parse("door.State=1", ActionKind::Set);
  EXPECT_EQ(open.offset, 2 * 128 + field::State);
  EXPECT_EQ(open.value, 1u);
  EXPECT_EQ(Parse("gate.Disabled=7", ActionKind::Set).offset, field::Disabled)
      << "the first record starts at offset 0";
  EXPECT_EQ(Parse("guard.ShotDamage=0", ActionKind::Set).offset, 30 * 128 + field::ShotDamage)
      << "the last record";
  EXPECT_EQ(Parse("guard.X=4294967295", ActionKind::Set).value, UINT32_MAX);
}

TEST(SwitchActionsTest, TypesTakeClassWords) {
  EXPECT_EQ(Parse("gate.Type=pickup", ActionKind::Set).value, uint32_t{ObjectPickup});
  EXPECT_EQ(Parse("gate.Type=0", ActionKind::Set).value, 0u);
  EXPECT_EQ(Problem("door.State=pickup", ActionKind::Set), "has no whole number after '='");
}

TEST(SwitchActionsTest, AmountsMayBeNegative) {
  EXPECT_EQ(Parse("guard.X+32", ActionKind::Add).value, 32u);
  EXPECT_EQ(Parse("guard.X+-32", ActionKind::Add).value, static_cast<uint32_t>(-32));
  EXPECT_EQ(Parse("guard.X-32", ActionKind::Add).value, static_cast<uint32_t>(-32));
  EXPECT_EQ(Parse("guard.X-32", ActionKind::Add).offset, 30 * 128 + field::X);
}

TEST(SwitchActionsTest, MistakesSayWhatIsWrong) {
  EXPECT_EQ(Problem("dor.State=1", ActionKind::Set), "names no object 'dor'");
  EXPECT_EQ(
      Problem("door.Disabled=1", ActionKind::Set).rfind("names no field 'Disabled' of a block", 0),
      0u);
  EXPECT_EQ(Problem("door.State", ActionKind::Set), "is not NAME.Field=VALUE");
  EXPECT_EQ(Problem("door.State=1", ActionKind::Add), "is not NAME.Field+AMOUNT");
  EXPECT_EQ(Problem("door.State=", ActionKind::Set), "has no whole number after '='");
  EXPECT_EQ(Problem("guard.X+4294967296", ActionKind::Add), "has no whole number after '+'");
}

}  // namespace
}  // namespace zorbulant::tools
