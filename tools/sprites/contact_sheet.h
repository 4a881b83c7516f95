// The contact sheet: every picture of the sprite sheet for people to look at,
// three times its size on mid-grey, each labelled with its number or name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sprites/rgb_canvas.h"

namespace zorbulant::tools {

// The hero's pictures by weapon, then every other item of the sheet with its
// frames side by side. Values the game does not draw show the background.
RgbCanvas DrawContactSheet(const std::vector<uint8_t>& sheet);

// False, with a message in `error`, when the PNG file cannot be written.
bool WriteContactSheet(const std::vector<uint8_t>& sheet, const std::filesystem::path& file,
                       std::string& error);

}  // namespace zorbulant::tools
