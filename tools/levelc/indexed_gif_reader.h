// Reads back the pixels of a GIF picture as palette indices, the way the game
// sees them: its colour table is ignored.
#pragma once

#include <filesystem>
#include <optional>

#include "common/indexed_gif.h"

namespace zorbulant::tools {

// The first image of the file; none when the file is missing or not a GIF.
std::optional<IndexedPicture> ReadIndexedGif(const std::filesystem::path& path);

}  // namespace zorbulant::tools
