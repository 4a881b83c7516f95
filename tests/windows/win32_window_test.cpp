// The window's message path: queued messages reach the game's procedure with
// their parameters, the close button only asks to quit, and the default
// handling gets the message as Windows delivered it.
#include "platform/win32/win32_window.h"

#include <gtest/gtest.h>

#include "platform/keyboard_handler.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

struct Win32WindowTest : testing::Win32GameTest {
  HWND Handle() const { return win32.window.Handle(); }

  // Takes queued messages until one of `id` has been dispatched; false when
  // the queue runs dry first.
  bool DispatchUntil(MessageId id, WindowMessage& taken) {
    while (win32.window.MessageWaiting()) {
      if (!win32.window.TakeMessage(taken)) return false;
      win32.window.Dispatch(taken);
      if (taken.id == id) return true;
    }
    return false;
  }
};

TEST_F(Win32WindowTest, CreationActivatesTheGameInAnOrdinaryWindowOfTheWindowedScreen) {
  EXPECT_EQ(win32.game.shell.AppActive, 1u);
  EXPECT_TRUE(::IsWindowVisible(Handle()));
  EXPECT_EQ(::GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(::IsZoomed(Handle()));
  // A whole multiple of the picture shown at 4:3.
  RECT client;
  ::GetClientRect(Handle(), &client);
  EXPECT_EQ(client.right % 320, 0);
  EXPECT_EQ(client.right * 3, client.bottom * 4);
}

TEST_F(Win32WindowTest, KeysReachTheKeyboardHandlerWithTheirParameters) {
  const uint32_t pressed = 1 | scancode::Ctrl << keybits::ScanCodeShift;
  // Bit 31 set: the parameter must not be taken for a negative number.
  const uint32_t released = pressed | keybits::WasDown | keybits::Released;
  ASSERT_TRUE(::PostMessageA(Handle(), WM_KEYDOWN, VK_CONTROL, pressed));
  WindowMessage taken;
  ASSERT_TRUE(DispatchUntil(MessageId::KeyDown, taken));
  EXPECT_EQ(taken.lParam, pressed);
  EXPECT_EQ(taken.wParam, uint32_t{VK_CONTROL});
  EXPECT_EQ(win32.game.keys.KeyFire, 1u);
  ASSERT_TRUE(::PostMessageA(Handle(), WM_KEYUP, VK_CONTROL, released));
  ASSERT_TRUE(DispatchUntil(MessageId::KeyUp, taken));
  EXPECT_EQ(taken.lParam, released);
  EXPECT_EQ(win32.game.keys.KeyFire, 0u);

  // A message that did not come from the queue goes to the window too.
  const uint32_t left = 1 | scancode::Left << keybits::ScanCodeShift | keybits::Extended;
  win32.window.Dispatch({MessageId::KeyDown, VK_LEFT, left});
  EXPECT_EQ(win32.game.keys.KeyLeft, 1u);
}

TEST_F(Win32WindowTest, CloseOnlyAsksToQuitAndDestructionPostsTheQuit) {
  ASSERT_TRUE(::PostMessageA(Handle(), WM_CLOSE, 0, 0));
  WindowMessage taken;
  ASSERT_TRUE(DispatchUntil(MessageId::Close, taken));
  EXPECT_EQ(win32.game.shell.QuitRequested, 1u);
  EXPECT_TRUE(::IsWindow(Handle()));

  win32.window.DestroyMainWindow();
  EXPECT_EQ(Handle(), nullptr);
  for (int messages = 0; win32.window.TakeMessage(taken) && messages < 1000; ++messages) {
    win32.window.Dispatch(taken);
  }
  EXPECT_EQ(taken.id, MessageId::Quit);
  EXPECT_EQ(taken.wParam, 0u);
}

TEST_F(Win32WindowTest, DefaultHandlingGetsPointerParametersWhole) {
  // WM_SETTEXT and WM_GETTEXT carry 64-bit pointers in lParam, which the
  // game's 32-bit message cannot hold: only the message as delivered works.
  static constexpr char Renamed[] = "Renamed by a message";
  EXPECT_EQ(::SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Renamed)), TRUE);
  char title[64] = {};
  EXPECT_EQ(::SendMessageA(Handle(), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)),
            LRESULT{sizeof Renamed - 1});
  EXPECT_STREQ(title, Renamed);
}

TEST_F(Win32WindowTest, OneWindowTextContextAtATime) {
  TextDevice* context = win32.window.GetWindowTextContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(win32.window.GetWindowTextContext(), nullptr);
  win32.window.ReleaseWindowTextContext(context);
  context = win32.window.GetWindowTextContext();
  EXPECT_NE(context, nullptr);
  win32.window.ReleaseWindowTextContext(context);
}

}  // namespace
}  // namespace zorbulant
