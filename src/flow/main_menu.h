// The main menu: cursor and choice, and its drawing (background, the three
// buttons with the selected one turning about its vertical axis).
#pragma once

#include <array>
#include <cstdint>

#include "assets/work_block.h"

namespace zorbulant {

struct Game;

struct MenuButton {
  Region picture;  // two faces one above the other: front, then back
  uint32_t width;
  uint32_t height;
  uint32_t column;  // top-left corner in the scene
  uint32_t row;
};

inline constexpr MenuButton MenuButtons[3] = {
    {regions::GoButtonPicture, 80, 32, 120, 34},
    {regions::ConfigButtonPicture, 32, 32, 144, 84},
    {regions::ExitButtonPicture, 85, 32, 117, 134},
};

// The credits line under the menu: 53 blanks, the credits, blanks to the end.
// A 50-character window scrolls over its first 305 characters.
inline constexpr uint32_t CreditsLineLength = 323;
extern const std::array<char, CreditsLineLength> CreditsLine;

// One frame of GameState 0 to 3.
void MainMenuFrame(Game& game);
void DrawMainMenu(Game& game);
// The scrolling credits line at the bottom of the menu.
void DrawCreditsTicker(Game& game);
// Draws a button face turned to the angle MenuClock / 256 radians.
void ButtonFlip(Game& game, const MenuButton& button);

}  // namespace zorbulant
