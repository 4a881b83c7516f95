// An in-game frame makes no heap allocation: after start-up and a level start,
// thousands of frames of walking, jumping and firing on the first mission of
// the built pack allocate nothing. The test binary counts every operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

#include "assets/file_loader.h"
#include "flow/mission_intro.h"
#include "support/test_platform.h"
#include "world/in_game_frame.h"

namespace {
std::atomic<uint64_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* bytes = std::malloc(size == 0 ? 1 : size)) return bytes;
  throw std::bad_alloc();
}
void operator delete(void* bytes) noexcept { std::free(bytes); }
void operator delete(void* bytes, std::size_t) noexcept { std::free(bytes); }

namespace zorbulant {
namespace {

std::vector<uint8_t> ReadDataFile(const std::string& name) {
  std::ifstream file(std::filesystem::path(ZORBULANT_DATA_DIR) / name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(FrameAllocations, TenThousandInGameFramesAllocateNothing) {
  testing::TestGame test;
  Game& game = test.game;
  for (const char* name : {"MAINCHAR.gif", "menuback.gif", "go.gif", "config.gif", "exit.gif",
                           "levelaaa.jmp", "levelaaa.gif", "lvlgxaaa.gif"}) {
    test.platform.files.Add(name, ReadDataFile(name));
  }
  ASSERT_TRUE(LoadStartupAssets(game));
  game.settings.FrameLimit = 7;
  LevelSetUp(game);
  ASSERT_EQ(game.flow.GameState, StateInGame);

  const uint64_t before = allocations.load();
  ASSERT_GT(before, 0u) << "the counter sees the allocations of the set-up";
  KeyFlags& keys = game.keys;
  uint32_t frame = 0;
  for (; frame < 10'000 && game.flow.GameState == StateInGame; ++frame) {
    // Walk back and forth, jump and fire now and then.
    keys.KeyRight = (frame / 200) % 2 == 0 ? 1 : 0;
    keys.KeyLeft = 1 - keys.KeyRight;
    keys.KeyJump = frame % 90 < 20 ? 1 : 0;
    keys.KeyFire = frame % 30 < 2 ? 1 : 0;
    game.hero.HeroHealth = 256;  // nothing ends the run early
    InGameFrame(game);
  }
  EXPECT_EQ(allocations.load() - before, 0u);
  EXPECT_EQ(frame, 10'000u) << "the level ended early";
}

}  // namespace
}  // namespace zorbulant
