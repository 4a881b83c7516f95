// The windowed screen, which stands in when exclusive 320x200x8 is refused:
// its pixels and colour table, text on it, and the picture in the window.
#include "platform/win32/windowed_screen.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/gdi_text_device.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

constexpr uint8_t White = 215;
constexpr uint8_t PureRed = 30;  // cube levels red 5, green 0, blue 0

struct WindowedDisplayTest : ::testing::Test {
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(win32.Start()); }

  // The colour at (x, y) of the window's client area.
  COLORREF Shown(int x, int y) {
    const HDC dc = ::GetDC(win32.window.Handle());
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(win32.window.Handle(), dc);
    return colour;
  }

  testing::Win32Game win32;
  Win32Display& display = win32.display;
};

TEST_F(WindowedDisplayTest, LockTextAndFlipExcludeEachOther) {
  EXPECT_TRUE(display.Windowed());
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
}

TEST_F(WindowedDisplayTest, ThePaletteIsThePicturesColourTable) {
  LockedSurface surface;
  ASSERT_TRUE(display.Lock(surface));
  surface.pixels[0] = 255;
  surface.pixels[199 * surface.pitch + 319] = 249;
  display.Unlock();
  TextDevice* context = display.GetTextContext();
  ASSERT_NE(context, nullptr);
  const HDC dc = static_cast<GdiTextDevice*>(context)->DeviceContext();
  RGBQUAD colours[256];
  ASSERT_EQ(::GetDIBColorTable(dc, 0, 256, colours), 256u);
  EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(145, 3, 0));
  EXPECT_EQ(::GetPixel(dc, 319, 199), RGB(241, 255, 17));
  display.ReleaseTextContext(context);
  for (size_t i = 0; i < 256; ++i) {
    const PaletteEntry& entry = PaletteTable()[i];
    EXPECT_EQ(RGB(colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue),
              RGB(entry.red, entry.green, entry.blue))
        << "index " << i;
  }
}

TEST_F(WindowedDisplayTest, RedTextLandsOnThePaletteIndexOfPureRed) {
  win32.Fill(White);
  TextDevice* context = display.GetTextContext();
  ASSERT_NE(context, nullptr);
  FontRequest request;
  request.height = 40;
  request.weight = 900;
  const TextDevice::Font font = context->MakeFont(request);
  context->SelectFont(font);
  context->SetBackgroundMode(BackgroundTransparent);
  context->SetTextColour(ColourRef(255, 0, 0));
  EXPECT_TRUE(context->WriteText(20, 20, "HIM", 3));
  context->DeleteFont(font);
  ASSERT_TRUE(display.ReleaseTextContext(context));
  const std::vector<uint8_t> picture = win32.Picture();
  EXPECT_GT(std::count(picture.begin(), picture.end(), PureRed), 100);
}

TEST_F(WindowedDisplayTest, TheFlipShowsThePictureWithBlackBarsInAWideWindow) {
  const HWND window = win32.window.Handle();
  RECT frame{0, 0, 800, 480};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)));
  ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  win32.Fill(252);
  ASSERT_TRUE(display.Flip());
  // The picture at 640x480 in the middle; Wine cannot read a window's very
  // first pixel back, so the corners are looked at one pixel inside.
  EXPECT_EQ(Shown(81, 1), RGB(216, 216, 216));
  EXPECT_EQ(Shown(400, 240), RGB(216, 216, 216));
  EXPECT_EQ(Shown(718, 478), RGB(216, 216, 216));
  EXPECT_EQ(Shown(40, 240), RGB(0, 0, 0));
  EXPECT_EQ(Shown(760, 240), RGB(0, 0, 0));
}

TEST_F(WindowedDisplayTest, AReleasedChainNoLongerLocksOrRestores) {
  display.ReleasePalette();
  display.ReleaseFlippingChain();
  LockedSurface surface;
  EXPECT_FALSE(display.Lock(surface));
  EXPECT_FALSE(display.Restore());
  EXPECT_EQ(display.GetTextContext(), nullptr);
  EXPECT_FALSE(display.Flip());
}

// A procedure that leaves every message to the default handling.
class DefaultProcedure final : public WindowProcedure {
 public:
  explicit DefaultProcedure(Window& window) : window_(window) {}
  uint32_t HandleMessage(const WindowMessage& message) override {
    return window_.DefaultHandling(message);
  }

 private:
  Window& window_;
};

TEST(DisplaySetUp, SucceedsWhetherOrNotTheExclusiveScreenIsGranted) {
  Win32Window window;
  DefaultProcedure procedure(window);
  ASSERT_NE(window.CreateMainWindow(procedure), 0u);
  Win32Display display(window, nullptr, false);
  ASSERT_TRUE(display.Open());
  ASSERT_TRUE(display.SetExclusiveFullScreen());
  ASSERT_TRUE(display.SetDisplayMode(320, 200, 8));
  ASSERT_TRUE(display.CreateFlippingChain());
  ASSERT_TRUE(display.CreatePalette(PaletteTable()));
  ASSERT_TRUE(display.AttachPalette());
  ::testing::Test::RecordProperty("screen", display.Windowed() ? "windowed" : "exclusive");
  LockedSurface surface;
  ASSERT_TRUE(display.Lock(surface));
  EXPECT_GE(surface.pitch, 320u);
  EXPECT_TRUE(display.Unlock());
  EXPECT_TRUE(display.Flip());
}

TEST(DisplaySetUp, TheWindowedScreenKnowsOnlyTheGamesMode) {
  Win32Window window;
  DefaultProcedure procedure(window);
  ASSERT_NE(window.CreateMainWindow(procedure), 0u);
  Win32Display display(window, nullptr, true);
  ASSERT_TRUE(display.Open());
  EXPECT_FALSE(display.SetDisplayMode(640, 480, 8));
  EXPECT_FALSE(display.SetDisplayMode(320, 200, 16));
  EXPECT_TRUE(display.SetDisplayMode(320, 200, 8));
  // A palette goes only on a picture that exists.
  EXPECT_TRUE(display.CreatePalette(PaletteTable()));
  EXPECT_FALSE(display.AttachPalette());
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

}  // namespace
}  // namespace zorbulant
