// Turns each key message into changes of the key flags, and carries out the
// commands that act at once: weapon choice, pistol reload, game speed and
// sound amplification.
#pragma once

#include <cstdint>

namespace zorbulant {

struct Game;

// PC set-1 scan codes of the keys the game knows.
namespace scancode {
inline constexpr uint32_t Escape = 0x01;
inline constexpr uint32_t Key1 = 0x02;
inline constexpr uint32_t Key2 = 0x03;
inline constexpr uint32_t Key3 = 0x04;
inline constexpr uint32_t Enter = 0x1C;
inline constexpr uint32_t Ctrl = 0x1D;
inline constexpr uint32_t Slash = 0x35;
inline constexpr uint32_t KeypadStar = 0x37;
inline constexpr uint32_t Alt = 0x38;
inline constexpr uint32_t Space = 0x39;
inline constexpr uint32_t Up = 0x48;
inline constexpr uint32_t KeypadMinus = 0x4A;
inline constexpr uint32_t Left = 0x4B;
inline constexpr uint32_t Right = 0x4D;
inline constexpr uint32_t KeypadPlus = 0x4E;
inline constexpr uint32_t Down = 0x50;
}  // namespace scancode

// Bits of a key message's lParam.
namespace keybits {
inline constexpr uint32_t RepeatCount = 0x0000FFFF;
inline constexpr uint32_t ScanCodeShift = 16;
inline constexpr uint32_t Extended = 1u << 24;
inline constexpr uint32_t AltDown = 1u << 29;
inline constexpr uint32_t WasDown = 1u << 30;
inline constexpr uint32_t Released = 1u << 31;
}  // namespace keybits

// Handles one key message; only its lParam matters.
void KeyboardHandler(Game& game, uint32_t lParam);

}  // namespace zorbulant
