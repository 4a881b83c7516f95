// The sprite sheet drawn from content/sprites: every item is at its offset,
// the hero keeps to the values and rows the game relies on, the GIF file
// decodes back to the same bytes, and the sheet maker refuses sources that
// do not fit.
#include "sprites/sprite_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "assets/gif_decoder.h"
#include "sprites/contact_sheet.h"
#include "sprites/hero_pictures.h"
#include "sprites/sprite_shelf.h"
#include "support/png_reader.h"
#include "support/temp_directory.h"
#include "support/test_platform.h"

namespace zorbulant::tools {
namespace {

const std::string SourceDir = std::string(ZORBULANT_SOURCE_DIR) + "/content/sprites";
constexpr uint32_t HeroPictureSize = HeroWidth * HeroHeight;

std::vector<SourceSprite> Sources() {
  ShelfResult sources = ReadSpriteDirectory(SourceDir);
  EXPECT_EQ(sources.error, "");
  return std::move(sources.sprites);
}

const std::vector<uint8_t>& Sheet() {
  static const SheetResult sheet = MakeSpriteSheet(Sources());
  EXPECT_EQ(sheet.error, "");
  return sheet.bytes;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Drawn: a value the game does not skip.
bool Drawn(uint8_t value, uint8_t transparentFrom) { return value < transparentFrom; }

// Rows of hero picture n with a drawn pixel in column `column` (all columns if
// it is out of range), top to bottom.
std::vector<uint32_t> DrawnRows(uint32_t n, uint32_t column = HeroWidth) {
  std::vector<uint32_t> rows;
  const uint8_t* picture = &Sheet()[n * HeroPictureSize];
  for (uint32_t y = 0; y < HeroHeight; ++y) {
    for (uint32_t x = 0; x < HeroWidth; ++x) {
      if ((column == HeroWidth || x == column) && Drawn(picture[y * HeroWidth + x], 232)) {
        rows.push_back(y);
        break;
      }
    }
  }
  return rows;
}

TEST(SpriteSheetTest, EveryFrameOfEveryItemShowsSomething) {
  ASSERT_EQ(Sheet().size(), SheetSize);
  for (const SheetItem& item : SheetItems()) {
    const uint32_t frameSize = item.width * item.height;
    for (uint32_t k = 0; k < item.frames; ++k) {
      const auto first = Sheet().begin() + item.offset + k * frameSize;
      const auto drawn = std::count_if(first, first + frameSize, [&](uint8_t value) {
        return Drawn(value, item.transparentFrom);
      });
      EXPECT_GT(drawn, frameSize / 16) << item.name << " frame " << k;
    }
  }
}

TEST(SpriteSheetTest, PixelsAreDrawnOrPlainlyNothing) {
  // A value between the first transparent one and 255 would be art that the
  // game never shows; the hero's background is 255.
  for (const SheetItem& item : SheetItems()) {
    const auto first = Sheet().begin() + item.offset;
    const auto stray = std::find_if(first, first + (item.end() - item.offset), [&](uint8_t value) {
      return !Drawn(value, item.transparentFrom) && value != 255;
    });
    EXPECT_EQ(stray, first + (item.end() - item.offset))
        << item.name << ": value " << int{*stray} << " at byte " << (stray - Sheet().begin());
  }
}

TEST(SpriteSheetTest, TheHeroStandsOnTheBottomRowAndDucksLow) {
  for (uint32_t n = 0; n < HeroPictureCount; ++n) {
    const uint32_t pose = n % HeroWeaponPictures;
    if (n < HeroIdleA && pose == HeroInAir) continue;
    ASSERT_FALSE(DrawnRows(n).empty()) << n;
    EXPECT_EQ(DrawnRows(n).back(), HeroHeight - 1) << "picture " << n << " floats";
  }
  for (uint32_t group = 0; group < 4; ++group) {
    const uint32_t ducking = group * HeroWeaponPictures + HeroDucking;
    EXPECT_LE(DrawnRows(ducking).size(), 20u) << "ducking picture " << ducking;
    EXPECT_GE(DrawnRows(group * HeroWeaponPictures).size(), 30u) << "standing";
  }
}

TEST(SpriteSheetTest, EveryWeaponPointsWhereItsShotsLeave) {
  // The front column at the bore: 21 rows above the feet standing (a row
  // lower while the body sinks in the walk), 11 ducking, the flame's row in
  // the air, and two rows lower than standing in the landing's crouch.
  for (uint32_t group = 0; group < 4; ++group) {
    for (uint32_t pose = 0; pose < HeroWeaponPictures; ++pose) {
      const uint32_t n = group * HeroWeaponPictures + pose;
      const uint32_t bore = pose == HeroDucking   ? 20
                            : pose == HeroInAir   ? 16
                            : pose == HeroLanding ? 13
                                                  : 11;
      const std::vector<uint32_t> front = DrawnRows(n, HeroWidth - 1);
      const bool atBore = std::any_of(front.begin(), front.end(),
                                      [&](uint32_t row) { return row >= bore && row <= bore + 1; });
      EXPECT_TRUE(atBore) << "picture " << n;
    }
  }
  // Each weapon looks different from the others in every pose.
  for (uint32_t pose = 0; pose < HeroWeaponPictures; ++pose) {
    for (uint32_t a = 0; a < 4; ++a) {
      for (uint32_t b = a + 1; b < 4; ++b) {
        const auto first = Sheet().begin() + (a * HeroWeaponPictures + pose) * HeroPictureSize;
        const auto second = Sheet().begin() + (b * HeroWeaponPictures + pose) * HeroPictureSize;
        EXPECT_FALSE(std::equal(first, first + HeroPictureSize, second))
            << "weapons " << a << " and " << b << " in pose " << pose;
      }
    }
  }
}

TEST(SpriteSheetTest, TheGameDecodesTheWrittenFileToTheSheet) {
  testing::TempDirectory directory;
  const std::filesystem::path file = directory.path() / "MAINCHAR.gif";
  std::string error;
  ASSERT_TRUE(WriteIndexedGif(file, SheetPicture(Sheet()), error)) << error;

  testing::TestGame test;
  test.platform.files.Add("MAINCHAR.gif", ReadBytes(file));
  ASSERT_TRUE(LoadGifPicture(test.game, "MAINCHAR.gif", regions::HeroSheet));
  const uint8_t* loaded = test.game.work.at(regions::HeroSheet);
  EXPECT_TRUE(std::equal(Sheet().begin(), Sheet().end(), loaded));

  // The data pack's sheet is the one the sources make now.
  EXPECT_EQ(ReadBytes(std::string(ZORBULANT_DATA_DIR) + "/MAINCHAR.gif"), ReadBytes(file));
}

TEST(SpriteSheetTest, SourcesThatDoNotFitAreRefused) {
  std::vector<SourceSprite> missing = Sources();
  std::erase_if(missing, [](const SourceSprite& s) { return s.name == "key-b"; });
  EXPECT_EQ(MakeSpriteSheet(missing).error, "no sprite 'key-b' (16x16 frames 2)");

  std::vector<SourceSprite> resized = Sources();
  for (SourceSprite& sprite : resized) {
    if (sprite.name == "hud-heart") sprite.height = 15;
  }
  EXPECT_EQ(MakeSpriteSheet(resized).error,
            "sprite 'hud-heart' is 16x15 frames 1; the sheet wants 16x16 frames 1");

  std::vector<SourceSprite> extra = Sources();
  extra.push_back({"ladder", 1, 1, 1, {0}});
  EXPECT_EQ(MakeSpriteSheet(extra).error, "sprite 'ladder' has no place in the sheet");
}

TEST(SpriteSheetTest, AHeroPartMayNotLeaveThePicture) {
  // The walk's second leg pose is drawn a row lower, as the body sinks, so a
  // foot on its last row would stand below the picture.
  std::vector<SourceSprite> sprites = Sources();
  for (SourceSprite& sprite : sprites) {
    if (sprite.name == "hero-leg") sprite.pixels[2 * HeroWidth * 13 - 1] = 0;
  }
  EXPECT_EQ(MakeSpriteSheet(sprites).error,
            "hero picture 2: 'hero-leg' frame 1 falls outside the picture");
}

TEST(SpriteSheetTest, TheContactSheetIsWrittenAsDrawn) {
  testing::TempDirectory directory;
  const std::filesystem::path file = directory.path() / "contact.png";
  std::string error;
  ASSERT_TRUE(WriteContactSheet(Sheet(), file, error)) << error;
  const RgbCanvas canvas = DrawContactSheet(Sheet());
  const testing::RgbImage image = testing::ReadRgbPng(file);
  EXPECT_EQ(image.width, canvas.width());
  EXPECT_EQ(image.height, canvas.height());
  EXPECT_EQ(image.rgb, canvas.pixels());
  EXPECT_FALSE(WriteContactSheet(Sheet(), directory.path() / "no" / "such.png", error));
}

}  // namespace
}  // namespace zorbulant::tools
