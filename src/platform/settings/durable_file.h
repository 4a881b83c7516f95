// Whole-file reads and replacements for files that must never be seen half
// written: a crash or kill at any moment leaves the old or the new contents.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zorbulant {

enum class FileRead { Read, Missing, Failed };

FileRead ReadWholeFile(const std::filesystem::path& file, std::string& text);

// Writes `text` to a temporary file beside `file`, forces it to the disk and
// renames it over `file`, creating missing directories first. A symbolic link
// is followed, so its target is replaced and the link kept. False when any
// step fails; `file` is then as it was.
bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view text);

}  // namespace zorbulant
