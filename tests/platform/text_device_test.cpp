// Text on an 8-bit surface: which face a request gets, where the cell and its
// lines fall, spacing, colour, transparency, clipping, and that the same job
// always gives the same bytes.
#include "platform/text/surface_text_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/display.h"
#include "platform/text/windows_1252.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

// Where the package puts the faces on Debian.
const std::filesystem::path PackageFaces = "/usr/share/fonts/truetype/dejavu";

FontLibrary& InstalledFonts() {
  static FontLibrary fonts;
  return fonts;
}

constexpr uint8_t Paper = 100;  // a cube colour, never the ink of a test

// A surface with a guard band on every side that the device never sees.
struct Canvas {
  static constexpr int32_t Guard = 40;

  Canvas(int32_t surfaceWidth, int32_t surfaceHeight)
      : width(surfaceWidth),
        height(surfaceHeight),
        bytes(static_cast<size_t>(Pitch() * (height + 2 * Guard)), Paper) {}

  int32_t Pitch() const { return width + 2 * Guard; }
  uint8_t& At(int32_t x, int32_t y) {
    return bytes[static_cast<size_t>((y + Guard) * Pitch() + x + Guard)];
  }
  bool Ink(int32_t x, int32_t y) { return At(x, y) != Paper; }

  SurfaceTextDevice Device(FontLibrary& fonts = InstalledFonts(),
                           const PaletteEntries& palette = PaletteTable()) {
    return SurfaceTextDevice(fonts, &At(0, 0), static_cast<uint32_t>(Pitch()),
                             static_cast<uint32_t>(width), static_cast<uint32_t>(height), palette);
  }

  bool GuardIntact() {
    for (int32_t y = -Guard; y < height + Guard; ++y) {
      for (int32_t x = -Guard; x < width + Guard; ++x) {
        const bool inside = x >= 0 && x < width && y >= 0 && y < height;
        if (!inside && At(x, y) != Paper) return false;
      }
    }
    return true;
  }

  int32_t InkCount() {
    int32_t count = 0;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) count += Ink(x, y);
    }
    return count;
  }

  // Inclusive bounds of the ink; left > right when there is none.
  struct Box {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  };
  Box InkBox() {
    Box box;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        if (!Ink(x, y)) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y)};
      }
    }
    return box;
  }
  int32_t LeftmostInk(int32_t y) {
    for (int32_t x = 0; x < width; ++x) {
      if (Ink(x, y)) return x;
    }
    return -1;
  }

  // An underline or strike-out is the longest unbroken run of ink in a row.
  struct Line {
    int32_t left = 0;
    int32_t length = 0;
    std::vector<int32_t> rows;
  };
  Line LongestRuns() {
    Line line;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width;) {
        if (!Ink(x, y)) {
          ++x;
          continue;
        }
        const int32_t start = x;
        while (x < width && Ink(x, y)) ++x;
        if (x - start > line.length) line = {start, x - start, {}};
        if (x - start == line.length && (line.rows.empty() || line.rows.back() != y)) {
          line.rows.push_back(y);
        }
      }
    }
    return line;
  }

  int32_t width;
  int32_t height;
  std::vector<uint8_t> bytes;
};

FontRequest Request(int32_t height, int32_t weight = 400) {
  FontRequest request;
  request.height = height;
  request.weight = weight;
  return request;
}

FontRequest Underlined(FontRequest request) {
  request.underline = 1;
  return request;
}

// The credits ticker's font: 14-pixel cell, 8-pixel characters, fixed pitch.
FontRequest TickerFont() {
  FontRequest request = Request(14);
  request.width = 8;
  request.pitchAndFamily = 0x31;
  return request;
}

// One pass of a text job: make the font, write in black, delete the font.
void Write(Canvas& canvas, const FontRequest& request, int32_t x, int32_t y, std::string_view text,
           int32_t extra = 0) {
  SurfaceTextDevice device = canvas.Device();
  const TextDevice::Font font = device.MakeFont(request);
  ASSERT_NE(font, 0u);
  device.SelectFont(font);
  device.SetBackgroundMode(BackgroundTransparent);
  device.SetCharacterExtra(extra);
  EXPECT_TRUE(device.WriteText(x, y, text.data(), static_cast<int32_t>(text.size())));
  EXPECT_TRUE(device.DeleteFont(font));
}

// The written width of a text: the length of its underline.
int32_t WrittenWidth(FontRequest request, std::string_view text, int32_t extra = 0) {
  Canvas canvas(700, 60);
  Write(canvas, Underlined(request), 0, 4, text, extra);
  return canvas.LongestRuns().length;
}

