// The desktop icons drawn from the hero: whole-number scales, crops centred
// on the figure, the palette's colours, clear where nothing is drawn.
#include "icons/hero_icon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "platform/display.h"
#include "sprites/hero_pictures.h"
#include "sprites/sprite_shelf.h"

namespace zorbulant::tools {
namespace {

constexpr uint8_t Nothing = 255;

// A figure filling columns first..last of every row, each pixel its own
// colour of the cube, so a pixel taken from the wrong place shows.
std::vector<uint8_t> Figure(uint32_t first, uint32_t last) {
  std::vector<uint8_t> hero(HeroWidth * HeroHeight, Nothing);
  for (uint32_t y = 0; y < HeroHeight; ++y) {
    for (uint32_t x = first; x <= last; ++x) {
      hero[y * HeroWidth + x] = static_cast<uint8_t>((y * 16 + x) % 216);
    }
  }
  return hero;
}

struct Expected {
  uint32_t size;
  uint32_t scale;
  int32_t left;
  uint32_t columns;
  uint32_t rows;
};

// The figure of columns 2 to 13: the head and shoulders up to 48 pixels, the
// whole figure from 64 on, centred.
constexpr Expected Windows[] = {
    {16, 1, 0, 16, 16},  {24, 2, 2, 12, 12},   {32, 2, 0, 16, 16},   {48, 3, 0, 16, 16},
    {64, 2, -8, 32, 32}, {128, 4, -8, 32, 32}, {256, 8, -8, 32, 32},
};

TEST(HeroIcon, EachSizeShowsItsWindowOfTheFigure) {
  const std::vector<uint8_t> hero = Figure(2, 13);
  for (const Expected& expected : Windows) {
    SCOPED_TRACE(expected.size);
    const IconWindow window = WindowForSize(hero, expected.size);
    EXPECT_EQ(window.scale, expected.scale);
    EXPECT_EQ(window.left, expected.left);
    EXPECT_EQ(window.columns, expected.columns);
    EXPECT_EQ(window.rows, expected.rows);
    EXPECT_EQ(window.columns * window.scale, expected.size) << "the window fills the square";
  }
}

TEST(HeroIcon, EveryPixelIsTheNearestSourcePixelOrClear) {
  const std::vector<uint8_t> hero = Figure(2, 13);
  const PaletteEntries& palette = PaletteTable();
  for (const Expected& expected : Windows) {
    SCOPED_TRACE(expected.size);
    const RgbaPicture icon = DrawHeroIcon(hero, expected.size);
    ASSERT_EQ(icon.width, expected.size);
    ASSERT_EQ(icon.height, expected.size);
    ASSERT_EQ(icon.pixels.size(), size_t{expected.size} * expected.size * 4);
    uint32_t wrong = 0;
    for (uint32_t y = 0; y < expected.size; ++y) {
      for (uint32_t x = 0; x < expected.size; ++x) {
        const int32_t sx = expected.left + static_cast<int32_t>(x / expected.scale);
        const uint32_t sy = y / expected.scale;
        const bool inside = sx >= 2 && sx <= 13 && sy < expected.rows;
        const uint8_t* at = &icon.pixels[(size_t{y} * expected.size + x) * 4];
        if (!inside) {
          wrong += at[3] != 0;
          continue;
        }
        const PaletteEntry& colour = palette[hero[sy * HeroWidth + static_cast<uint32_t>(sx)]];
        wrong +=
            at[0] != colour.red || at[1] != colour.green || at[2] != colour.blue || at[3] != 255;
      }
    }
    EXPECT_EQ(wrong, 0u);
  }
}

TEST(HeroIcon, SmallIconsShowTheHeadAndLargeOnesTheFeet) {
  const std::vector<uint8_t> hero = Figure(2, 13);
  const PaletteEntries& palette = PaletteTable();
  const auto bottomLeftOfFigure = [&](uint32_t size) {
    const RgbaPicture icon = DrawHeroIcon(hero, size);
    const IconWindow window = WindowForSize(hero, size);
    const uint32_t x = static_cast<uint32_t>(2 - window.left) * window.scale;
    const uint8_t* at = &icon.pixels[(size_t{size - 1} * size + x) * 4];
    return std::array<uint8_t, 3>{at[0], at[1], at[2]};
  };
  const auto colourOf = [&](uint32_t row) {
    const PaletteEntry& entry = palette[hero[row * HeroWidth + 2]];
    return std::array<uint8_t, 3>{entry.red, entry.green, entry.blue};
  };
  EXPECT_EQ(bottomLeftOfFigure(16), colourOf(15));
  EXPECT_EQ(bottomLeftOfFigure(24), colourOf(11));
  EXPECT_EQ(bottomLeftOfFigure(48), colourOf(15));
  EXPECT_EQ(bottomLeftOfFigure(64), colourOf(31));
  EXPECT_EQ(bottomLeftOfFigure(256), colourOf(31));
}

TEST(HeroIcon, FigureOffToOneSideIsCentredNotThePicture) {
  // Eleven columns hard against the right edge, as a weapon held out would.
  const std::vector<uint8_t> hero = Figure(5, 15);
  const IconWindow large = WindowForSize(hero, 256);
  const int32_t leftMargin = 5 - large.left;
  const int32_t rightMargin = large.left + 32 - 16;
  EXPECT_EQ(leftMargin, 10);
  EXPECT_EQ(rightMargin, 11) << "the odd column of room goes to the right";

  // Fifteen columns into a window of twelve: the odd column comes off the left.
  const IconWindow crop = WindowForSize(Figure(0, 14), 24);
  EXPECT_EQ(crop.left, 2);
}

TEST(HeroIcon, ScalableIconHasOneRectanglePerRunOfEqualPixels) {
  std::vector<uint8_t> hero(HeroWidth * HeroHeight, Nothing);
  hero[3 * HeroWidth + 4] = 5;  // a run of three of colour 5, then one of colour 6
  hero[3 * HeroWidth + 5] = 5;
  hero[3 * HeroWidth + 6] = 5;
  hero[3 * HeroWidth + 7] = 6;
  hero[20 * HeroWidth + 7] = 249;
  const std::string svg = HeroIconSvg(hero);
  EXPECT_NE(svg.find("viewBox=\"0 0 32 32\""), std::string::npos);
  EXPECT_NE(svg.find("shape-rendering=\"crispEdges\""), std::string::npos);

  const std::regex rect(
      R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="1" fill="(#[0-9a-f]{6})"/>)re");
  std::vector<std::string> rects;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), rect); it != std::sregex_iterator();
       ++it) {
    rects.push_back((*it)[1].str() + "," + (*it)[2].str() + "," + (*it)[3].str() + " " +
                    (*it)[4].str());
  }
  // Columns 4 to 7 centred in 32: the figure starts at unit 14.
  const std::vector<std::string> expected = {"14,3,3 #0000ff", "17,3,1 #330000", "17,20,1 #f1ff11"};
  EXPECT_EQ(rects, expected);
}

