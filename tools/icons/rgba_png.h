// Writes pictures with an alpha channel as PNG files: the icons, clear around
// the figure.
#pragma once

#include <filesystem>

#include "icons/hero_icon.h"

namespace zorbulant::tools {

// False when the file cannot be written.
bool WriteRgbaPng(const std::filesystem::path& path, const RgbaPicture& picture);

}  // namespace zorbulant::tools
