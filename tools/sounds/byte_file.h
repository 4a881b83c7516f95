// Whole-file reading and writing for the sound tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorbulant::tools {

// False, with a message naming the file, when it cannot be read or written.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
bool WriteByteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace zorbulant::tools