TEST(TextFaceChoice, FixedPitchOrModernFamilyGivesEqualAdvances) {
  for (uint32_t pitchAndFamily : {0x31u, 0x01u, 0x30u}) {
    FontRequest request = Request(26);
    request.pitchAndFamily = pitchAndFamily;
    const int32_t narrow = WrittenWidth(request, "iiiiiiiiii");
    EXPECT_GT(narrow, 0);
    EXPECT_EQ(narrow, WrittenWidth(request, "WWWWWWWWWW")) << pitchAndFamily;
    EXPECT_EQ(narrow, WrittenWidth(request, "..........")) << pitchAndFamily;
  }
}

TEST(TextFaceChoice, VariablePitchIsProportional) {
  // Default, variable pitch, and the Swiss family all get the proportional face.
  for (uint32_t pitchAndFamily : {0x00u, 0x02u, 0x20u}) {
    FontRequest request = Request(26);
    request.pitchAndFamily = pitchAndFamily;
    EXPECT_LT(WrittenWidth(request, "iiiiiiiiii"), WrittenWidth(request, "WWWWWWWWWW"))
        << pitchAndFamily;
  }
}

TEST(TextFaceChoice, HeavyWeightsDrawTheBoldFace) {
  auto ink = [](int32_t weight) {
    Canvas canvas(400, 50);
    Write(canvas, Request(30, weight), 2, 2, "Zorbulant");
    return canvas.InkCount();
  };
  EXPECT_GT(ink(800), ink(400) * 5 / 4);
  // One bold face serves every weight from semi-bold up, and nothing below.
  EXPECT_EQ(ink(600), ink(800));
  EXPECT_EQ(ink(900), ink(800));
  EXPECT_EQ(ink(500), ink(400));
}

TEST(TextFaceChoice, ItalicSlantsToTheRight) {
  auto slant = [](uint32_t italic) {
    FontRequest request = Request(80, 800);
    request.italic = italic;
    Canvas canvas(100, 90);
    Write(canvas, request, 20, 2, "l");
    const Canvas::Box box = canvas.InkBox();
    return canvas.LeftmostInk(box.top) - canvas.LeftmostInk(box.bottom);
  };
  // An upright l is a plain bar; a slanted one's top is well right of its foot.
  EXPECT_EQ(slant(0), 0);
  EXPECT_GT(slant(1), 8);
}

TEST(TextCell, TallestAndDeepestLettersStayInTheCell) {
  for (int32_t height : {14, 16, 26, 30, 80}) {
    Canvas canvas(200, 100);
    Write(canvas, Request(height), 5, 10, "\xC9g");
    const Canvas::Box box = canvas.InkBox();
    EXPECT_GE(box.top, 10) << height;
    EXPECT_LT(box.bottom, 10 + height) << height;
    // Capital accent to descender fills nearly the whole cell.
    EXPECT_GE((box.bottom - box.top + 1) * 10, height * 8) << height;
  }
}

TEST(TextCell, NegativeHeightIsTheEmHeight) {
  // The faces reach 1901 units up and 483 down from the baseline on an em of
  // 2048: a 25-pixel em spans 23.2 + 5.9, whole rows 24 + 6, and so is the
  // largest em a 30-pixel cell holds.
  Canvas byCell(300, 50);
  Canvas byEm(300, 50);
  Write(byCell, Request(30), 2, 2, "Mission \xC9g");
  Write(byEm, Request(-25), 2, 2, "Mission \xC9g");
  EXPECT_EQ(byCell.bytes, byEm.bytes);
}

TEST(TextCell, ZeroHeightIsASixteenPixelCell) {
  Canvas byDefault(200, 40);
  Canvas explicitly(200, 40);
  Write(byDefault, Request(0), 2, 2, "Zorbulant");
  Write(explicitly, Request(16), 2, 2, "Zorbulant");
  EXPECT_EQ(byDefault.bytes, explicitly.bytes);
  EXPECT_GT(byDefault.InkCount(), 0);
}

TEST(TextWidth, TickerCharactersAreEightPixelsApart) {
  const std::string_view fifty = "iW m.Zorbulant - credits ticker -- 0123456789 @#%&";
  ASSERT_EQ(fifty.size(), 50u);
  EXPECT_EQ(WrittenWidth(TickerFont(), fifty), 400);
  EXPECT_EQ(WrittenWidth(TickerFont(), "i"), 8);
  EXPECT_EQ(WrittenWidth(TickerFont(), "W"), 8);
}

