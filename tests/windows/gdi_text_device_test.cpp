// GDI text as the game draws it on the windowed screen: the 32-bit font
// handles, the context's own font kept safe, the text's length and spacing,
// and the game's two passes.
#include "platform/win32/gdi_text_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "platform/text_job.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

constexpr uint8_t White = 215;
constexpr uint8_t Black = 0;
constexpr uint8_t PureRed = 30;  // cube levels red 5, green 0, blue 0

struct GdiTextDeviceTest : testing::Win32GameTest {
  // Writes `text` as a text job on white, with `extra` pixels between
  // characters.
  void Job(std::string_view text, int32_t extra) {
    win32.Fill(White);
    TextJob& job = win32.game.textJob;
    job.TextX = 40;
    job.TextY = 60;
    job.TextLength = static_cast<int32_t>(text.size());
    job.TextPointer = text.data();
    job.CharacterExtra = extra;
    SetTextFont(job, 30, 0, 800, 0, 0);
    DrawTextJob(win32.game);
  }

  // The smallest rectangle around every pixel of one palette index; empty
  // when there is none.
  RECT InkOf(uint8_t index) {
    RECT ink{320, 200, 0, 0};
    LockedSurface surface;
    if (!win32.display.Lock(surface)) return ink;
    for (LONG y = 0; y < 200; ++y) {
      for (LONG x = 0; x < 320; ++x) {
        if (surface.pixels[y * surface.pitch + x] != index) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
    win32.display.Unlock();
    return ink;
  }

  LONG RedWidth(std::string_view text, int32_t extra) {
    Job(text, extra);
    const RECT ink = InkOf(PureRed);
    return std::max(0L, ink.right - ink.left);
  }
};

TEST_F(GdiTextDeviceTest, FontHandlesComeAndGoAndTheContextKeepsItsOwnFont) {
  auto* context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
  ASSERT_NE(context, nullptr);
  const HDC dc = context->DeviceContext();
  const HGDIOBJ own = ::GetCurrentObject(dc, OBJ_FONT);
  FontRequest request;
  request.height = 20;
  const TextDevice::Font first = context->MakeFont(request);
  const TextDevice::Font second = context->MakeFont(request);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, first);
  EXPECT_EQ(context->SelectFont(first), 0u);
  EXPECT_NE(::GetCurrentObject(dc, OBJ_FONT), own);
  EXPECT_EQ(context->SelectFont(second), first);
  EXPECT_EQ(context->SelectFont(0), second);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), own);
  EXPECT_EQ(context->SelectFont(second + 100), 0u);  // never given out

  // None of ours stays selected once deleted or once the context is released,
  // and fonts outlive the context they were made on.
  context->SelectFont(first);
  EXPECT_TRUE(context->DeleteFont(first));
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), own);
  EXPECT_FALSE(context->DeleteFont(first));
  context->SelectFont(second);
  ASSERT_TRUE(win32.display.ReleaseTextContext(context));
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), own);
  context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
  EXPECT_TRUE(context->DeleteFont(second));
  win32.display.ReleaseTextContext(context);
}

TEST_F(GdiTextDeviceTest, EveryByteOfTheLengthIsWrittenWithTheExtraBetweenCharacters) {
  const LONG plain = RedWidth("IIII", 0);
  ASSERT_GT(plain, 0L);
  EXPECT_EQ(RedWidth("IIII", 5), plain + 3 * 5);
  EXPECT_EQ(RedWidth("I", 5), RedWidth("I", 0));
  // A zero byte within the length does not end the text.
  EXPECT_GT(RedWidth(std::string_view("I\0I", 3), 5), RedWidth("I", 5) + 2 * 5);
}

TEST_F(GdiTextDeviceTest, ATextJobDrawsRedOverABlackShadowBelowAndLeft) {
  Job("Mission", 2);
  const RECT red = InkOf(PureRed);
  const RECT black = InkOf(Black);
  ASSERT_FALSE(::IsRectEmpty(&red));
  ASSERT_FALSE(::IsRectEmpty(&black));
  // The red pass lies one pixel right of and one above the black one, so the
  // shadow shows at the left and at the bottom.
  EXPECT_EQ(black.left, red.left - 1);
  EXPECT_EQ(black.bottom, red.bottom + 1);
  EXPECT_LE(black.top, red.top + 1);
  EXPECT_LE(black.right, red.right);
}

}  // namespace
}  // namespace zorbulant
