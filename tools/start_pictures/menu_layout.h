// Where the game writes over the menu background: the buttons, the credits
// line and the texts of the mission intro and the configuration screen that
// share the picture. The art keeps its bright parts out of these places.
#pragma once

#include <cstdint>

namespace zorbulant::tools::menu_layout {

inline constexpr uint32_t Width = 320;
inline constexpr uint32_t Height = 200;
// Mission titles start at column 30: the strip left of it is the title's.
inline constexpr uint32_t TitleStripRight = 29;
// The intro's and configuration's texts end before this column.
inline constexpr uint32_t TextRight = 256;
// The configuration screen's last line ends above this row.
inline constexpr uint32_t TextBottom = 178;
// The intro has nothing between "Next Mission:" and the mission's title.
inline constexpr uint32_t IntroGapTop = 48;
inline constexpr uint32_t IntroGapBottom = 78;
// The credits line scrolls from here to the bottom.
inline constexpr uint32_t CreditsTop = 184;

}  // namespace zorbulant::tools::menu_layout
