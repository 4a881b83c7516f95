// The desktop window's events as window messages, on SDL's dummy video driver:
// keys with their scan codes and bits, controllers plugged and unplugged,
// focus and close, and the keys the desktop keeps for itself.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/keyboard_handler.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_session.h"
#include "support/temp_directory.h"

namespace zorbulant {
namespace {

struct NullProcedure final : WindowProcedure {
  uint32_t HandleMessage(const WindowMessage&) override { return 0; }
};

class SdlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("DISPLAY", ":dummy", 0);
    std::string reason;
    session_ = SdlSession::Start(reason);
    ASSERT_NE(session_, nullptr) << reason;
    settings_.fullScreen = false;
    settings_.screenshotDirectory = shots_.path();
    display_ = std::make_unique<SdlDisplay>(clock_, settings_);
    window_ = std::make_unique<SdlWindow>(settings_, *display_);
    ASSERT_NE(window_->CreateMainWindow(procedure_), 0u) << window_->FailureReason();
    Drain();
  }
  void TearDown() override {
    window_.reset();
    display_.reset();
    session_.reset();
  }

  void Push(SDL_Event event) { SDL_PushEvent(&event); }
  void Key(SDL_Scancode key, bool down, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = key;
    event.key.repeat = repeat ? 1 : 0;
    Push(event);
  }
  // Every message the window has for the game now.
  std::vector<WindowMessage> Drain() {
    std::vector<WindowMessage> messages;
    WindowMessage message;
    while (window_->MessageWaiting() && window_->TakeMessage(message)) messages.push_back(message);
    return messages;
  }

  testing::TempDirectory shots_;
  DesktopSettings settings_;
  SdlClock clock_;
  NullProcedure procedure_;
  std::unique_ptr<SdlSession> session_;
  std::unique_ptr<SdlDisplay> display_;
  std::unique_ptr<SdlWindow> window_;
};

TEST_F(SdlWindowTest, KeysArriveWithScanCodeRepeatAndTransitionBits) {
  Key(SDL_SCANCODE_LEFT, true);
  Key(SDL_SCANCODE_LEFT, true, true);
  Key(SDL_SCANCODE_LEFT, false);
  Key(SDL_SCANCODE_KP_4, true);
  const auto messages = Drain();
  ASSERT_EQ(messages.size(), 4u);
  const uint32_t left = scancode::Left << 16 | keybits::Extended | 1;
  EXPECT_EQ(messages[0].id, MessageId::KeyDown);
  EXPECT_EQ(messages[0].lParam, left);
  EXPECT_EQ(messages[1].lParam, left | keybits::WasDown);
  EXPECT_EQ(messages[2].id, MessageId::KeyUp);
  EXPECT_EQ(messages[2].lParam, left | keybits::WasDown | keybits::Released);
  EXPECT_EQ(messages[3].lParam, scancode::Left << 16 | 1u) << "the keypad arrow is not extended";
}

TEST_F(SdlWindowTest, AltIsASystemKey) {
  Key(SDL_SCANCODE_RALT, true);
  Key(SDL_SCANCODE_RALT, false);
  const auto messages = Drain();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].id, MessageId::SysKeyDown);
  EXPECT_EQ((messages[0].lParam >> 16) & 0x7F, scancode::Alt);
  EXPECT_EQ(messages[1].id, MessageId::SysKeyUp);
}

TEST_F(SdlWindowTest, F11AndF12StayWithTheDesktop) {
  Key(SDL_SCANCODE_F12, true);
  Key(SDL_SCANCODE_F12, false);
  Key(SDL_SCANCODE_F11, true);
  Key(SDL_SCANCODE_F11, false);
  EXPECT_TRUE(Drain().empty());
  EXPECT_TRUE(std::filesystem::exists(shots_.path() / "zorbulant-0001.png"));
}

TEST_F(SdlWindowTest, ControllerButtonsAndStickBecomeKeys) {
  SDL_Event button{};
  button.type = SDL_CONTROLLERBUTTONDOWN;
  button.cbutton.button = SDL_CONTROLLER_BUTTON_A;
  Push(button);
  button.type = SDL_CONTROLLERBUTTONUP;
  Push(button);
  button.type = SDL_CONTROLLERBUTTONDOWN;
  button.cbutton.button = SDL_CONTROLLER_BUTTON_X;
  Push(button);
  auto messages = Drain();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ((messages[0].lParam >> 16) & 0x7F, scancode::Space);
  EXPECT_EQ(messages[1].id, MessageId::KeyUp);
  EXPECT_EQ((messages[2].lParam >> 16) & 0x7F, scancode::Ctrl);

  // The stick presses beyond its threshold and lets go only near the middle.
  SDL_Event axis{};
  axis.type = SDL_CONTROLLERAXISMOTION;
  axis.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
  for (int value : {12000, 20000, 30000, 12000, 4000, -20000}) {
    axis.caxis.value = static_cast<int16_t>(value);
    Push(axis);
  }
  messages = Drain();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].id, MessageId::KeyDown);
  EXPECT_EQ((messages[0].lParam >> 16) & 0x7F, scancode::Right);
  EXPECT_EQ(messages[1].id, MessageId::KeyUp);
  EXPECT_EQ((messages[1].lParam >> 16) & 0x7F, scancode::Right);
  EXPECT_EQ((messages[2].lParam >> 16) & 0x7F, scancode::Left);
}

TEST_F(SdlWindowTest, AnUnpluggedControllerLetsGoOfWhatItHeld) {
  auto button = [&](int32_t controller, uint8_t which, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    event.cbutton.which = controller;
    event.cbutton.button = which;
    Push(event);
  };
  button(3, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  button(3, SDL_CONTROLLER_BUTTON_A, true);
  button(3, SDL_CONTROLLER_BUTTON_B, true);
  button(3, SDL_CONTROLLER_BUTTON_B, false);
  button(4, SDL_CONTROLLER_BUTTON_X, true);
  SDL_Event axis{};
  axis.type = SDL_CONTROLLERAXISMOTION;
  axis.caxis.which = 3;
  axis.caxis.axis = SDL_CONTROLLER_AXIS_LEFTY;
  axis.caxis.value = 30000;
  Push(axis);
  ASSERT_EQ(Drain().size(), 6u);

  SDL_Event removed{};
  removed.type = SDL_CONTROLLERDEVICEREMOVED;
  removed.cdevice.which = 3;
  Push(removed);
  const auto messages = Drain();
  // Right, Space and the stick's Down go up; B was let go already, and the
  // other controller's Ctrl stays down.
  ASSERT_EQ(messages.size(), 3u);
  std::vector<uint32_t> released;
  for (const WindowMessage& message : messages) {
    EXPECT_EQ(message.id, MessageId::KeyUp);
    released.push_back((message.lParam >> 16) & 0x7F);
  }
  EXPECT_EQ(released, (std::vector<uint32_t>{scancode::Right, scancode::Space, scancode::Down}));
  Push(removed);
  EXPECT_TRUE(Drain().empty()) << "a second removal releases nothing";
}

TEST_F(SdlWindowTest, FocusAndCloseBecomeActivationAndOneClose) {
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  Push(focus);
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  Push(focus);
  focus.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(focus);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  const auto messages = Drain();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].id, MessageId::ActivateApp);
  EXPECT_EQ(messages[0].wParam, 0u);
  EXPECT_EQ(messages[1].wParam, 1u);
  EXPECT_EQ(messages[2].id, MessageId::Close) << "one close for the window's close and quit";
}

}  // namespace
}  // namespace zorbulant
