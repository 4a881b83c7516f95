// The catalogue of named sprites: the names levels use are there, each
// sprite lies inside the sheet, and none lies on another or on the pictures
// the game itself reads at fixed offsets.
#include "sprites/sprite_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "sprites/sprite_sheet.h"

namespace zorbulant::tools {
namespace {

bool PowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

TEST(SpriteCatalogueTest, TheNamesLevelsUseAreThereAndFound) {
  for (const char* name : {"heart", "grenades", "fuel", "laser", "key-a", "key-b", "double-damage",
                           "lever", "lever-spent", "lock", "lock-spent", "crate", "crate-broken",
                           "button", "button-spent", "guard", "crawler", "drone"}) {
    const SpriteEntry* entry = FindSprite(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->name, name);
  }
  EXPECT_EQ(FindSprite("Heart"), nullptr) << "names are matched exactly";
  EXPECT_EQ(FindSprite(""), nullptr);
  EXPECT_EQ(FindSprite("hero"), nullptr) << "the fixed items are not in the catalogue";
}

TEST(SpriteCatalogueTest, NamesAreUniqueLowerCaseWords) {
  std::set<std::string> seen;
  for (const SpriteEntry& entry : SpriteCatalogue()) {
    EXPECT_TRUE(seen.insert(std::string(entry.name)).second) << entry.name;
    const bool words = !entry.name.empty() && entry.name.front() != '-' &&
                       entry.name.back() != '-' &&
                       std::all_of(entry.name.begin(), entry.name.end(), [](char c) {
                         return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
                       });
    EXPECT_TRUE(words) << entry.name;
    EXPECT_EQ(FindSprite(entry.name), &entry);
  }
}

TEST(SpriteCatalogueTest, EverySpriteAnimatesWithAMaskAndSpentPicturesStandStill) {
  for (const SpriteEntry& entry : SpriteCatalogue()) {
    EXPECT_TRUE(PowerOfTwo(entry.frames)) << entry.name << ": frame = clock bits AND (frames - 1)";
    const std::string name(entry.name);
    if (name.ends_with("-spent") || name.ends_with("-broken")) {
      EXPECT_EQ(entry.frames, 1u) << name << " is shown with a frame mask of 0";
    }
  }
  for (const char* enemy : {"guard", "crawler", "drone"}) {
    EXPECT_GE(FindSprite(enemy)->frames, 4u) << enemy << " has a walk cycle";
  }
}

TEST(SpriteCatalogueTest, SpritesLieInSheetOrderInsideTheSheetWithoutOverlapping) {
  const std::span<const SpriteEntry> catalogue = SpriteCatalogue();
  for (size_t i = 0; i < catalogue.size(); ++i) {
    const SpriteEntry& entry = catalogue[i];
    const uint64_t end = entry.offset + uint64_t{entry.width} * entry.height * entry.frames;
    EXPECT_LE(end, SheetSize) << entry.name;
    if (i > 0) {
      EXPECT_LT(catalogue[i - 1].offset, entry.offset) << entry.name;
    }
  }
  // All items, fixed ones included, in offset order: each ends before the next begins.
  const std::vector<SheetItem> items = SheetItems();
  ASSERT_EQ(items.size(), FixedSheetItems().size() + catalogue.size());
  for (size_t i = 1; i < items.size(); ++i) {
    EXPECT_LE(items[i - 1].end(), items[i].offset)
        << items[i - 1].name << " runs into " << items[i].name;
  }
}

}  // namespace
}  // namespace zorbulant::tools