TEST(TextWidth, AverageWidthScalesTheProportionalFace) {
  FontRequest narrow = Request(30);
  narrow.width = 6;
  FontRequest wide = Request(30);
  wide.width = 18;
  const int32_t natural = WrittenWidth(Request(30), "Zorbulant");
  EXPECT_LT(WrittenWidth(narrow, "Zorbulant"), natural);
  EXPECT_GT(WrittenWidth(wide, "Zorbulant"), natural);
}

TEST(TextSpacing, CharacterExtraFollowsEveryCharacter) {
  const FontRequest title = Request(26, 600);
  const std::string_view text = "Next Mission:";
  const int32_t length = static_cast<int32_t>(text.size());
  EXPECT_EQ(WrittenWidth(title, text, 4) - WrittenWidth(title, text, 0), 4 * length);

  // The last character starts (length - 1) extras further right.
  Canvas plain(400, 40);
  Canvas spaced(400, 40);
  Write(plain, title, 2, 2, text, 0);
  Write(spaced, title, 2, 2, text, 4);
  EXPECT_EQ(spaced.InkBox().right - plain.InkBox().right, 4 * (length - 1));
  EXPECT_EQ(spaced.InkBox().left, plain.InkBox().left);
}

TEST(TextLines, UnderlineRunsBelowTheBaselineUnderTheWholeText) {
  for (int32_t height : {14, 26, 80}) {
    const FontRequest request = Request(height, 600);
    Canvas plain(700, 100);
    Canvas underlined(700, 100);
    // No descenders: the plain text's lowest row is the one on the baseline.
    Write(plain, request, 10, 5, "Next Mission:", 4);
    Write(underlined, Underlined(request), 10, 5, "Next Mission:", 4);

    const Canvas::Line line = underlined.LongestRuns();
    ASSERT_FALSE(line.rows.empty());
    EXPECT_EQ(line.left, 10) << height;
    EXPECT_GE(line.length, plain.InkBox().right - 10) << height;
    EXPECT_GT(line.rows.front(), plain.InkBox().bottom) << height;
    EXPECT_LT(line.rows.back(), 5 + height) << height;
    const int32_t thickness = static_cast<int32_t>(line.rows.size());
    EXPECT_EQ(line.rows.back() - line.rows.front() + 1, thickness) << height;
    EXPECT_GE(thickness, 1);
    EXPECT_LE(thickness, std::max(1, height / 10)) << height;

    // The line is all the underline adds.
    for (int32_t y = 0; y < underlined.height; ++y) {
      if (y >= line.rows.front() && y <= line.rows.back()) continue;
      for (int32_t x = 0; x < underlined.width; ++x) {
        ASSERT_EQ(underlined.At(x, y), plain.At(x, y)) << height << " " << x << "," << y;
      }
    }
  }
}

TEST(TextLines, StrikeOutCrossesTheLetters) {
  FontRequest request = Request(30, 800);
  Canvas plain(400, 50);
  Write(plain, request, 10, 5, "MISSION");
  request.strikeOut = 1;
  Canvas struck(400, 50);
  Write(struck, request, 10, 5, "MISSION");

  const Canvas::Line line = struck.LongestRuns();
  ASSERT_FALSE(line.rows.empty());
  EXPECT_EQ(line.left, 10);
  EXPECT_EQ(line.length, WrittenWidth(Request(30, 800), "MISSION"));
  const Canvas::Box letters = plain.InkBox();
  EXPECT_GT(line.rows.front(), letters.top);
  EXPECT_LT(line.rows.back(), letters.bottom);
}

TEST(TextBackground, OnlyTheStrokesAreWritten) {
  Canvas canvas(120, 100);
  SurfaceTextDevice device = canvas.Device();
  device.SetTextColour(ColourRef(255, 0, 0));
  const TextDevice::Font font = device.MakeFont(Request(80, 800));
  device.SelectFont(font);
  EXPECT_EQ(device.SetBackgroundMode(BackgroundTransparent), BackgroundOpaque);
  ASSERT_TRUE(device.WriteText(5, 5, "O", 1));
  device.DeleteFont(font);

  const Canvas::Box box = canvas.InkBox();
  ASSERT_LT(box.left, box.right);
  // The middle of the O is the picture underneath.
  EXPECT_EQ(canvas.At((box.left + box.right) / 2, (box.top + box.bottom) / 2), Paper);
  const uint8_t red = canvas.At(box.left, (box.top + box.bottom) / 2);
  for (uint8_t pixel : canvas.bytes) EXPECT_TRUE(pixel == Paper || pixel == red);
}