TEST(HeroIcon, TheShippedHeroMakesAnIconClearAtTheTopCorners) {
  ShelfResult sources = ReadSpriteDirectory(ZORBULANT_SOURCE_DIR "/content/sprites");
  ASSERT_EQ(sources.error, "");
  SpriteShelf shelf(std::move(sources.sprites));
  std::string error;
  const std::vector<uint8_t> pictures = ComposeHeroPictures(shelf, error);
  ASSERT_EQ(error, "");
  const auto first = pictures.begin() + IconHeroPicture * HeroWidth * HeroHeight;
  const std::vector<uint8_t> hero(first, first + HeroWidth * HeroHeight);
  for (const uint32_t size : IconSizes) {
    SCOPED_TRACE(size);
    const RgbaPicture icon = DrawHeroIcon(hero, size);
    uint32_t opaque = 0;
    for (size_t i = 3; i < icon.pixels.size(); i += 4) opaque += icon.pixels[i] == 255;
    EXPECT_GT(opaque, size * size / 4) << "the figure fills a good part of the square";
    EXPECT_LT(opaque, size * size) << "with clear room around it";
    // The helmet is narrower than the shoulders below it and the weapon.
    EXPECT_EQ(icon.pixels[3], 0) << "top left";
    EXPECT_EQ(icon.pixels[(size_t{size} - 1) * 4 + 3], 0) << "top right";
  }
}

}  // namespace
}  // namespace zorbulant::tools
