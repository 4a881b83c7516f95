// The display: the windowed screen, which stands in when exclusive 320x200x8
// is refused, with its pixels, colour table and picture in the window.
#include "platform/win32/windowed_screen.h"

#include <gtest/gtest.h>

#include "platform/win32/gdi_text_device.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

using WindowedDisplayTest = testing::Win32GameTest;

TEST_F(WindowedDisplayTest, LockTextAndFlipExcludeEachOtherUntilTheChainIsReleased) {
  Win32Display& display = win32.display;
  LockedSurface surface;
  ASSERT_TRUE(display.Lock(surface));
  EXPECT_EQ(surface.pitch, 320u);
  EXPECT_FALSE(display.Lock(surface));
  EXPECT_EQ(display.GetTextContext(), nullptr);
  EXPECT_FALSE(display.Flip());
  EXPECT_TRUE(display.Unlock());
  EXPECT_FALSE(display.Unlock());

  TextDevice* context = display.GetTextContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(display.GetTextContext(), nullptr);
  EXPECT_FALSE(display.Lock(surface));
  EXPECT_FALSE(display.Flip());
  EXPECT_TRUE(display.ReleaseTextContext(context));
  EXPECT_FALSE(display.ReleaseTextContext(context));
  EXPECT_TRUE(display.Flip());

  // The windowed screen knows only the game's mode.
  EXPECT_FALSE(display.SetDisplayMode(640, 480, 8));
  EXPECT_FALSE(display.SetDisplayMode(320, 200, 16));
  EXPECT_TRUE(display.SetDisplayMode(320, 200, 8));

  display.ReleasePalette();
  display.ReleaseFlippingChain();
  EXPECT_FALSE(display.Lock(surface));
  EXPECT_FALSE(display.Restore());
  EXPECT_EQ(display.GetTextContext(), nullptr);
  EXPECT_FALSE(display.Flip());
  // A palette goes only on a picture that exists.
  EXPECT_TRUE(display.CreatePalette(PaletteTable()));
  EXPECT_FALSE(display.AttachPalette());
}

TEST_F(WindowedDisplayTest, ThePaletteIsThePicturesColourTable) {
  LockedSurface surface;
  ASSERT_TRUE(win32.display.Lock(surface));
  surface.pixels[0] = 255;
  win32.display.Unlock();
  auto* const context = static_cast<GdiTextDevice*>(win32.display.GetTextContext());
  ASSERT_NE(context, nullptr);
  const HDC dc = context->DeviceContext();
  EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(145, 3, 0));
  RGBQUAD colours[256];
  ASSERT_EQ(::GetDIBColorTable(dc, 0, 256, colours), 256u);
  win32.display.ReleaseTextContext(context);
  for (size_t i = 0; i < 256; ++i) {
    const PaletteEntry& entry = PaletteTable()[i];
    EXPECT_EQ(RGB(colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue),
              RGB(entry.red, entry.green, entry.blue))
        << "index " << i;
  }
}

TEST_F(WindowedDisplayTest, TheFlipShowsThePictureWithBlackBarsInAWideWindow) {
  const HWND window = win32.window.Handle();
  RECT frame{0, 0, 800, 480};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)));
  ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  win32.Fill(252);
  ASSERT_TRUE(win32.display.Flip());
  // The picture at 640x480 in the middle; Wine cannot read a window's very
  // first pixel back, so the corners are looked at one pixel inside.
  const HDC dc = ::GetDC(window);
  EXPECT_EQ(::GetPixel(dc, 81, 1), RGB(216, 216, 216));
  EXPECT_EQ(::GetPixel(dc, 718, 478), RGB(216, 216, 216));
  EXPECT_EQ(::GetPixel(dc, 40, 240), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(dc, 760, 240), RGB(0, 0, 0));
  ::ReleaseDC(window, dc);
}

TEST(LetterboxRect, TheLargest4To3AreaCentred) {
  const struct {
    int32_t width, height;
    RECT shown;
  } cases[] = {{640, 480, {0, 0, 640, 480}},
               {1280, 720, {160, 0, 1120, 720}},
               {400, 600, {0, 150, 400, 450}},
               {0, 480, {0, 0, 0, 0}},
               {640, -1, {0, 0, 0, 0}},
               {3, 1, {1, 0, 2, 1}},
               {2'000'000'000, 600'000'000, {600'000'000, 0, 1'400'000'000, 600'000'000}}};
  for (const auto& [width, height, expected] : cases) {
    const RECT shown = LetterboxRect(width, height);
    EXPECT_TRUE(::EqualRect(&shown, &expected)) << width << "x" << height;
  }
}

TEST(DisplaySetUp, SucceedsWhetherOrNotTheExclusiveScreenIsGranted) {
  testing::Win32Game win32(false);
  ASSERT_NO_FATAL_FAILURE(win32.Start());
  ::testing::Test::RecordProperty("screen", win32.display.Windowed() ? "windowed" : "exclusive");
  LockedSurface surface;
  ASSERT_TRUE(win32.display.Lock(surface));
  EXPECT_GE(surface.pitch, 320u);
  EXPECT_TRUE(win32.display.Unlock());
  EXPECT_TRUE(win32.display.Flip());
}

}  // namespace
}  // namespace zorbulant