TEST(TextBackground, OpaqueModeIsKeptButDrawsLikeTransparent) {
  Canvas transparent(120, 40);
  Canvas opaque(120, 40);
  Write(transparent, Request(26), 5, 5, "go");
  SurfaceTextDevice device = opaque.Device();
  EXPECT_EQ(device.SetBackgroundMode(BackgroundOpaque), BackgroundOpaque);
  EXPECT_EQ(device.SetBackgroundMode(3), 0);  // no such mode
  EXPECT_EQ(device.SetBackgroundMode(BackgroundOpaque), BackgroundOpaque);
  const TextDevice::Font font = device.MakeFont(Request(26));
  device.SelectFont(font);
  device.WriteText(5, 5, "go", 2);
  device.DeleteFont(font);
  EXPECT_EQ(opaque.bytes, transparent.bytes);
}

// The index of the first palette entry that is exactly this colour.
size_t ExactIndex(const PaletteEntries& palette, uint8_t red, uint8_t green, uint8_t blue) {
  const auto entry = std::find_if(palette.begin(), palette.end(), [&](const PaletteEntry& e) {
    return e.red == red && e.green == green && e.blue == blue;
  });
  return static_cast<size_t>(entry - palette.begin());
}

uint8_t InkOf(uint32_t colour, const PaletteEntries& palette = PaletteTable()) {
  Canvas canvas(40, 40);
  SurfaceTextDevice device = canvas.Device(InstalledFonts(), palette);
  device.SetTextColour(colour);
  device.WriteText(2, 2, "I", 1);
  const Canvas::Box box = canvas.InkBox();
  return canvas.At(box.left, box.top);
}

TEST(TextColour, NearestPaletteEntry) {
  const PaletteEntries& palette = PaletteTable();
  // Black is also at 216 to 247; the first of equals wins.
  EXPECT_EQ(InkOf(ColourRef(0, 0, 0)), ExactIndex(palette, 0, 0, 0));
  EXPECT_EQ(InkOf(ColourRef(0, 0, 0)), 0);
  EXPECT_EQ(InkOf(ColourRef(255, 0, 0)), ExactIndex(palette, 255, 0, 0));
  EXPECT_EQ(InkOf(ColourRef(255, 255, 255)), ExactIndex(palette, 255, 255, 255));
  // Between cube levels 0 and 51: 30 is nearer 51, 20 nearer 0.
  EXPECT_EQ(InkOf(ColourRef(30, 0, 0)), ExactIndex(palette, 51, 0, 0));
  EXPECT_EQ(InkOf(ColourRef(0, 20, 0)), ExactIndex(palette, 0, 0, 0));
  // Near a fixed colour rather than the cube.
  EXPECT_EQ(InkOf(ColourRef(180, 2, 1)), ExactIndex(palette, 183, 0, 0));
}

TEST(TextColour, EqualDistancesGoToTheLowestIndex) {
  PaletteEntries palette{};
  for (PaletteEntry& entry : palette) entry = {200, 200, 200, 0};
  palette[9] = {100, 0, 0, 0};
  palette[5] = {0, 100, 0, 0};
  palette[7] = {0, 0, 100, 0};
  EXPECT_EQ(InkOf(ColourRef(0, 0, 0), palette), 5);
  EXPECT_EQ(InkOf(ColourRef(90, 0, 0), palette), 9);
}

TEST(TextColour, SettersReturnWhatWasSet) {
  Canvas canvas(10, 10);
  SurfaceTextDevice device = canvas.Device();
  EXPECT_EQ(device.SetTextColour(ColourRef(255, 0, 0)), 0u);
  EXPECT_EQ(device.SetTextColour(0), ColourRef(255, 0, 0));
  EXPECT_EQ(device.SetCharacterExtra(4), 0);
  EXPECT_EQ(device.SetCharacterExtra(0), 4);
}

