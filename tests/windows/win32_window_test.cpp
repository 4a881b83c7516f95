// The window's message path: queued messages reach the game's procedure with
// their parameters, the close button only asks to quit, and the default
// handling gets the message as Windows delivered it.
#include "platform/win32/win32_window.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/keyboard_handler.h"
#include "win32_game.h"

namespace zorbulant {
namespace {

struct Win32WindowTest : ::testing::Test {
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(win32.Start()); }

  HWND Handle() const { return win32.window.Handle(); }

  // Takes queued messages until one of `id` has been dispatched; false when
  // the queue runs dry first.
  bool DispatchUntil(MessageId id, WindowMessage& taken) {
    Win32Window& window = win32.window;
    while (window.MessageWaiting()) {
      if (!window.TakeMessage(taken)) return false;
      window.Dispatch(taken);
      if (taken.id == id) return true;
    }
    return false;
  }

  testing::Win32Game win32;
};

TEST_F(Win32WindowTest, CreationActivatesTheGameBeforeItReturns) {
  EXPECT_EQ(win32.game.shell.AppActive, 1u);
  EXPECT_TRUE(::IsWindowVisible(Handle()));
  char title[32] = {};
  ::GetWindowTextA(Handle(), title, sizeof title);
  EXPECT_STREQ(title, "Zorbulant");
  char className[32] = {};
  ::GetClassNameA(Handle(), className, sizeof className);
  EXPECT_STREQ(className, "winmain");
}

TEST_F(Win32WindowTest, KeyMessagesReachTheKeyboardHandlerWithTheirParameter) {
  const uint32_t pressed = 1 | scancode::Ctrl << keybits::ScanCodeShift;
  const uint32_t released = pressed | keybits::WasDown | keybits::Released;
  ASSERT_TRUE(::PostMessageA(Handle(), WM_KEYDOWN, VK_CONTROL, pressed));
  WindowMessage taken;
  ASSERT_TRUE(DispatchUntil(MessageId::KeyDown, taken));
  EXPECT_EQ(taken.lParam, pressed);
  EXPECT_EQ(taken.wParam, uint32_t{VK_CONTROL});
  EXPECT_EQ(win32.game.keys.KeyFire, 1u);

  // Bit 31 set: the parameter must not be taken for a negative number.
  ASSERT_TRUE(::PostMessageA(Handle(), WM_KEYUP, VK_CONTROL, released));
  ASSERT_TRUE(DispatchUntil(MessageId::KeyUp, taken));
  EXPECT_EQ(taken.lParam, released);
  EXPECT_EQ(win32.game.keys.KeyFire, 0u);
}

TEST_F(Win32WindowTest, AMessageNotTakenFromTheQueueIsDispatchedToTheWindow) {
  const uint32_t pressed = 1 | scancode::Left << keybits::ScanCodeShift | keybits::Extended;
  win32.window.Dispatch({MessageId::KeyDown, VK_LEFT, pressed});
  EXPECT_EQ(win32.game.keys.KeyLeft, 1u);
}

TEST_F(Win32WindowTest, CloseOnlyAsksToQuitAndTheWindowStays) {
  ASSERT_TRUE(::PostMessageA(Handle(), WM_CLOSE, 0, 0));
  WindowMessage taken;
  ASSERT_TRUE(DispatchUntil(MessageId::Close, taken));
  EXPECT_EQ(win32.game.shell.QuitRequested, 1u);
  EXPECT_TRUE(::IsWindow(Handle()));
}

TEST_F(Win32WindowTest, DefaultHandlingGetsPointerParametersWhole) {
  // WM_SETTEXT and WM_GETTEXT carry 64-bit pointers in lParam, which the
  // game's 32-bit message cannot hold: only the message as delivered works.
  static constexpr char Renamed[] = "Renamed by a message";
  EXPECT_EQ(::SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Renamed)), TRUE);
  char title[64] = {};
  const LRESULT length =
      ::SendMessageA(Handle(), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
  EXPECT_EQ(length, static_cast<LRESULT>(std::string(Renamed).size()));
  EXPECT_STREQ(title, Renamed);
}

TEST_F(Win32WindowTest, DestructionPostsTheQuitMessage) {
  win32.window.DestroyMainWindow();
  EXPECT_EQ(win32.window.Handle(), nullptr);
  WindowMessage taken;
  int messages = 0;
  while (win32.window.TakeMessage(taken) && messages < 1000) {
    win32.window.Dispatch(taken);
    ++messages;
  }
  EXPECT_EQ(taken.id, MessageId::Quit);
  EXPECT_EQ(taken.wParam, 0u);
}

TEST_F(Win32WindowTest, OneWindowTextContextAtATime) {
  TextDevice* context = win32.window.GetWindowTextContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(win32.window.GetWindowTextContext(), nullptr);
  win32.window.ReleaseWindowTextContext(context);
  TextDevice* again = win32.window.GetWindowTextContext();
  EXPECT_NE(again, nullptr);
  win32.window.ReleaseWindowTextContext(again);
}

TEST_F(Win32WindowTest, TheWindowedScreenMakesAnOrdinaryWindow) {
  EXPECT_EQ(::GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(::IsZoomed(Handle()));
  RECT client;
  ::GetClientRect(Handle(), &client);
  // A whole multiple of the picture shown at 4:3.
  EXPECT_EQ(client.right % 320, 0);
  EXPECT_EQ(client.right * 3, client.bottom * 4);
}

}  // namespace
}  // namespace zorbulant
