// GDI text as the game draws it: the 32-bit font handles, the context's own
// font kept safe, character spacing, and the game's two passes on the
// windowed screen.
#include "platform/win32/gdi_text_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/text_job.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

constexpr uint8_t White = 215;
constexpr uint8_t Black = 0;
constexpr uint8_t PureRed = 30;

// The smallest rectangle around every pixel of one palette index.
struct Ink {
  int left = 320;
  int top = 200;
  int right = -1;
  int bottom = -1;
  bool Empty() const { return right < 0; }
};

Ink InkOf(const std::vector<uint8_t>& picture, uint8_t index) {
  Ink ink;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 320; ++x) {
      if (picture[static_cast<size_t>(y * 320 + x)] != index) continue;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

struct GdiTextDeviceTest : ::testing::Test {
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(win32.Start());
    win32.Fill(White);
    context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
    ASSERT_NE(context, nullptr);
    dc = context->DeviceContext();
    ownFont = ::GetCurrentObject(dc, OBJ_FONT);
  }
  void TearDown() override {
    if (context != nullptr) win32.display.ReleaseTextContext(context);
  }

  // Writes `text` in red at (10, 10) with `extra` pixels between characters
  // and returns the ink's width.
  int RedWidth(const char* text, int32_t extra) {
    win32.display.ReleaseTextContext(context);
    win32.Fill(White);
    context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
    FontRequest request;
    request.height = 24;
    request.weight = 400;
    const TextDevice::Font font = context->MakeFont(request);
    context->SelectFont(font);
    context->SetBackgroundMode(BackgroundTransparent);
    context->SetCharacterExtra(extra);
    context->SetTextColour(ColourRef(255, 0, 0));
    context->WriteText(10, 10, text, static_cast<int32_t>(std::strlen(text)));
    context->DeleteFont(font);
    win32.display.ReleaseTextContext(context);
    const Ink ink = InkOf(win32.Picture(), PureRed);
    context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
    return ink.Empty() ? 0 : ink.right - ink.left + 1;
  }

  testing::Win32Game win32;
  GdiTextDevice* context = nullptr;
  HDC dc = nullptr;
  HGDIOBJ ownFont = nullptr;
};

TEST_F(GdiTextDeviceTest, FontHandlesAreSelectedAndDeletedOnceAndZeroIsTheContextsOwnFont) {
  FontRequest request;
  request.height = 20;
  const TextDevice::Font first = context->MakeFont(request);
  const TextDevice::Font second = context->MakeFont(request);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(context->SelectFont(first), 0u);
  EXPECT_NE(::GetCurrentObject(dc, OBJ_FONT), ownFont);
  EXPECT_EQ(context->SelectFont(second), first);
  EXPECT_EQ(context->SelectFont(0), second);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ownFont);
  // A handle never given out selects nothing.
  EXPECT_EQ(context->SelectFont(second + 100), 0u);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ownFont);
  EXPECT_TRUE(context->DeleteFont(first));
  EXPECT_FALSE(context->DeleteFont(first));
  EXPECT_FALSE(context->DeleteFont(0));
  EXPECT_TRUE(context->DeleteFont(second));
}

TEST_F(GdiTextDeviceTest, NoFontOfOursStaysSelectedOnceDeletedOrTheContextReleased) {
  FontRequest request;
  request.height = 20;
  const TextDevice::Font deleted = context->MakeFont(request);
  context->SelectFont(deleted);
  EXPECT_TRUE(context->DeleteFont(deleted));
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ownFont);

  const TextDevice::Font kept = context->MakeFont(request);
  context->SelectFont(kept);
  win32.display.ReleaseTextContext(context);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ownFont);
  context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
  // Fonts outlive the context they were made on.
  EXPECT_TRUE(context->DeleteFont(kept));
}

TEST_F(GdiTextDeviceTest, CharacterExtraWidensTheTextByOneGapPerCharacterPair) {
  const int plain = RedWidth("IIII", 0);
  ASSERT_GT(plain, 0);
  EXPECT_EQ(RedWidth("IIII", 5), plain + 3 * 5);
  EXPECT_EQ(RedWidth("I", 5), RedWidth("I", 0));
}

TEST_F(GdiTextDeviceTest, ATextJobDrawsRedOverABlackShadowBelowAndLeft) {
  win32.display.ReleaseTextContext(context);
  context = nullptr;
  TextJob& job = win32.game.textJob;
  static constexpr char Text[] = "Mission";
  job.TextX = 40;
  job.TextY = 60;
  job.TextLength = 7;
  job.TextPointer = Text;
  job.CharacterExtra = 2;
  SetTextFont(job, 30, 0, 800, 0, 0);
  DrawTextJob(win32.game);

  const std::vector<uint8_t> picture = win32.Picture();
  const Ink red = InkOf(picture, PureRed);
  const Ink black = InkOf(picture, Black);
  ASSERT_FALSE(red.Empty());
  ASSERT_FALSE(black.Empty());
  // The red pass lies one pixel right of and one above the black one, so
  // the shadow shows at the left and at the bottom.
  EXPECT_EQ(black.left, red.left - 1);
  EXPECT_EQ(black.bottom, red.bottom + 1);
  EXPECT_LE(black.top, red.top + 1);
  EXPECT_LE(black.right, red.right);
}

}  // namespace
}  // namespace zorbulant