TEST(TextClipping, NothingOutsideTheSurfaceIsTouched) {
  FontRequest request = Request(80, 800);
  request.italic = 1;
  request.underline = 1;
  request.strikeOut = 1;
  const std::string_view text = "W\x81gl_";
  const struct {
    int32_t x, y;
    bool reaches;
  } places[] = {
      // Across the left, top, right and bottom edges, and over all four.
      {-30, -30, true},
      {-60, -10, true},
      {10, -50, true},
      {4, -20, true},
      {-5, -40, true},
      {20, -65, true},
      // Wholly beside the surface.
      {-250, 0, false},
      {30, 0, false},
      {0, 20, false},
      {0, -100, false},
      {INT32_MIN, 0, false},
      {INT32_MAX, 0, false},
      {0, INT32_MIN, false},
      {0, INT32_MAX, false},
  };
  for (const auto& place : places) {
    Canvas canvas(24, 16);
    SurfaceTextDevice device = canvas.Device();
    const TextDevice::Font font = device.MakeFont(request);
    device.SelectFont(font);
    device.SetCharacterExtra(3);
    EXPECT_TRUE(device.WriteText(place.x, place.y, text.data(), static_cast<int32_t>(text.size())));
    device.DeleteFont(font);
    EXPECT_TRUE(canvas.GuardIntact()) << place.x << "," << place.y;
    EXPECT_EQ(canvas.InkCount() > 0, place.reaches) << place.x << "," << place.y;
  }
}

TEST(TextCharacters, ZeroBytesAreBlanksThatTakeRoom) {
  Canvas zeros(200, 40);
  Canvas spaces(200, 40);
  Canvas together(200, 40);
  Write(zeros, Request(26), 2, 2, std::string_view("A\0\0B", 4));
  Write(spaces, Request(26), 2, 2, "A  B");
  Write(together, Request(26), 2, 2, "AB");
  EXPECT_EQ(zeros.bytes, spaces.bytes);
  EXPECT_GT(zeros.InkBox().right, together.InkBox().right);
}

TEST(TextCharacters, MissingCharactersDrawTheMissingGlyph) {
  // 0x81 and 0x90 are holes in the code page: both draw the same box.
  Canvas hole(60, 40);
  Canvas otherHole(60, 40);
  Canvas euro(60, 40);
  Write(hole, Request(26), 2, 2, "\x81");
  Write(otherHole, Request(26), 2, 2, "\x90");
  Write(euro, Request(26), 2, 2, "\x80");
  EXPECT_GT(hole.InkCount(), 0);
  EXPECT_EQ(hole.bytes, otherHole.bytes);
  EXPECT_NE(euro.bytes, hole.bytes);
}

TEST(TextCharacters, Windows1252CodePoints) {
  EXPECT_EQ(Windows1252CodePoint('A'), U'A');
  EXPECT_EQ(Windows1252CodePoint(0x00), U'\0');
  EXPECT_EQ(Windows1252CodePoint(0x7F), U'\x7F');
  EXPECT_EQ(Windows1252CodePoint(0x80), U'\u20AC');  // euro sign
  EXPECT_EQ(Windows1252CodePoint(0x8A), U'\u0160');  // S with caron
  EXPECT_EQ(Windows1252CodePoint(0x92), U'\u2019');  // right single quotation mark
  EXPECT_EQ(Windows1252CodePoint(0x9F), U'\u0178');  // Y with diaeresis
  EXPECT_EQ(Windows1252CodePoint(0x81), U'\x81');    // undefined: left as it is
  EXPECT_EQ(Windows1252CodePoint(0x9D), U'\x9D');
  EXPECT_EQ(Windows1252CodePoint(0xA0), U'\xA0');  // Latin-1 from here on
  EXPECT_EQ(Windows1252CodePoint(0xC9), U'\xC9');
  EXPECT_EQ(Windows1252CodePoint(0xFF), U'\xFF');
}

TEST(TextCharacters, EmptyAndNegativeLengths) {
  Canvas canvas(60, 40);
  SurfaceTextDevice device = canvas.Device();
  const TextDevice::Font font = device.MakeFont(Underlined(Request(26)));
  device.SelectFont(font);
  EXPECT_TRUE(device.WriteText(2, 2, "abc", 0));
  EXPECT_FALSE(device.WriteText(2, 2, "abc", -1));
  EXPECT_EQ(canvas.InkCount(), 0);
  device.DeleteFont(font);
}

// The start-up caption, drawn twice the way a text job draws.
std::vector<uint8_t> Caption(FontLibrary& fonts) {
  Canvas canvas(320, 120);
  SurfaceTextDevice device = canvas.Device(fonts);
  FontRequest request = Request(80, 800);
  request.italic = 1;
  const TextDevice::Font font = device.MakeFont(request);
  device.SelectFont(font);
  device.SetBackgroundMode(BackgroundTransparent);
  device.WriteText(10, 10, "Zorbulant", 9);
  device.SetTextColour(ColourRef(255, 0, 0));
  device.WriteText(11, 9, "Zorbulant", 9);
  device.DeleteFont(font);
  return canvas.bytes;
}

TEST(TextDeterminism, SameJobSameBytes) {
  // The second drawing comes from cached glyphs, the third from a library
  // that renders them afresh.
  FontLibrary fresh(PackageFaces);
  const std::vector<uint8_t> first = Caption(InstalledFonts());
  EXPECT_EQ(Caption(InstalledFonts()), first);
  EXPECT_EQ(Caption(fresh), first);
}

TEST(TextFonts, HandlesLiveUntilDeleted) {
  Canvas canvas(10, 10);
  SurfaceTextDevice device = canvas.Device();
  EXPECT_FALSE(device.DeleteFont(0));
  EXPECT_FALSE(device.DeleteFont(0xDEAD));
  const TextDevice::Font first = device.MakeFont(Request(26));
  const TextDevice::Font second = device.MakeFont(Request(26));
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(device.SelectFont(first), 0u);
  EXPECT_EQ(device.SelectFont(second), first);
  EXPECT_EQ(device.SelectFont(0xDEAD), 0u);  // refused, `second` stays
  EXPECT_EQ(device.SelectFont(first), second);
  EXPECT_TRUE(device.DeleteFont(first));
  EXPECT_FALSE(device.DeleteFont(first));
  EXPECT_EQ(device.SelectFont(first), 0u);
  EXPECT_TRUE(device.DeleteFont(second));
}

TEST(TextFonts, WithoutASelectedFontTheSystemFontDraws) {
  Canvas fresh(200, 40);
  Canvas afterDelete(200, 40);
  Canvas systemLike(200, 40);
  fresh.Device().WriteText(2, 2, "Zorbulant", 9);

  // Deleting the selected font leaves the system font in its place.
  SurfaceTextDevice device = afterDelete.Device();
  const TextDevice::Font font = device.MakeFont(Request(40));
  device.SelectFont(font);
  EXPECT_TRUE(device.DeleteFont(font));
  device.WriteText(2, 2, "Zorbulant", 9);

  Write(systemLike, Request(16, 700), 2, 2, "Zorbulant");
  EXPECT_GT(fresh.InkCount(), 0);
  EXPECT_EQ(fresh.bytes, systemLike.bytes);
  EXPECT_EQ(afterDelete.bytes, systemLike.bytes);
}

TEST(TextFonts, MissingFacesDrawNothing) {
  FontLibrary none("/nonexistent/zorbulant-fonts");
  Canvas canvas(100, 40);
  SurfaceTextDevice device = canvas.Device(none);
  EXPECT_EQ(device.MakeFont(Request(26)), 0u);
  EXPECT_FALSE(device.WriteText(2, 2, "Zorbulant", 9));
  EXPECT_EQ(canvas.InkCount(), 0);
  EXPECT_TRUE(canvas.GuardIntact());
}

TEST(TextFonts, AMissingFaceGivesWayToAnother) {
  testing::TempDirectory directory;
  std::filesystem::create_symlink(PackageFaces / "DejaVuSans.ttf",
                                  directory.path() / "DejaVuSans.ttf");
  FontLibrary sansOnly(directory.path());
  FontLibrary all(PackageFaces);

  auto draw = [](FontLibrary& fonts, FontRequest request) {
    Canvas canvas(200, 40);
    SurfaceTextDevice device = canvas.Device(fonts);
    device.SelectFont(device.MakeFont(request));
    device.WriteText(2, 2, "Zorbulant", 9);
    return canvas.bytes;
  };
  FontRequest boldMono = Request(26, 800);
  boldMono.pitchAndFamily = 0x31;
  EXPECT_EQ(draw(sansOnly, boldMono), draw(all, Request(26)));
}

TEST(TextFonts, AbsurdSizesAreRefused) {
  Canvas canvas(10, 10);
  SurfaceTextDevice device = canvas.Device();
  EXPECT_EQ(device.MakeFont(Request(INT32_MIN)), 0u);
  EXPECT_EQ(device.MakeFont(Request(100000)), 0u);
  FontRequest wide = Request(26);
  wide.width = INT32_MIN;
  EXPECT_EQ(device.MakeFont(wide), 0u);
}

}  // namespace
}  // namespace zorbulant
